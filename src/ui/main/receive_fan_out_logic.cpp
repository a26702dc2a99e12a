#include "ui/main/receive_fan_out_logic.h"

#include <mutex>
#include <vector>

namespace ui {

// Delivery holds the lock while it calls the listeners, so an unsubscribe
// waits for a callback in progress and a listener is never called after its
// handle (and whatever the callback captured) has gone.
struct ReceiveFanOut::State {
  mutable std::mutex mutex;
  uint64_t nextId = 1;
  std::vector<std::pair<uint64_t, Listener>> listeners;
};

class ReceiveFanOut::Subscription : public IReceiveSubscription {
 public:
  Subscription(std::weak_ptr<State> state, uint64_t id) : state_(std::move(state)), id_(id) {}
  ~Subscription() override {
    auto state = state_.lock();
    if (!state) return;
    std::lock_guard lock(state->mutex);
    std::erase_if(state->listeners, [this](const auto &l) { return l.first == id_; });
  }

 private:
  std::weak_ptr<State> state_;
  uint64_t id_;
};

ReceiveFanOut::ReceiveFanOut() : state_(std::make_shared<State>()) {}
ReceiveFanOut::~ReceiveFanOut() = default;

std::unique_ptr<IReceiveSubscription> ReceiveFanOut::Subscribe(Listener listener) {
  std::lock_guard lock(state_->mutex);
  uint64_t id = state_->nextId++;
  state_->listeners.emplace_back(id, std::move(listener));
  return std::make_unique<Subscription>(state_, id);
}

void ReceiveFanOut::Deliver(const std::string &bytes) {
  std::lock_guard lock(state_->mutex);
  for (auto &[id, listener] : state_->listeners)
    if (listener) listener(bytes);
}

size_t ReceiveFanOut::Count() const {
  std::lock_guard lock(state_->mutex);
  return state_->listeners.size();
}

}  // namespace ui
