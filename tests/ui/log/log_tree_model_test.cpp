#include "ui/log/log_tree_model.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QIcon>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "log_view_rig.h"

namespace {

QString Text(const QModelIndex &index) { return index.data(Qt::DisplayRole).toString(); }
QString StaticText(const QModelIndex &index) { return index.data(TLogTreeModel::StaticTextRole).toString(); }
int Image(const QModelIndex &index) { return index.data(TLogTreeModel::ImageIndexRole).toInt(); }

TEST(LogTreeModel, CellsShowTextsAndGreySideTextsOfBothColumns) {
  LogViewRig rig;
  rig.logger->BeginAction("12:00:01 Чтение конфигурации");
  rig.logger->GetCurrentNode()->SetNote("RC:2");
  rig.logger->AddMessage("внутри");
  rig.logger->EndError("нет ответа от устройства");
  rig.logger->AddMessage("12:00:02 Порт открыт");

  ASSERT_EQ(rig.model->rowCount(), 2);
  const QModelIndex action = rig.Index(0);
  EXPECT_EQ(Text(action), QString::fromUtf8("12:00:01 Чтение конфигурации"));
  EXPECT_EQ(StaticText(action), QStringLiteral("(RC:2)"));
  EXPECT_EQ(Text(rig.Index(0, 1)), QString::fromUtf8("Ошибка"));
  EXPECT_EQ(StaticText(rig.Index(0, 1)), QString::fromUtf8("(нет ответа от устройства)"));

  const QModelIndex message = rig.Index(1);
  EXPECT_EQ(Text(message), QString::fromUtf8("12:00:02 Порт открыт"));
  EXPECT_EQ(StaticText(message), QString()) << "no note, no parentheses";
  EXPECT_EQ(Text(rig.Index(1, 1)), QString());
  EXPECT_EQ(StaticText(rig.Index(1, 1)), QString());

  ASSERT_EQ(rig.model->rowCount(action), 1);
  const QModelIndex child = rig.Index(0, 0, action);
  EXPECT_EQ(Text(child), QString::fromUtf8("внутри"));
  EXPECT_EQ(rig.model->parent(child), action);
  EXPECT_EQ(rig.model->rowCount(rig.Index(0, 1)), 0) << "only column 0 has children";
  EXPECT_EQ(rig.model->headerData(0, Qt::Horizontal, Qt::DisplayRole), QVariant()) << "no captions";
}

TEST(LogTreeModel, IconFollowsStateAndBlinksOnTheOpenAction) {
  LogViewRig rig;
  rig.logger->AddMessage("m");
  rig.logger->BeginAction("ok");
  rig.logger->EndSuccess("");
  rig.logger->BeginAction("err");
  rig.logger->EndError("");
  rig.logger->BeginAction("part");
  rig.logger->EndPartial("");
  rig.logger->BeginAction("run");

  const int byState[] = {6, 3, 4, 5, 0};
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(Image(rig.Index(row)), byState[row]) << row;
    EXPECT_FALSE(rig.Index(row).data(Qt::DecorationRole).value<QIcon>().isNull()) << row;
    EXPECT_EQ(Image(rig.Index(row, 1)), -1);
    EXPECT_FALSE(rig.Index(row, 1).data(Qt::DecorationRole).isValid()) << "no image in column 1";
    EXPECT_EQ(rig.model->ImageIndex(rig.Index(row), TVTImageKind::ikSelected), byState[row]);
    EXPECT_EQ(rig.model->ImageIndex(rig.Index(row), TVTImageKind::ikState), -1);
    EXPECT_EQ(rig.model->ImageIndex(rig.Index(row), TVTImageKind::ikOverlay), -1);
  }

  std::vector<int> running, finished;
  for (int i = 0; i < 4; ++i) {
    rig.Tick();
    running.push_back(Image(rig.Index(4)));
    finished.push_back(Image(rig.Index(1)));
  }
  EXPECT_EQ(running, (std::vector<int>{2, 0, 2, 0})) << "blank every other tick";
  EXPECT_EQ(finished, (std::vector<int>{3, 3, 3, 3})) << "a finished action is steady";
}

TEST(LogTreeModel, BlinkTickRepaintsTheOpenRow) {
  LogViewRig rig;
  rig.logger->AddMessage("m");
  rig.logger->BeginAction("run");
  QSignalSpy changed(rig.model, &QAbstractItemModel::dataChanged);
  rig.Tick();
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).toModelIndex(), rig.Index(1, 0));
  EXPECT_EQ(changed.at(0).at(1).toModelIndex(), rig.Index(1, 1));
}

