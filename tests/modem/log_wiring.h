#pragma once
// Turns a device's progress into log actions the way the main window does
// (without the time-of-day prefix), so tests can check the log's shape.
#include "device/custom_device.h"
#include "log/logger.h"
#include "util/format.h"

namespace modem_test {

inline void LogTo(TLogger &log, device::TCustomDevice &device) {
  using device::TDeviceDetailMode;
  device.OnDetailedInfo = [&log](device::TCustomDevice &, TDeviceDetailMode mode, const std::string &text, int tryNo) {
    switch (mode) {
      case TDeviceDetailMode::dmStart:
        log.BeginAction(text);
        break;
      case TDeviceDetailMode::dmRepeat:
        if (auto open = log.GetCurrentNode()) {
          open->SetText(text);
          open->SetNote(util::Format("RC:%d", tryNo + 1));
        }
        break;
      case TDeviceDetailMode::dmDoneOK:
        log.EndSuccess(text);
        break;
      case TDeviceDetailMode::dmDoneFail:
        log.EndError(text);
        break;
    }
  };
}

}  // namespace modem_test
