#pragma once
// The engine's wait in the GUI: a nested event loop that keeps the window
// painting and answering clicks, woken at once by a queued call when the
// answer or abort event is set on the reader thread.
#include <QObject>
#include <QPointer>
#include <memory>

#include "device/device_waiter.h"

class QEventLoop;

class GuiDeviceWaiter final : public QObject, public device::IDeviceWaiter {
  Q_OBJECT
 public:
  explicit GuiDeviceWaiter(QObject *parent = nullptr);
  Outcome Wait(uint32_t timeoutMs, util::ManualResetEvent &answer, util::ManualResetEvent &abort) override;
  void ProcessInput() override;

 private:
  // Woken from other threads; the loop it quits belongs to this thread.
  void WakeFromAnyThread();
  QPointer<QEventLoop> loop_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
