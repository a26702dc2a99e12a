// The pages "MAC", "ORVA" and "NWK" driven as a user would, against the
// simulated modem, directly and through the tunnel.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "ui/main/mac_tab.h"
#include "ui/main/net_page_fixture.h"
#include "ui/main/nwk_tab.h"
#include "ui/main/orva_tab.h"
#include "ui/widgets/markup_label.h"

namespace {

class PagesOnSim : public testing_support::NetPageTest {
 protected:
  void Build(bool remote) {
    if (remote) UseRemote(2);
    mac = std::make_unique<TMacTab>(host, host.Sheet("MAC"));
    orva = std::make_unique<TOrvaTab>(host, host.Sheet("ORVA"));
    orva->Prompts = Prompts();
    nwk = std::make_unique<TNwkTab>(host, host.Sheet("NWK"));
  }
  void Click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
  void FailEverything() {
    sim::Faults f;
    f.statusOverride = 1;
    SetFaults(f);
  }
  std::vector<std::string> Routes() {
    std::vector<std::string> out;
    for (int i = 0; i < nwk->LV_Routes->count(); ++i) out.push_back(nwk->LV_Routes->item(i)->text().toStdString());
    return out;
  }
  std::unique_ptr<TMacTab> mac;
  std::unique_ptr<TOrvaTab> orva;
  std::unique_ptr<TNwkTab> nwk;
};

class NetworkPages : public PagesOnSim, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    PagesOnSim::SetUp();
    Build(GetParam());
  }
};

class NetworkPagesDirect : public PagesOnSim {
 protected:
  void SetUp() override {
    PagesOnSim::SetUp();
    Build(false);
  }
};

}  // namespace

TEST_P(NetworkPages, MacContextIsShownAndKeptWhenAReadFails) {
  Click(mac->Button52);
  const std::string text = mac->L_MACCtx->Markup();
  EXPECT_EQ(text.rfind("PacketID: ", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nRXStage: "), std::string::npos);
  EXPECT_NE(text.find("\r\nACKHandle: 0x"), std::string::npos);
  EXPECT_TRUE(mac->L_Failure->Markup().empty());

  FailEverything();
  Click(mac->Button52);
  EXPECT_EQ(mac->L_MACCtx->Markup(), text);
  EXPECT_NE(mac->L_Failure->PlainText().toStdString().find("Чтение MAC Context не удалось"), std::string::npos);
}

TEST_P(NetworkPages, OrvaStateRouterStateAndTable) {
  Click(orva->Button49);
  const QString state = orva->L_ORVAStat->PlainText();
  EXPECT_TRUE(state.startsWith("Status: Connected\n")) << state.toStdString();
  EXPECT_TRUE(state.contains("FilterMode: (ZeroPANEnabled UnassocRQEnabled CatchBCast ForMeOnly")) << state.toStdString();
  EXPECT_NE(orva->L_ORVAStat->Markup().find("FilterMode: (<b>ZeroPANEnabled </b>UnassocRQEnabled <b>CatchBCast </b>"),
            std::string::npos);
  Click(orva->Button50);
  const std::string router = orva->L_ORVAStat->Markup();
  EXPECT_NE(router.find("WorkFreqOffs: <b>-5</b> (~-2.00 Khz)"), std::string::npos) << router;
  EXPECT_NE(router.find("</b>\r\nPrefParents: <b>"), std::string::npos);

  Click(orva->Button48);
  auto *table = orva->VST_ORVA;
  ASSERT_EQ(table->columnCount(), 8);
  EXPECT_EQ(table->headerItem()->text(7).toStdString(), "PingFlags");
  if (GetParam()) {
    ASSERT_EQ(table->topLevelItemCount(), 1);  // a remote node knows only the node above it
  } else {
    ASSERT_EQ(table->topLevelItemCount(), 3);
    EXPECT_EQ(table->topLevelItem(0)->text(0).toStdString(), "1");
    EXPECT_EQ(table->topLevelItem(0)->text(1).toStdString(), "88 (-92 dbm)");
    EXPECT_EQ(table->topLevelItem(0)->text(7).toStdString(), "knSrc");
    EXPECT_EQ(table->topLevelItem(2)->text(7).toStdString(), "RTC");
  }

  // A failed read keeps the table and the label, and says what failed.
  const int rows = table->topLevelItemCount();
  const std::string shown = orva->L_ORVAStat->Markup();
  FailEverything();
  Click(orva->Button48);
  Click(orva->Button49);
  EXPECT_EQ(table->topLevelItemCount(), rows);
  EXPECT_EQ(orva->L_ORVAStat->Markup(), shown);
  EXPECT_TRUE(orva->L_Failure->PlainText().contains("не удалось"));
}

TEST_P(NetworkPages, RouteTableListsEveryRecord) {
  Click(nwk->Button57);
  if (!GetParam()) EXPECT_EQ(Routes(), (std::vector<std::string>{"1 (MAC: 1)", "2 (MAC: 2)", "3 (MAC: 1)"}));
  else EXPECT_FALSE(Routes().empty());
  EXPECT_TRUE(nwk->LV_Routes->toolTip().startsWith("Формат записи:\nКому (Через Кого)"));
  const auto before = Routes();
  FailEverything();
  Click(nwk->Button57);
  EXPECT_EQ(Routes(), before);
  EXPECT_TRUE(nwk->L_Failure->PlainText().contains("Чтение таблицы маршрутизации не удалось"));
}

INSTANTIATE_TEST_SUITE_P(DirectAndRemote, NetworkPages, ::testing::Bool());

TEST_F(NetworkPagesDirect, RemovingAChildAsksFirstAndGreysItsRow) {
  answer = false;
  orva->SE_ORVARemCh->setValue(2);
  Click(orva->Button56);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find("Удалить дочерний узел 2"), std::string::npos);
  EXPECT_EQ(host.operationsRun, 0);  // nothing sent

  answer = true;
  Click(orva->Button56);
  EXPECT_TRUE(warned.empty());
  Click(orva->Button48);
  auto *row = orva->VST_ORVA->topLevelItem(1);
  ASSERT_EQ(row->text(0).toStdString(), "2");
  EXPECT_EQ(row->foreground(0).color(), QColor(192, 192, 192));
  EXPECT_NE(orva->VST_ORVA->topLevelItem(0)->foreground(0).color(), QColor(192, 192, 192));

  // Node 3 hangs below node 1, not below us: the modem refuses, the page says so.
  orva->SE_ORVARemCh->setValue(3);
  Click(orva->Button56);
  ASSERT_EQ(warned.size(), 1u);
  EXPECT_NE(warned[0].find("Узел 3 не удалён"), std::string::npos);
}
