#pragma once
// A manual-reset event: stays set until reset, wakes every waiter. Several
// events can be waited on at once, and an observer can be told of every Set
// (the GUI uses that to wake its event loop).
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <vector>

namespace util {

class ManualResetEvent {
 public:
  ManualResetEvent() = default;
  explicit ManualResetEvent(bool initiallySet) : set_(initiallySet) {}
  ManualResetEvent(const ManualResetEvent &) = delete;
  ManualResetEvent &operator=(const ManualResetEvent &) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // True when the event was (or became) set within `timeoutMs`.
  bool Wait(uint32_t timeoutMs);

  // Observers run on the thread that calls Set, outside the event's lock.
  int AddObserver(std::function<void()> onSet);
  void RemoveObserver(int id);

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  bool set_ = false;
  int nextObserverId_ = 1;
  std::vector<std::pair<int, std::function<void()>>> observers_;
};

// Waits until any of `events` is set or `timeoutMs` passes. Returns the index
// of the first set event in the list, or -1 on time-out.
int WaitAny(std::initializer_list<ManualResetEvent *> events, uint32_t timeoutMs);

}  // namespace util
