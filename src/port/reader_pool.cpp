#include "port/reader_pool.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace port {

namespace {

class WorkPool {
 public:
  bool Queue(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
    // Every item has a thread of its own: a waiting one reserved for it, or a
    // new one. Pool threads live as long as the process.
    if (available_ > 0) {
      --available_;
      cv_.notify_one();
    } else {
      std::thread([this] { Serve(); }).detach();
    }
    return true;
  }

 private:
  void Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
      if (queue_.empty()) {
        ++available_;
        cv_.wait(lock, [this] { return !queue_.empty(); });
      }
      auto work = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      work();
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> queue_;
  int available_ = 0;
};

WorkPool &Pool() {
  static WorkPool *pool = new WorkPool;  // never destroyed: detached threads use it to the end
  return *pool;
}

}  // namespace

bool QueueLongRunningWork(std::function<void()> work) { return Pool().Queue(std::move(work)); }

}  // namespace port
