#include "util/manual_reset_event.h"

#include <chrono>
#include <memory>

namespace util {

void ManualResetEvent::Set() {
  std::vector<std::function<void()>> toCall;
  {
    std::lock_guard lock(mutex_);
    set_ = true;
    for (auto &o : observers_) toCall.push_back(o.second);
  }
  cv_.notify_all();
  for (auto &f : toCall) f();
}

void ManualResetEvent::Reset() {
  std::lock_guard lock(mutex_);
  set_ = false;
}

bool ManualResetEvent::IsSet() const {
  std::lock_guard lock(mutex_);
  return set_;
}

bool ManualResetEvent::Wait(uint32_t timeoutMs) {
  std::unique_lock lock(mutex_);
  return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return set_; });
}

int ManualResetEvent::AddObserver(std::function<void()> onSet) {
  std::lock_guard lock(mutex_);
  int id = nextObserverId_++;
  observers_.emplace_back(id, std::move(onSet));
  return id;
}

void ManualResetEvent::RemoveObserver(int id) {
  std::lock_guard lock(mutex_);
  std::erase_if(observers_, [id](const auto &o) { return o.first == id; });
}

int WaitAny(std::initializer_list<ManualResetEvent *> events, uint32_t timeoutMs) {
  auto firstSet = [&]() -> int {
    int k = 0;
    for (auto *e : events) {
      if (e && e->IsSet()) return k;
      ++k;
    }
    return -1;
  };
  int found = firstSet();
  if (found >= 0 || timeoutMs == 0) return found;

  struct Shared {
    std::mutex m;
    std::condition_variable cv;
    bool signalled = false;
  };
  auto shared = std::make_shared<Shared>();
  std::vector<std::pair<ManualResetEvent *, int>> ids;
  for (auto *e : events) {
    if (!e) continue;
    ids.emplace_back(e, e->AddObserver([shared] {
      {
        std::lock_guard l(shared->m);
        shared->signalled = true;
      }
      shared->cv.notify_all();
    }));
  }
  // A Set between the first check and the registration is caught here.
  found = firstSet();
  if (found < 0) {
    std::unique_lock l(shared->m);
    shared->cv.wait_for(l, std::chrono::milliseconds(timeoutMs), [&] { return shared->signalled; });
  }
  for (auto &[e, id] : ids) e->RemoveObserver(id);
  return found >= 0 ? found : firstSet();
}

}  // namespace util
