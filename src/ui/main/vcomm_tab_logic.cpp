#include "ui/main/vcomm_tab_logic.h"

#include <algorithm>

#include "util/format.h"
#include "util/little_endian.h"

namespace vcomm_tab {

const char *const *SpeedItems() {
  static const char *const items[kSpeedItemCount] = {"(по умолчанию)", "115200", "57600", "38400", "19200",
                                                     "9600",           "4800",   "2400",  "1200",  "600",
                                                     "300",            "150",    "50",    "---резерв1", "---резерв2"};
  return items;
}

std::string TestBlock(int n) {
  if (n < 0) n = 0;
  std::string block;
  block.reserve(static_cast<size_t>(n) + 3);
  block.push_back('\0');
  util::AppendLe16(block, static_cast<uint16_t>(n));
  for (int i = 0; i < n; ++i) block.push_back(static_cast<char>(i % 256));
  return block;
}

const char *ReceiveChecker::StateName(State s) {
  static const char *const names[] = {"Off", "Wait start", "Wait len", "Receiving", "Comparing"};
  return names[s];
}

void ReceiveChecker::Start() {
  std::lock_guard l(mutex_);
  total_ = 0;
  buffer_.clear();
  state_ = WaitStart;
  expected_ = 0;
  idle_ = 0;
}

void ReceiveChecker::Stop() {
  std::lock_guard l(mutex_);
  state_ = Off;
}

void ReceiveChecker::ResetTotal() {
  std::lock_guard l(mutex_);
  total_ = 0;
}

void ReceiveChecker::OnReceive(std::string_view block) {
  std::lock_guard l(mutex_);
  total_ += static_cast<uint32_t>(block.size());
  std::string_view rest;
  if (state_ == WaitStart) {
    size_t start = block.find('\0');
    if (start == std::string_view::npos) return;
    state_ = WaitLen;
    idle_ = 0;  // a new block: the idle count of the last one does not carry over
    rest = block.substr(start + 1);
  } else if (state_ == WaitLen || state_ == Receiving) {
    rest = block;
  } else {
    return;
  }
  idle_ = 0;
  buffer_.append(rest);
  // The length may come in the same delivery as the start byte.
  if (state_ == WaitLen && buffer_.size() >= 2) {
    expected_ = util::LeU16(buffer_);
    buffer_.erase(0, 2);
    state_ = Receiving;
  }
}

ReceiveChecker::Tick ReceiveChecker::OnTimer() {
  std::lock_guard l(mutex_);
  Tick t;
  t.total = total_;
  t.state = state_;
  if (state_ == WaitLen || state_ == Receiving) {
    if (++idle_ == 5) state_ = Comparing;
  }
  if (state_ == Comparing) {
    t.compared = true;
    size_t m = std::min<size_t>(buffer_.size(), expected_);
    if (buffer_.size() != expected_)
      t.report.push_back(util::Format("Size differ: waited %d, received %d", expected_, buffer_.size()));
    for (size_t i = 0; i < m; ++i) {
      uint8_t got = static_cast<uint8_t>(buffer_[i]);
      if (got != i % 256)
        t.report.push_back(
            util::Format("Error at pos %4.4d (%4.4x): waited %2.2x, received %2.2x", i, i, i % 256, got));
    }
    state_ = WaitStart;
    buffer_.clear();
    expected_ = 0;
  }
  return t;
}

}  // namespace vcomm_tab
