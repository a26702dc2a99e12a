#pragma once
// The modem on the line: frames commands in BIN or ASCII, finds its answer
// among the received bytes and turns the status byte into the result.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/zt_config.h"
#include "device/device.h"
#include "modem/answer_form.h"
#include "modem/mac_context.h"
#include "modem/memory_types.h"
#include "modem/node_table.h"
#include "modem/orva_records.h"
#include "modem/route_pairs.h"
#include "modem/rtc_record.h"
#include "ruvezivevo/fe_interfaces.h"
#include "ruvezivevo/image_load_report.h"

namespace modem {

// The failure a read reports for an image that did not load whole: it names
// what is damaged and says the cure.
device::TResultCode DamagedImageResult(const ruvezivevo::TFELoadReport &report);

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

  // Memory regions and block transfer (command 0x40). Outputs are cleared
  // first and hold data only on success. A read block that comes back with
  // another number of bytes than asked fails with "некорректный формат
  // значения", and so does a size parameter of the wrong length.
  static std::string MemTypeName(uint8_t memType);
  // One request, one logged action. On success `data` becomes the answer's
  // bytes after its first one when it has any, else keeps what it held.
  bool MemoryRequest(uint8_t mode, uint8_t memType, std::string &data, uint32_t address, uint8_t count);
  // A read (mode 0) or write (mode 1) of `count` items in requests of at
  // most `blockBytes` bytes; addresses and counts are in items.
  bool MemoryTransfer(uint8_t mode, uint8_t memType, std::string &data, uint32_t address, uint32_t count,
                      uint32_t itemSize, uint32_t blockBytes);
  // Told the bytes moved so far and the transfer's total, once before the
  // first block and after every block, so long reads can show progress.
  std::function<void(size_t doneBytes, size_t totalBytes)> OnTransferProgress;
  // Asks block transfers to end after the block in flight: that block is
  // finished, none follows, and the transfer fails with rcAborted. Safe from
  // any thread (a signal watcher, the window's Stop); holds until cleared.
  void RequestEndAfterBlock() { endAfterBlock_ = true; }
  void ClearEndAfterBlock() { endAfterBlock_ = false; }
  bool EndAfterBlockRequested() const { return endAfterBlock_; }
  // True when the last configuration write changed the modem's image but did
  // not finish (stopped, or a block failed): the modem holds a mix of old and
  // new, and only a complete write repairs it.
  bool ConfigWriteIncomplete() const { return configWriteIncomplete_; }

  bool ReadConfigSize(uint16_t &size);
  bool ReadConfigBytes(uint16_t address, uint16_t count, std::string &data);
  bool ReadConfigImage(std::string &data);
  // A damaged image (an interrupted write, a truncated region) fails these
  // two with DamagedImageResult, so defaults are never shown as its values.
  bool ReadConfigRoot(std::shared_ptr<ruvezivevo::IFERootSection> &root);
  bool ReadConfig(std::shared_ptr<config::IZTConfig> &config);
  // These take whatever loaded and say in `report` whether it loaded whole;
  // false only when the image could not be read.
  bool ReadConfigRoot(std::shared_ptr<ruvezivevo::IFERootSection> &root, ruvezivevo::TFELoadReport &report);
  bool ReadConfig(std::shared_ptr<config::IZTConfig> &config, ruvezivevo::TFELoadReport &report);
  bool WriteConfigSize(uint16_t size);
  bool WriteConfigBytes(uint16_t address, uint16_t count, const std::string &data);
  // Refuses, unsent, a length of 0 or one beyond the data.
  bool WriteConfigImage(const std::string &data, uint16_t length);
  // Writes only a complete image: a tree that cannot be stored whole is
  // refused and nothing is sent.
  bool WriteConfig(const std::shared_ptr<config::IZTConfig> &config);

  bool ReadNodeTableSize(int32_t &size);
  bool ReadNodeTableBytes(int32_t address, int32_t count, std::string &data);
  bool ReadNodeTable(std::string &data);
  bool ReadNodeTableCount(uint16_t &count);
  bool ReadNodeTableItems(int32_t first, uint16_t count, TZT_NodeTableItems &items);

  bool ReadWorkParamsSize(uint8_t &size, bool &flag);
  bool ReadWorkParamsBytes(uint8_t address, uint8_t count, std::string &data);
  bool ReadWorkParams(std::string &data, bool &flag);
  bool EraseWorkParams();

  bool ReadProductionInfoSize(uint8_t &size, bool &flag);
  bool ReadProductionBytes(uint8_t address, uint8_t count, std::string &data);
  bool ReadProductionInfo(std::string &data, bool &flag);
  // Copies up to 6 bytes read into rec; the rest of rec stays.
  bool ReadProductionRecord(TProductionRecord &rec, bool &flag);
  bool WriteProductionBytes(uint8_t address, uint8_t count, const std::string &data);
  bool CommitProductionInfo();
  bool WriteProductionInfo(const std::string &data);
  // Fills in the check word, then writes and commits the record.
  bool WriteProductionRecord(TProductionRecord &rec);

