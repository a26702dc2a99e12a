#pragma once
// The channel pages without Qt: the speed list, the test block, and the
// checker that compares what comes back through an open channel.
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vcomm_tab {

// The speed list; the position is the speed code of the channel requests.
inline constexpr int kSpeedItemCount = 15;
const char *const *SpeedItems();

// Header 00, N low, N high, then N bytes counting 0, 1, ... modulo 256.
std::string TestBlock(int n);

// Compares the numbered test blocks that come back through a channel. Fed
// from the port's reader thread, ticked by the page's 100 ms timer.
class ReceiveChecker {
 public:
  enum State { Off, WaitStart, WaitLen, Receiving, Comparing };
  static const char *StateName(State s);

  void Start();       // total 0, state "Wait start"
  void Stop();        // state "Off"
  void ResetTotal();  // total 0

  // Every block the port delivers (any thread).
  void OnReceive(std::string_view block);

  struct Tick {
    uint32_t total = 0;
    State state = Off;       // as shown, before this tick's step
    bool compared = false;   // a block was compared this tick: the report replaces the memo
    std::vector<std::string> report;  // empty with compared: the block was right
  };
  // One timer tick: five ticks without data end a block, which is compared.
  Tick OnTimer();

 private:
  mutable std::mutex mutex_;
  State state_ = Off;
  uint32_t total_ = 0;
  std::string buffer_;
  uint16_t expected_ = 0;
  int idle_ = 0;
};

}  // namespace vcomm_tab
