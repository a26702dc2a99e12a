#include "device/device.h"

namespace device {

uint8_t TDevice::GetDeviceId() const {
  auto l = LockState();
  return deviceId_;
}

void TDevice::SetDeviceId(uint8_t id) {
  auto l = LockState();
  deviceId_ = id;
}

std::string TDevice::GetActionStr() const {
  auto l = LockState();
  return actionStr_;
}

void TDevice::SetActionStr(const std::string &text) {
  auto l = LockState();
  actionStr_ = text;
}

void TDevice::DoAction(uint8_t code, const std::string &text, int size, uint8_t type) {
  SetActionStr(text);
  if (OnAction) OnAction(*this, code, text, size, type);
}

void TDevice::DoDetailedInfo(TDeviceDetailMode mode, const std::string &text, int tryNumber) {
  if (OnDetailedInfo) OnDetailedInfo(*this, mode, text, tryNumber);
}

void TDevice::DetailStart() { DoDetailedInfo(TDeviceDetailMode::dmStart, GetActionStr(), 0); }

void TDevice::DetailDone() {
  TResultCode rc = ResultCode();
  DoDetailedInfo(rc.Code != 0 ? TDeviceDetailMode::dmDoneFail : TDeviceDetailMode::dmDoneOK, rc.Msg, 0);
}

void TDevice::DoRepeat(int tryNumber) { DoDetailedInfo(TDeviceDetailMode::dmRepeat, GetActionStr(), tryNumber); }

}  // namespace device