  bool ReadPureEEPROMSize(uint16_t &size);
  bool ReadPureEEPROM(uint16_t address, uint16_t count, std::string &data);
  bool ReadPureMemorySize(uint16_t &size);
  bool ReadPureMemory(uint16_t address, uint16_t count, std::string &data);
  bool ReadPureFRAMSize(uint16_t &size);
  bool ReadPureFRAM(uint16_t address, uint16_t count, std::string &data);
  bool ErasePureFRAM();

  // Channels through the mesh. A route is hex text: the count byte (nodes
  // minus 2), then one byte per node; a malformed one is refused unsent.
  // Speed codes 0..14 index the channel speed list; the close time-out
  // counts 5 ms units, 0 keeps the channel open.
  bool OpenVComm(uint8_t speedCode, uint16_t closeTimeOut);
  bool CloseVComm();
  bool OpenRoute(uint8_t routeKind, const std::string &route);
  bool OpenUart(uint8_t speedCode, uint16_t closeTimeOut, const std::string &route, uint8_t routeKind);
  bool CloseRoute(const std::string &route);
  bool OpenTerm(uint8_t address);
  bool CloseTerm();

  // The mesh layer, its node table and the route table.
  bool ReadOrvaCommonContext(TORVA_CommonContext &ctx);
  bool ReadOrvaRouterContext(TORVA_RouterContext &ctx);
  bool ReadOrvaNode(uint8_t index, TORVA_Node &entry, uint8_t &firstCount, uint8_t &secondCount);
  // Entries 0 .. n-1, n from entry 0's answer; a failure after entry 0
  // keeps the entries read so far and still returns true.
  bool ReadOrvaNodeTable(bool useFirstCount, TORVA_Nodes &nodes, uint8_t &secondCount);
  // The outcome is only in ResultCode.
  void RemoveOrvaChild(uint16_t address);
  bool ReadRoutePairCount(uint8_t &count);
  bool ReadRoutePairs(uint8_t first, uint8_t count, ZIZ2400RoutePairs &pairs);
  // An empty table reads as a failure ("данные отсутствуют").
  bool ReadRouteTable(ZIZ2400RoutePairs &pairs);

 protected:
  bool BeforeExecute(device::TCustomDevice &device, uint8_t transaction) override;
  bool AnswerBelongs(const std::string &answerData) const override;
  size_t AnswerEnd() const override;

  // Decodes the data bytes of a successful answer (hex text after the status
  // pair); returns the record to fail with, or nothing when all is well.
  using AnswerDecoder = std::function<std::optional<device::TResultCode>(const std::string &dataHex)>;
  // One operation: announce, start, run the command, decode on success,
  // report the end. True when the result code is 0 at the end.
  bool RunOperation(const std::string &actionText, const std::string &command, const AnswerDecoder &decode = {});
  // The same for a request whose answer data must have `form`: an answer of
  // another form is a late one to an earlier request and is waited past.
  bool RunOperation(const std::string &actionText, const std::string &command, const TAnswerForm &form,
                    const AnswerDecoder &decode);
  // An operation whose arguments admit no request: logged as one that
  // failed with `rc`, and nothing is sent.
  bool RefuseOperation(const std::string &actionText, const device::TResultCode &rc);

  // An operation made of other operations: announced with its own action,
  // which holds theirs as children. A false from `work` with a result of 0
  // is reported as a failure all the same.
  bool RunCompositeOperation(uint8_t actionCode, const std::string &actionText, int actionSize, uint8_t actionType,
                             const std::function<bool()> &work);
  // MemoryRequest that, when `expectedBytes` is given, also fails unless the
  // answer holds exactly that many data bytes.
  bool RunMemoryRequest(uint8_t mode, uint8_t memType, std::string &data, uint32_t address, uint8_t count,
                        std::optional<size_t> expectedBytes);
  // A parameter read of exactly `bytes` answer bytes.
  bool ReadMemoryParameter(uint8_t memType, uint8_t count, size_t bytes, std::string &data);
  bool ReadSizeAndFlag(uint8_t memType, uint8_t &size, bool &flag);
  // Work parameters or production information: size and flag, then the bytes.
  bool ReadFlaggedRegion(const std::string &actionText, uint8_t sizeType, uint8_t bytesType, std::string &data,
                         bool &flag);
  bool ReadSizeWord(uint8_t memType, uint16_t &size);
  // A raw memory read in blocks, logged as one action.
  bool ReadPureRegion(uint8_t memType, uint16_t address, uint16_t count, std::string &data);
  // A whole region: its size first (a size of 0 is "no data"), then its bytes.
  bool ReadSizedRegion(const std::function<bool(uint32_t &size)> &readSize,
                       const std::function<bool(uint32_t size)> &readBytes);

 private:
  uint8_t hostAddr_ = 0;
  uint8_t protocol_ = 0;
  std::atomic<bool> endAfterBlock_{false};
  std::atomic<bool> configWriteIncomplete_{false};
  std::string frameData_;
  size_t frameEnd_ = 0;  // past the answer ParseAnswer found last
  TAnswerForm answerForm_;  // of the request in flight; under the state lock
};

}  // namespace modem
