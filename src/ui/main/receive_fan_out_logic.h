#pragma once
// Hands every block the port reads to any number of listeners. A listener
// holds a handle; dropping the handle ends its subscription, and once the
// handle is gone its callback is never entered again.
#include <functional>
#include <memory>
#include <string>

namespace ui {

// A listener of the bytes the port reads. Destroying the handle ends the
// subscription; the callback runs on the port's reader thread.
class IReceiveSubscription {
 public:
  virtual ~IReceiveSubscription() = default;
};

class ReceiveFanOut {
 public:
  using Listener = std::function<void(const std::string &)>;

  ReceiveFanOut();
  ~ReceiveFanOut();
  ReceiveFanOut(const ReceiveFanOut &) = delete;
  ReceiveFanOut &operator=(const ReceiveFanOut &) = delete;

  // The handle may outlive the fan-out.
  std::unique_ptr<IReceiveSubscription> Subscribe(Listener listener);
  // Calls every listener in the order they subscribed. A listener must not
  // subscribe or unsubscribe from inside its callback.
  void Deliver(const std::string &bytes);
  size_t Count() const;

 private:
  struct State;
  class Subscription;
  std::shared_ptr<State> state_;
};

}  // namespace ui
