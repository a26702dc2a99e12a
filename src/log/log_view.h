#pragma once
// What the logger needs of the widget that shows it, and of a timer. Both are
// interfaces so the log model stays free of any toolkit and its tests can
// stand in for the view and tick the blink timer by hand.
#include <cstdint>
#include <functional>
#include <memory>

class TLogger;
class TLogNode;

// Which text of a cell: the normal one, or the grey one drawn after it.
enum class TVSTTextType { ttNormal, ttStatic };

// Which image of a cell the view asks for.
enum class TVTImageKind { ikNormal, ikSelected, ikState, ikOverlay };

// The tree view, as the logger drives it. Rows are identified by their log
// node; a node's row under its parent never changes until the log is cleared.
class ILogView {
 public:
  virtual ~ILogView() = default;
  // The logger takes the view over (its rows become the logger's) and later
  // gives it back as it was.
  virtual void AttachLogger(TLogger &logger) = 0;
  virtual void DetachLogger() = 0;
  // A row is about to appear at `row` under `parent` (top level when none).
  virtual void BeginAddRow(const TLogNode *parent, int row) = 0;
  virtual void EndAddRow() = 0;
  virtual void RepaintRow(const TLogNode &node) = 0;
  virtual void BeginClear() = 0;
  virtual void EndClear() = 0;
  virtual void SetRowExpanded(const TLogNode &node, bool expanded) = 0;
  // Focus and select only this row and scroll it into view, centred; the
  // logger has expanded its ancestors already.
  virtual void RevealRow(const TLogNode &node) = 0;
};

class ILogTimer {
 public:
  virtual ~ILogTimer() = default;
  virtual void SetInterval(uint32_t ms) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// Makes a timer that calls onTick on each expiry while enabled.
using TLogTimerFactory = std::function<std::unique_ptr<ILogTimer>(std::function<void()> onTick)>;
