#include "device/device_waiter.h"

#include <mutex>

namespace device {

IDeviceWaiter::Outcome CondVarWaiter::Wait(uint32_t timeoutMs, util::ManualResetEvent &answer,
                                           util::ManualResetEvent &abort) {
  switch (util::WaitAny({&answer, &abort}, timeoutMs)) {
    case 0: return Outcome::Answer;
    case 1: return Outcome::Abort;
    default: return Outcome::Timeout;
  }
}

namespace {
std::mutex g_mutex;
std::shared_ptr<IDeviceWaiter> g_waiter;
std::shared_ptr<IErrorPresenter> g_presenter;
}  // namespace

std::shared_ptr<IDeviceWaiter> DefaultDeviceWaiter() {
  std::lock_guard lock(g_mutex);
  if (!g_waiter) g_waiter = std::make_shared<CondVarWaiter>();
  return g_waiter;
}

void SetDefaultDeviceWaiter(std::shared_ptr<IDeviceWaiter> waiter) {
  std::lock_guard lock(g_mutex);
  g_waiter = std::move(waiter);
}

std::shared_ptr<IErrorPresenter> DefaultErrorPresenter() {
  std::lock_guard lock(g_mutex);
  return g_presenter;
}

void SetDefaultErrorPresenter(std::shared_ptr<IErrorPresenter> presenter) {
  std::lock_guard lock(g_mutex);
  g_presenter = std::move(presenter);
}

}  // namespace device
