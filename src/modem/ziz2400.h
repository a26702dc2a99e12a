#pragma once
// The modem on the line: frames commands in BIN or ASCII, finds its answer
// among the received bytes and turns the status byte into the result.
#include <cstdint>
#include <string>

#include "device/device.h"

namespace modem {

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

 protected:
  bool BeforeExecute(device::TCustomDevice &device, uint8_t transaction) override;

 private:
  uint8_t hostAddr_ = 0;
  uint8_t protocol_ = 0;
  std::string frameData_;
};

}  // namespace modem
