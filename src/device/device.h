#pragma once
// A device on a line: its address, the text of the running operation and
// the progress notifications the main window turns into log entries.
#include "device/custom_device.h"

namespace device {

class TDevice : public TCustomDevice {
 public:
  uint8_t GetDeviceId() const;
  void SetDeviceId(uint8_t id);
  std::string GetActionStr() const;
  void SetActionStr(const std::string &text);

  void DoAction(uint8_t code, const std::string &text, int size, uint8_t type);
  void DoDetailedInfo(TDeviceDetailMode mode, const std::string &text, int tryNumber);
  void DetailStart();
  void DetailDone();

 protected:
  void DoRepeat(int tryNumber) override;

 private:
  uint8_t deviceId_ = 0;
  std::string actionStr_;
};

}  // namespace device
