#include "ui/log/action_log_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/log/create_action_logger.h"
#include "ui/log/log_item_delegate.h"
#include "ui/log/log_tree_model.h"

namespace {

struct FrameRig {
  QWidget panel;
  std::shared_ptr<ISequentialActionLogger> log;
  TActionLog_Frame *frame;

  FrameRig() {
    panel.resize(700, 300);
    panel.show();
    log = CreateActionLogger(&panel);
    frame = panel.findChild<TActionLog_Frame *>();
  }
  void Settle() const { QCoreApplication::processEvents(); }
};

TEST(ActionLogFrame, FillsThePanelWithTheDesignedTree) {
  FrameRig rig;
  ASSERT_NE(rig.frame, nullptr);
  rig.Settle();
  EXPECT_TRUE(rig.frame->isVisible());
  EXPECT_EQ(rig.frame->geometry(), rig.panel.rect());

  QTreeView *vst = rig.frame->VST;
  EXPECT_NE(qobject_cast<TLogTreeModel *>(vst->model()), nullptr);
  EXPECT_EQ(vst->model()->columnCount(), 2);
  EXPECT_EQ(vst->header()->sectionSize(0), 344);
  EXPECT_EQ(vst->header()->sectionSize(1), 200);
  EXPECT_FALSE(vst->isHeaderHidden());
  EXPECT_EQ(vst->header()->sectionResizeMode(0), QHeaderView::Interactive);
  EXPECT_EQ(vst->dragDropMode(), QAbstractItemView::NoDragDrop);
  EXPECT_FALSE(vst->focusPolicy() & Qt::TabFocus) << "not a tab stop";
  EXPECT_TRUE(vst->expandsOnDoubleClick());
  EXPECT_NE(qobject_cast<TLogItemDelegate *>(vst->itemDelegate()), nullptr);
}

TEST(ActionLogFrame, ReleasingTheLoggerFreesTheFrame) {
  QWidget panel;
  auto log = CreateActionLogger(&panel);
  QPointer<TActionLog_Frame> frame = panel.findChild<TActionLog_Frame *>();
  auto node = log->BeginAction("A");
  ASSERT_FALSE(frame.isNull());
  log.reset();
  EXPECT_TRUE(frame.isNull());
  EXPECT_EQ(node->GetParent(), nullptr);
  EXPECT_EQ(node->GetText(), "A");
}

TEST(ActionLogFrame, PanelGoingFirstLeavesAWorkingLog) {
  auto panel = std::make_unique<QWidget>();
  auto log = CreateActionLogger(panel.get());
  panel.reset();
  log->BeginAction("A");
  EXPECT_EQ(log->EndSuccess("")->GetResult(), "OK");
}

TEST(ActionLogFrame, StaticTextIsPaintedGreyAfterTheText) {
  FrameRig rig;
  rig.log->BeginAction("12:00:00 Чтение");
  rig.log->GetCurrentNode()->SetNote("RC:1/3");
  rig.log->EndSuccess("");
  rig.log->AddMessage("без заметки");
  rig.frame->VST->clearSelection();
  rig.frame->VST->setCurrentIndex(QModelIndex());
  rig.Settle();

  auto greyPixelsIn = [&](int row) {
    const QRect cell = rig.frame->VST->visualRect(rig.frame->VST->model()->index(row, 0));
    const QImage image = rig.frame->VST->viewport()->grab(cell).toImage();
    int grey = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == TLogItemDelegate::kStaticTextColor) ++grey;
      }
    }
    return grey;
  };
  EXPECT_GT(greyPixelsIn(0), 5) << "the note in grey";
  EXPECT_EQ(greyPixelsIn(1), 0) << "no note, nothing grey";
}

// WCAG contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(const QColor &a, const QColor &b) {
  auto luminance = [](const QColor &c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ActionLogFrame, StaticTextStaysLegibleOnTheSelectedRow) {
  // The log always selects its newest row, so that row's note and detail
  // must read on the selection colour too.
  FrameRig rig;
  auto m = rig.log->AddMessage("10:15:12 Открытие канала");
  m->SetDetail("нет ответа");  // column 1 then holds nothing but the static text
  rig.Settle();
  QTreeView *vst = rig.frame->VST;
  const QModelIndex cell = vst->model()->index(0, 1);
  ASSERT_TRUE(vst->selectionModel()->isRowSelected(0, QModelIndex()));

  const QImage image = vst->viewport()->grab(vst->visualRect(cell)).toImage();
  const QColor background = image.pixelColor(image.width() - 2, image.height() / 2);
  double best = 1.0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) best = std::max(best, Contrast(image.pixelColor(x, y), background));
  }
  EXPECT_GE(best, 2.0) << "side text on the selection colour " << background.name().toStdString();
}

TEST(ActionLogFrame, ToolTipShowsTextsThatDoNotFit) {
  FrameRig rig;
  rig.log->AddMessage("коротко");
  rig.log->AddMessage(std::string(200, 'x'));
  rig.Settle();
  QTreeView *vst = rig.frame->VST;
  auto *delegate = qobject_cast<TLogItemDelegate *>(vst->itemDelegate());
  ASSERT_NE(delegate, nullptr);
  auto tipOf = [&](int row) {
    const QModelIndex index = vst->model()->index(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(vst->viewport());
    option.rect = vst->visualRect(index);
    option.widget = vst;
    return delegate->CellToolTip(option, index);
  };
  EXPECT_EQ(tipOf(0), QString());
  EXPECT_EQ(tipOf(1), QString(200, QLatin1Char('x')));
}

TEST(ActionLogFrame, MenuCopiesSavesAndClears) {
  FrameRig rig;
  rig.log->BeginAction("A");
  rig.log->AddMessage("M");
  rig.log->EndSuccess("готово");
  rig.log->AddMessage("B");
  rig.Settle();

  QTreeView *vst = rig.frame->VST;
  vst->selectionModel()->select(vst->model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  vst->selectionModel()->select(vst->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  rig.frame->UpdateActions();
  EXPECT_TRUE(rig.frame->ActCopy->isEnabled());
  EXPECT_TRUE(rig.frame->CopySelection());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("A\tOK (готово)\nB\n"));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("журнал.txt"));
  EXPECT_TRUE(rig.frame->SaveLogToFile(path));
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("A\tOK (готово)\n  M\nB\n"));
  QString error;
  EXPECT_FALSE(rig.frame->SaveLogToFile(dir.filePath(QStringLiteral("нет/такой/папки.txt")), &error));
  EXPECT_FALSE(error.isEmpty());

  rig.log->BeginAction("open");
  rig.frame->UpdateActions();
  EXPECT_FALSE(rig.frame->ActClear->isEnabled());
  EXPECT_FALSE(rig.frame->ClearLog()) << "refused while an action is open";
  EXPECT_EQ(vst->model()->rowCount(), 3);
  rig.log->EndSuccess("");
  rig.frame->UpdateActions();
  EXPECT_TRUE(rig.frame->ActClear->isEnabled());
  EXPECT_TRUE(rig.frame->ClearLog());
  EXPECT_EQ(vst->model()->rowCount(), 0);
  rig.frame->UpdateActions();
  EXPECT_FALSE(rig.frame->ActCopy->isEnabled());
  EXPECT_FALSE(rig.frame->ActSave->isEnabled());
}

}  // namespace
