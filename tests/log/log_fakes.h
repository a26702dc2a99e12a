#pragma once
// Stand-ins for the view, the blink timer and the tick counter, so the
// logger's tests see every call it makes and decide when time passes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "log/logger.h"

class RecordingLogView : public ILogView {
 public:
  void AttachLogger(TLogger &) override { calls.push_back("attach"); }
  void DetachLogger() override { calls.push_back("detach"); }
  void BeginAddRow(const TLogNode *parent, int row) override {
    calls.push_back("begin-add " + Name(parent) + " " + std::to_string(row));
  }
  void EndAddRow() override { calls.push_back("end-add"); }
  void RepaintRow(const TLogNode &node) override { calls.push_back("repaint " + node.TextRef()); }
  void BeginClear() override { calls.push_back("begin-clear"); }
  void EndClear() override { calls.push_back("end-clear"); }
  void SetRowExpanded(const TLogNode &node, bool expanded) override {
    calls.push_back((expanded ? "expand " : "collapse ") + node.TextRef());
  }
  void RevealRow(const TLogNode &node) override { calls.push_back("reveal " + node.TextRef()); }

  bool Saw(const std::string &call) const {
    for (const auto &c : calls) {
      if (c == call) return true;
    }
    return false;
  }

  std::vector<std::string> calls;

 private:
  static std::string Name(const TLogNode *node) { return node ? node->TextRef() : "<top>"; }
};

struct ManualTimerState {
  int created = 0;
  uint32_t interval = 0;
  bool enabled = false;
  std::function<void()> onTick;
};

class ManualTimer : public ILogTimer {
 public:
  explicit ManualTimer(ManualTimerState &state) : state_(state) {}
  ~ManualTimer() override { state_.onTick = nullptr; }
  void SetInterval(uint32_t ms) override { state_.interval = ms; }
  void SetEnabled(bool enabled) override { state_.enabled = enabled; }

 private:
  ManualTimerState &state_;
};

// A logger with a recording view, a hand-driven timer and clock, and a point
// as decimal separator.
struct LoggerRig {
  RecordingLogView view;
  ManualTimerState timer;
  uint32_t now = 1000;
  std::unique_ptr<TLogger> logger;

  explicit LoggerRig(char decimalSeparator = '.') {
    TLoggerOptions options;
    options.Timers = [this](std::function<void()> onTick) -> std::unique_ptr<ILogTimer> {
      ++timer.created;
      timer.onTick = std::move(onTick);
      return std::make_unique<ManualTimer>(timer);
    };
    options.Tick = [this] { return now; };
    options.Numbers.decimalSeparator = decimalSeparator;
    logger = std::make_unique<TLogger>(&view, std::move(options));
  }

  void Tick() {
    if (timer.enabled && timer.onTick) timer.onTick();
  }
};
