#include "ui/log/log_qt_timer.h"

#include <QTimer>
#include <utility>

namespace {

class TQtLogTimer final : public ILogTimer {
 public:
  explicit TQtLogTimer(std::function<void()> onTick) {
    QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(onTick)] { tick(); });
  }
  void SetInterval(uint32_t ms) override { timer_.setInterval(static_cast<int>(ms)); }
  void SetEnabled(bool enabled) override {
    if (enabled) {
      timer_.start();
    } else {
      timer_.stop();
    }
  }

 private:
  QTimer timer_;
};

}  // namespace

TLogTimerFactory QtLogTimerFactory() {
  return [](std::function<void()> onTick) -> std::unique_ptr<ILogTimer> {
    return std::make_unique<TQtLogTimer>(std::move(onTick));
  };
}
