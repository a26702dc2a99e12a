#pragma once
// The logger: owns the top-level nodes, knows the open action, drives the
// view it was created on and blinks the open action's icon.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "log/log_intf.h"
#include "log/log_node.h"
#include "log/log_view.h"
#include "util/format.h"

struct TLoggerOptions {
  // Makes the blink timer; without one the icon simply does not blink.
  TLogTimerFactory Timers;
  // The millisecond tick counter; util::TickMs when empty.
  std::function<uint32_t()> Tick;
  // Number format of the elapsed-time detail; the user's locale by default.
  util::FormatSettings Numbers = util::LocaleFormatSettings();
};

class TLogger final : public TLogContainer, public ILogger {
 public:
  static constexpr uint32_t kBlinkIntervalMs = 250;

  // `view` may be none (a log kept in memory only); otherwise the logger
  // takes it over until it is destroyed.
  TLogger(ILogView *view, TLoggerOptions options);
  ~TLogger() override;

  std::shared_ptr<ILogNode> GetCurrentNode() override;
  std::shared_ptr<ILogNode> AddMessage(const std::string &Text) override;
  std::shared_ptr<ILogNode> AddMessageAs(const std::string &Text, TLogNodeState State) override;
  std::shared_ptr<ILogNode> BeginAction(const std::string &Text) override;
  std::shared_ptr<ILogNode> EndSuccess(const std::string &Detail) override;
  std::shared_ptr<ILogNode> EndError(const std::string &Detail) override;
  std::shared_ptr<ILogNode> EndPartial(const std::string &Detail) override;
  std::shared_ptr<ILogNode> EndAsLastChild() override;
  // Removes every node, the open action included; nodes that callers still
  // hold stay readable but belong to no log any more.
  void Clear() override;

  // What the view shows.
  std::string GetCellText(const TLogNode &node, int column, TVSTTextType type) const;
  int GetImageIndex(const TLogNode &node, TVTImageKind kind, int column) const;

  // The view reports a row the user expanded or collapsed.
  void NoteRowExpanded(TLogNode &node, bool expanded) { node.Expanded = expanded; }
  // The view is going away before the logger: keep the log, stop drawing.
  void DetachView() { view_ = nullptr; }

  const TLogNode *Current() const { return current_; }
  bool Blinking() const { return blinking_; }
  bool BlinkPhase() const { return blinkPhase_; }

 private:
  friend class TLogNode;

  std::shared_ptr<ILogNode> AddNode(const std::string &text, TLogNodeState state);
  std::shared_ptr<ILogNode> Finish(TLogNodeState state, const std::string &result, const std::string &detail);
  void SetState(TLogNode &node, TLogNodeState state);
  void StartBlinking();
  void StopBlinking();
  void BlinkTick();
  void Reveal(TLogNode &node);
  void RepaintNode(const TLogNode &node);
  void SetNodeExpanded(TLogNode &node, bool expanded);
  std::shared_ptr<TLogNode> SharedOf(const TLogNode &node) const;
  uint32_t Now() const;

  ILogView *view_;
  TLoggerOptions options_;
  TLogNode *current_ = nullptr;
  std::unique_ptr<ILogTimer> blinkTimer_;
  bool blinking_ = false;
  bool blinkPhase_ = false;
};
