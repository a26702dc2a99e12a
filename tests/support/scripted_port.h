#pragma once
// A port without a line: what is sent is recorded, and a responder decides
// what "arrives" in reply. Replies are delivered from a thread of their own,
// as a real port's reader would.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "port/custom_port.h"

namespace testing_support {

struct Reply {
  std::string bytes;
  unsigned delayMs = 0;  // after the previous block
};

class ScriptedPort : public port::TCustomPort {
 public:
  using Responder = std::function<std::vector<Reply>(const std::string &packet)>;

  ScriptedPort();
  ~ScriptedPort() override;

  void SetActive(bool v) override { active_ = v; }
  bool GetActive() const override { return active_; }
  void SendData(const std::string &data) override;

  void SetResponder(Responder r);
  // Delivers bytes as if they had just been read from the line.
  void Inject(std::vector<Reply> blocks);
  std::vector<std::string> Sent() const;
  // Waits until everything queued so far has been delivered.
  void Drain();

 private:
  void Run();

  bool active_ = true;
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  Responder responder_;
  std::vector<std::string> sent_;
  std::deque<Reply> queue_;
  bool delivering_ = false;
  bool stop_ = false;
  std::thread worker_;
};

}  // namespace testing_support
