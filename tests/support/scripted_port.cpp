#include "support/scripted_port.h"

#include <chrono>

namespace testing_support {

ScriptedPort::ScriptedPort() : worker_([this] { Run(); }) {}

ScriptedPort::~ScriptedPort() {
  {
    std::lock_guard l(mutex_);
    stop_ = true;
  }
  cv_.notify_all();
  worker_.join();
  DetachAllLinks();
}

void ScriptedPort::SetResponder(Responder r) {
  std::lock_guard l(mutex_);
  responder_ = std::move(r);
}

void ScriptedPort::SendData(const std::string &data) {
  Responder r;
  {
    std::lock_guard l(mutex_);
    sent_.push_back(data);
    r = responder_;
  }
  TCustomPort::SendData(data);
  if (r && !data.empty()) Inject(r(data));
}

void ScriptedPort::Inject(std::vector<Reply> blocks) {
  {
    std::lock_guard l(mutex_);
    for (auto &b : blocks) queue_.push_back(std::move(b));
  }
  cv_.notify_all();
}

std::vector<std::string> ScriptedPort::Sent() const {
  std::lock_guard l(mutex_);
  return sent_;
}

void ScriptedPort::Drain() {
  std::unique_lock l(mutex_);
  cv_.wait(l, [this] { return queue_.empty() && !delivering_; });
}

void ScriptedPort::Run() {
  std::unique_lock l(mutex_);
  for (;;) {
    cv_.wait(l, [this] { return stop_ || !queue_.empty(); });
    if (stop_) return;
    Reply r = std::move(queue_.front());
    queue_.pop_front();
    delivering_ = true;
    l.unlock();
    if (r.delayMs) std::this_thread::sleep_for(std::chrono::milliseconds(r.delayMs));
    DataReceived(r.bytes);
    l.lock();
    delivering_ = false;
    cv_.notify_all();
  }
}

}  // namespace testing_support
