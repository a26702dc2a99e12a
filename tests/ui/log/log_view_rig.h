#pragma once
// A tree view with the log model attached, a hand-driven blink timer and a
// clock that only moves when told, on the offscreen platform.
#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QTreeView>
#include <cstdint>
#include <functional>
#include <memory>

#include "log/logger.h"
#include "ui/log/log_tree_model.h"

class HandTimer : public ILogTimer {
 public:
  explicit HandTimer(std::function<void()> &tick, bool &enabled) : tick_(tick), enabled_(enabled) {}
  ~HandTimer() override { tick_ = nullptr; }
  void SetInterval(uint32_t) override {}
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

 private:
  std::function<void()> &tick_;
  bool &enabled_;
};

struct LogViewRig {
  QTreeView view;
  TLogTreeModel *model;
  std::unique_ptr<TLogger> logger;
  std::unique_ptr<QAbstractItemModelTester> tester;
  std::function<void()> tick;
  bool timerEnabled = false;
  uint32_t now = 5000;

  LogViewRig() : model(new TLogTreeModel(&view, &view)) {
    view.resize(566, 240);
    TLoggerOptions options;
    options.Timers = [this](std::function<void()> onTick) -> std::unique_ptr<ILogTimer> {
      tick = std::move(onTick);
      return std::make_unique<HandTimer>(tick, timerEnabled);
    };
    options.Tick = [this] { return now; };
    logger = std::make_unique<TLogger>(model, std::move(options));
    tester = std::make_unique<QAbstractItemModelTester>(model, QAbstractItemModelTester::FailureReportingMode::Warning);
  }

  ~LogViewRig() {
    tester.reset();
    logger.reset();
  }

  void Tick() {
    if (timerEnabled && tick) tick();
  }

  // Lets the queued reveal and the layout run.
  static void Settle() { QCoreApplication::processEvents(); }

  QModelIndex Index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const {
    return model->index(row, column, parent);
  }
};