TEST(LogTreeModel, RevealFocusesSelectsExpandsAndCentres) {
  LogViewRig rig;
  rig.view.show();
  for (int i = 0; i < 100; ++i) rig.logger->AddMessage("before " + std::to_string(i));
  rig.logger->BeginAction("A");
  rig.logger->BeginAction("B");
  auto target = rig.logger->AddMessage("target");
  rig.logger->EndSuccess("");
  rig.logger->EndSuccess("");
  for (int i = 0; i < 100; ++i) rig.logger->AddMessage("after " + std::to_string(i));
  LogViewRig::Settle();

  const TLogNode *node = rig.logger->ChildAt(100)->ChildAt(0)->ChildAt(0);
  ASSERT_EQ(node, target.get());
  rig.model->RevealRow(*node);
  LogViewRig::Settle();

  const QModelIndex index = rig.model->IndexOf(*node);
  EXPECT_EQ(rig.view.currentIndex(), index);
  const QModelIndexList selected = rig.view.selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected.at(0), index);
  EXPECT_TRUE(rig.view.isExpanded(index.parent()));
  EXPECT_TRUE(rig.view.isExpanded(index.parent().parent()));
  const QRect rect = rig.view.visualRect(index);
  const int centre = rig.view.viewport()->height() / 2;
  EXPECT_LE(std::abs(rect.center().y() - centre), rect.height()) << "row at " << rect.center().y();
  EXPECT_EQ(rig.view.horizontalScrollBar()->value(), 0);
}

TEST(LogTreeModel, AddingRevealsTheNewRowOnceTheEventLoopRuns) {
  LogViewRig rig;
  rig.view.show();
  rig.logger->BeginAction("A");
  auto m = rig.logger->AddMessage("M");
  LogViewRig::Settle();
  const QModelIndex index = rig.model->IndexOf(static_cast<const TLogNode &>(*m));
  EXPECT_EQ(rig.view.currentIndex(), index);
  EXPECT_TRUE(rig.view.isExpanded(rig.Index(0)));

  rig.logger->EndSuccess("");
  LogViewRig::Settle();
  EXPECT_FALSE(rig.view.isExpanded(rig.Index(0))) << "finishing collapses an action with children";
  EXPECT_EQ(rig.view.currentIndex(), rig.Index(0));
}

TEST(LogTreeModel, ExpansionStaysInStepWithTheView) {
  LogViewRig rig;
  rig.view.show();
  auto a = rig.logger->BeginAction("A");
  rig.logger->AddMessage("M");
  rig.logger->EndSuccess("");
  LogViewRig::Settle();

  rig.view.expand(rig.Index(0));
  EXPECT_TRUE(a->GetExpanded()) << "the user's expansion reaches the node";
  rig.view.collapse(rig.Index(0));
  EXPECT_FALSE(a->GetExpanded());
  a->SetExpanded(true);
  EXPECT_TRUE(rig.view.isExpanded(rig.Index(0)));

  const QRect row = rig.view.visualRect(rig.Index(0));
  // A double-click arrives after a first click on the same row.
  QTest::mouseClick(rig.view.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
  QTest::mouseDClick(rig.view.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
  EXPECT_FALSE(rig.view.isExpanded(rig.Index(0))) << "double-click toggles";
  EXPECT_FALSE(a->GetExpanded());
}

TEST(LogTreeModel, ClearEmptiesTheView) {
  LogViewRig rig;
  rig.view.show();
  rig.logger->BeginAction("A");
  rig.logger->AddMessage("M");
  rig.logger->EndSuccess("");
  rig.logger->Clear();
  LogViewRig::Settle();
  EXPECT_EQ(rig.model->rowCount(), 0);
  EXPECT_FALSE(rig.view.currentIndex().isValid());
  rig.logger->AddMessage("again");
  EXPECT_EQ(rig.model->rowCount(), 1);
}

TEST(LogTreeModel, ViewGetsItsModelSelectionAndDelegateBackFromTheLogger) {
  QTreeView view;
  QStandardItemModel placeholders(5, 2);
  view.setModel(&placeholders);
  QItemSelectionModel *selection = view.selectionModel();
  auto *delegate = new QStyledItemDelegate(&view);
  view.setItemDelegate(delegate);
  view.header()->resizeSection(0, 77);

  auto *model = new TLogTreeModel(&view, &view);
  {
    TLogger logger(model, TLoggerOptions{});
    EXPECT_EQ(view.model(), model);
    EXPECT_NE(view.itemDelegate(), delegate);
    logger.AddMessage("m");
    EXPECT_EQ(view.model()->rowCount(), 1) << "the placeholder rows are gone";
  }
  EXPECT_EQ(view.model(), &placeholders);
  EXPECT_EQ(view.selectionModel(), selection);
  EXPECT_EQ(view.itemDelegate(), delegate);
  EXPECT_EQ(view.header()->sectionSize(0), 77);
}

TEST(LogTreeModel, LoggerOutlivingItsViewKeepsWorking) {
  auto view = std::make_unique<QTreeView>();
  auto *model = new TLogTreeModel(view.get(), view.get());
  TLogger logger(model, TLoggerOptions{});
  logger.BeginAction("A");
  view.reset();  // takes the model with it
  logger.AddMessage("M");
  EXPECT_NE(logger.EndSuccess(""), nullptr);
  EXPECT_EQ(logger.ChildAt(0)->ChildCount(), 1);
}

}  // namespace
