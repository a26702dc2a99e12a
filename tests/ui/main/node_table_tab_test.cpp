// The page "Node table" and its mesh picture, driven as a user would.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "ui/main/mesh_graph_view.h"
#include "ui/main/mesh_graph_window.h"
#include "ui/main/net_page_fixture.h"
#include "ui/main/node_table_tab.h"
#include "ui/widgets/markup_label.h"

namespace {

class NodeTablePage : public testing_support::NetPageTest {
 protected:
  void SetUp() override {
    NetPageTest::SetUp();
    tab = std::make_unique<TNodeTableTab>(host, host.Sheet("Node table"));
    tab->Prompts = Prompts();
    dir = std::filesystem::temp_directory_path() / ("vovor_node_table_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    tab.reset();
    std::filesystem::remove_all(dir);
    NetPageTest::TearDown();
  }
  void Read(bool all) {
    tab->CB_NT_ReadAll->setChecked(all);
    QTest::mouseClick(tab->Button47, Qt::LeftButton);
  }
  // The tree as indented lines of the first column.
  std::string Shape() {
    std::string out;
    std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *item, int depth) {
      out += std::string(2 * depth, ' ') + item->text(0).toStdString();
      if (!item->text(2).isEmpty()) out += " [" + item->text(2).toStdString() + "]";
      out += "\n";
      for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tab->VST->topLevelItemCount(); ++i) walk(tab->VST->topLevelItem(i), 0);
    return out;
  }
  std::unique_ptr<TNodeTableTab> tab;
  std::filesystem::path dir;
};

std::string FileText(const std::filesystem::path &p) {
  QFile f(QString::fromStdString(p.string()));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

}  // namespace

TEST_F(NodeTablePage, TheModemsMeshAsATree) {
  EXPECT_EQ(tab->VST->headerItem()->text(0).toStdString(), "Node Adress");
  EXPECT_EQ(tab->SE_NT_Cnt->value(), 16);
  Read(false);  // the first 16 items, as the field says
  std::string free;
  for (int i = 4; i < 16; ++i) free += std::to_string(i) + "\n";
  EXPECT_EQ(Shape(), "0\n  1\n    3\n  2\n" + free);
  Read(true);
  EXPECT_EQ(Shape(), "0\n  1\n    3\n  2\n" + free);
  EXPECT_TRUE(tab->L_Failure->Markup().empty());
}

TEST_F(NodeTablePage, FailingCountReadLeavesTheTreeAndReadsNoItems) {
  sim::Faults f;
  f.statusOverride = 1;
  SetFaults(f);
  Read(true);
  EXPECT_EQ(tab->VST->topLevelItemCount(), 0);
  for (const auto &t : LogTexts()) EXPECT_EQ(t.find("Чтение таблицы узлов"), std::string::npos) << t;
  EXPECT_TRUE(tab->L_Failure->PlainText().contains("Чтение числа записей таблицы узлов не удалось"));

  SetFaults({});
  Read(true);
  const std::string shown = Shape();
  SetFaults(f);
  Read(false);
  EXPECT_EQ(Shape(), shown);  // a failed read leaves what was shown
}

TEST_F(NodeTablePage, CircularParentLinksStayOnTopMarked) {
  // The remote node keeps a table of its own; make items 1 and 2 each other's parent.
  server.WithModem([](sim::SimModem &m) {
    auto &table = m.GetMesh().FindNode(2)->state.memory.nodeTable;
    table[1 * 9 + 2] = 2, table[1 * 9 + 3] = 0;
    table[2 * 9 + 2] = 1, table[2 * 9 + 3] = 0;
  });
  UseRemote(2);
  Read(true);
  EXPECT_EQ(Shape(),
            "0\n  3\n"
            "1 [родители по кругу]\n  4\n    7\n    8\n  5\n"
            "2 [родители по кругу]\n  6\n    9\n"
            "10\n11\n");
  bool logged = false;
  for (const auto &t : LogTexts()) logged = logged || t.find("узлы 1, 2 ссылаются на родителей по кругу") != std::string::npos;
  EXPECT_TRUE(logged);
}

TEST_F(NodeTablePage, SaveWritesTheTreeAsAPage) {
  Read(true);
  saveAs = (dir / "net").string();
  QTest::mouseClick(tab->Button51, Qt::LeftButton);
  ASSERT_EQ(dialogDirs.size(), 1u);
  EXPECT_EQ(dialogDirs[0], QCoreApplication::applicationDirPath().toStdString());  // nothing stored yet
  const std::string html = FileText(dir / "net.html");
  EXPECT_NE(html.find("<span class=\"node\">3</span>"), std::string::npos) << html;
  EXPECT_NE(html.find("<title>Структура сети</title>"), std::string::npos);

  // The key keeps the directory the dialog started in, under "Dialogs".
  const ui::TPageSetting *key = host.Setting("Save node table directory");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->section, "Dialogs");
  EXPECT_EQ(key->save(), dialogDirs[0]);
  ASSERT_TRUE(key->load(dir.string()));
  QTest::mouseClick(tab->Button51, Qt::LeftButton);
  EXPECT_EQ(dialogDirs[1], dir.string());
  ASSERT_TRUE(key->load((dir / "gone").string()));
  QTest::mouseClick(tab->Button51, Qt::LeftButton);
  EXPECT_EQ(dialogDirs[2], QCoreApplication::applicationDirPath().toStdString());

  // A file that cannot be written is said in the window.
  saveAs = (dir / "no-such-dir" / "net.html").string();
  QTest::mouseClick(tab->Button51, Qt::LeftButton);
  ASSERT_EQ(warned.size(), 1u);
  EXPECT_NE(warned[0].find("не записан"), std::string::npos);
}

TEST_F(NodeTablePage, MeshPictureDrawsTheNodesAndSaves) {
  tab->CB_NT_ReadAll->setChecked(true);
  QTest::mouseClick(tab->Btn_MeshGraph, Qt::LeftButton);
  TMeshGraphWindow *w = tab->GraphWindow();
  ASSERT_NE(w, nullptr);
  const auto &g = w->View->Graph();
  ASSERT_EQ(g.nodes.size(), 4u);
  EXPECT_EQ(g.edges.size(), 3u);
  EXPECT_EQ(g.edges[0].label, "-92 dBm / LQI 48");
  EXPECT_TRUE(w->View->accessibleDescription().contains("3 -> 1"));

  ASSERT_TRUE(w->SaveSvg(QString::fromStdString((dir / "mesh.svg").string())));
  EXPECT_NE(FileText(dir / "mesh.svg").find("</svg>"), std::string::npos);
  saveAs = (dir / "mesh").string();
  QTest::mouseClick(w->Btn_SavePng, Qt::LeftButton);
  QImage png(QString::fromStdString((dir / "mesh.png").string()));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.width(), static_cast<int>(std::ceil(g.width)));

  // A node the modem dropped turns grey once the picture is drawn again.
  server.WithModem([](sim::SimModem &m) { m.State().orva.removedChildren.insert(2); });
  QTest::mouseClick(w->Btn_Refresh, Qt::LeftButton);
  bool grey = false;
  for (const auto &n : w->View->Graph().nodes) grey = grey || (n.address == 2 && n.inactive);
  EXPECT_TRUE(grey);
}
