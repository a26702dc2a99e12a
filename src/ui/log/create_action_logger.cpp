#include "ui/log/create_action_logger.h"

#include <QLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "log/action_logger_controller.h"
#include "log/logger.h"
#include "ui/log/action_log_frame.h"
#include "ui/log/log_qt_timer.h"
#include "ui/log/log_tree_model.h"

namespace {

// Frees the frame with the controller, unless its panel took it down first.
class TLogFrameHandle final : public ILogFrame {
 public:
  explicit TLogFrameHandle(TActionLog_Frame *frame) : frame_(frame) {}
  ~TLogFrameHandle() override { delete frame_.data(); }

 private:
  QPointer<TActionLog_Frame> frame_;
};

void PlaceInPanel(TActionLog_Frame *frame, QWidget *panel) {
  frame->setParent(panel);
  QLayout *layout = panel->layout();
  if (!layout) {
    layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
  }
  layout->addWidget(frame);
  frame->show();
}

}  // namespace

std::shared_ptr<ISequentialActionLogger> CreateActionLogger(QWidget *Panel) {
  auto *frame = new TActionLog_Frame();
  frame->hide();
  if (Panel) PlaceInPanel(frame, Panel);
  auto *model = new TLogTreeModel(frame->VST, frame);
  TLoggerOptions options;
  options.Timers = QtLogTimerFactory();
  auto logger = std::make_shared<TLogger>(model, std::move(options));
  frame->ApplyColumnLayout();
  // Rows come in one at a time; the column is fitted once they are painted.
  QObject::connect(model, &QAbstractItemModel::rowsInserted, frame, [frame] {
    QMetaObject::invokeMethod(frame, &TActionLog_Frame::FitFirstColumn, Qt::QueuedConnection);
  });
  return std::make_shared<TActionLoggerController>(std::make_unique<TLogFrameHandle>(frame), std::move(logger));
}
