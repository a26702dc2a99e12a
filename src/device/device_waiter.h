#pragma once
// How a transaction waits for its answer. The default waits on a condition
// variable (tests, vovorctl); the GUI installs one that runs a nested event
// loop so the window stays live while a transaction waits.
#include <cstdint>
#include <memory>
#include <string>

#include "util/manual_reset_event.h"

namespace device {

class IDeviceWaiter {
 public:
  enum class Outcome { Timeout, Answer, Abort, Input };
  virtual ~IDeviceWaiter() = default;
  // Waits up to `timeoutMs` for the answer event, the abort event, or input
  // for the calling thread, whichever comes first.
  virtual Outcome Wait(uint32_t timeoutMs, util::ManualResetEvent &answer, util::ManualResetEvent &abort) = 0;
  // Handles all pending input of the calling thread.
  virtual void ProcessInput() = 0;
};

class CondVarWaiter final : public IDeviceWaiter {
 public:
  Outcome Wait(uint32_t timeoutMs, util::ManualResetEvent &answer, util::ManualResetEvent &abort) override;
  void ProcessInput() override {}
};

// The waiter devices use unless given their own; starts as a CondVarWaiter.
std::shared_ptr<IDeviceWaiter> DefaultDeviceWaiter();
void SetDefaultDeviceWaiter(std::shared_ptr<IDeviceWaiter> waiter);

// Shows an error to the user (a message box in the GUI) and returns the
// button pressed.
class IErrorPresenter {
 public:
  virtual ~IErrorPresenter() = default;
  virtual int ShowError(const std::string &caption, const std::string &text, int flags) = 0;
};

std::shared_ptr<IErrorPresenter> DefaultErrorPresenter();
void SetDefaultErrorPresenter(std::shared_ptr<IErrorPresenter> presenter);

}  // namespace device
