#pragma once
// SIGINT, SIGTERM and SIGHUP in vovorctl. They are blocked in every thread
// and taken by one watcher thread, which hands each to a callback with its
// running count; the program then unwinds normally, so the line is always
// closed and given back. Construct before any other thread starts.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace cli {

class InterruptWatch {
 public:
  InterruptWatch();
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch &) = delete;
  InterruptWatch &operator=(const InterruptWatch &) = delete;

  // Called on the watcher thread with 1 for the first signal, 2 for the
  // second, and so on; an empty handler lets go of what the last one used.
  void OnSignal(std::function<void(int count)> handler);
  int Count() const { return count_; }

 private:
  void Run();
  int signalFd_ = -1;
  int wakeFd_ = -1;
  std::atomic<int> count_{0};
  std::mutex handlerMutex_;
  std::function<void(int)> handler_;
  std::thread thread_;
};

}  // namespace cli
