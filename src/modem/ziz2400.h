#pragma once
// The modem on the line: frames commands in BIN or ASCII, finds its answer
// among the received bytes and turns the status byte into the result.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "device/device.h"
#include "modem/rtc_record.h"

namespace modem {

// The version record; only VersionStr is filled, the rest stays empty.
struct TVersion {
  std::string VersionStr;
  int Reserved1 = 0;
  int Reserved2 = 0;
  std::string ReservedStr;
};

// One byte per transceiver register address 0x00..0x3F.
using TRegisterImage = std::array<uint8_t, 64>;
using TPhyStatus = std::array<uint8_t, 16>;
// Four signed offsets, then their mean.
using TCarrierOffsets = std::array<uint8_t, 5>;
using TLastPacketStatus = std::array<uint8_t, 7>;
using TPhyErrorStats = std::array<uint8_t, 6>;
using TMacContext = std::array<uint8_t, 8>;

class ZIZ2400 : public device::TDevice {
 public:
  ZIZ2400();
  ~ZIZ2400() override;

  uint8_t GetHostAddr() const;
  uint8_t GetProtocol() const;  // 1 = BIN, anything else ASCII
  void SetProtocol(uint8_t protocol);
  std::string GetFrameData() const;

  void SetAnswerStatus(uint8_t status);

  std::string BuildPacket(const std::string &command) override;
  bool ParseAnswer(const std::string &buffer) override;
  std::string ExtractData(const std::string &answer) override;

  // Identification and control. Each operation is one logged transaction;
  // the outcome is in ResultCode, and the Boolean says whether it is 0.
  bool ReadVersion(TVersion &version);
  bool ReadDeviceName(std::string &name);
  bool Identify();
  bool Restart();
  bool SetMode(uint8_t mode);              // 0 working, 1 technological
  bool SetTransceiver(uint8_t on);         // 0 off, 1 on

  // The transceiver chip.
  bool ReadRegisters(uint8_t first, uint8_t count, TRegisterImage &regs);
  bool WriteRegister(uint8_t reg, uint8_t value);
  bool Strobe(int strobe);                 // a strobe's address, 0x30..0x3D
  bool ReadPhyStatus(TPhyStatus &buf);
  bool ReadTemperature(int16_t &value);    // degrees Celsius; -100 unless read
  bool ReadCarrierOffsets(TCarrierOffsets &buf);
  bool ReadLastPacketStatus(TLastPacketStatus &buf);
  bool ReadPhyErrorStats(TPhyErrorStats &buf);
  bool ReadMacContext(TMacContext &buf);

  // Clock, counters and supply.
  bool ReadRtc(TDateTime &dateTime);
  bool WriteRtc(const TDateTime &dateTime);
  bool ReadTickCounter(std::string &text);  // the answer's data as hex text
  bool ReadCycleTime(std::string &text);
  bool ReadEepromTestTime(uint16_t &value);
  bool ReadVoltageSensor(uint8_t &state);   // 1 when the supply is present
  bool ReadVoltages(double &v1, double &v2);

  // Tunnel to remote nodes, run on the direct node.
  bool SendRemoteCommand(uint16_t address, const std::string &command, uint8_t &requestId);
  bool ReadRemoteStatus(uint8_t requestId, std::array<uint8_t, 3> &status);  // S, RC, BL
  bool FetchRemoteAnswer(uint8_t requestId, std::string &answer);

 protected:
  bool BeforeExecute(device::TCustomDevice &device, uint8_t transaction) override;

  // Decodes the data bytes of a successful answer (hex text after the status
  // pair); returns the record to fail with, or nothing when all is well.
  using AnswerDecoder = std::function<std::optional<device::TResultCode>(const std::string &dataHex)>;
  // One operation: announce, start, run the command, decode on success,
  // report the end. True when the result code is 0 at the end.
  bool RunOperation(const std::string &actionText, const std::string &command, const AnswerDecoder &decode = {});
  // An operation whose arguments admit no request: logged as one that
  // failed with `rc`, and nothing is sent.
  bool RefuseOperation(const std::string &actionText, const device::TResultCode &rc);

 private:
  uint8_t hostAddr_ = 0;
  uint8_t protocol_ = 0;
  std::string frameData_;
};

}  // namespace modem
