// The "PHY" page driven as a user would, against the simulated modem.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <regex>

#include "service_page_fixture.h"
#include "ui/main/phy_tab.h"
#include "ui/main/service_page_parts.h"
#include "ui/widgets/markup_label.h"
#include "ui/widgets/time_plot.h"

using Fixture = testing_support::ServicePageTest<TPhyTab>;

namespace {
struct PhyPage : Fixture {
  const char *Caption() const override { return "PHY"; }
  std::string Status() { return page->PHYS_L->PlainText().toStdString(); }
};
}  // namespace

TEST_F(PhyPage, StartsWithItsCaptionsInItsSheet) {
  EXPECT_EQ(page->parentWidget(), sheet);
  EXPECT_EQ(Status(), "PHYS_L");
  EXPECT_EQ(page->L_Temper->text(), "L_Temper");
  EXPECT_FALSE(page->Timer2->isActive());
  EXPECT_EQ(page->Timer2->interval(), 200);
}

TEST_F(PhyPage, StatusFollowsTheTransceiverSwitch) {
  QTest::mouseClick(page->Button24, Qt::LeftButton);
  EXPECT_EQ(Status().rfind("PHY Flags:  \nPHY Status:  ps_RX\nRF_Channel:  ", 0), 0u) << Status();
  QTest::mouseClick(page->Button39, Qt::LeftButton);  // PHY_OFF
  QTest::mouseClick(page->Button24, Qt::LeftButton);
  EXPECT_NE(Status().find("PHY Status:  ps_Off\n"), std::string::npos) << Status();
  QTest::mouseClick(page->Button40, Qt::LeftButton);  // PHY_ON
  QTest::mouseClick(page->Button24, Qt::LeftButton);
  EXPECT_NE(Status().find("PHY Status:  ps_RX\n"), std::string::npos);
  EXPECT_NE(Status().find("CSMA_Delay:  "), std::string::npos);

  WithSim([](sim::NodeState &s) { s.phyErrors = {1, 2, 65535}; });
  QTest::mouseClick(page->Button55, Qt::LeftButton);
  EXPECT_EQ(Status(), "TX SEX:  1\nTX WatchDog:  2\nRX WatchDog:  65535");
}

TEST_F(PhyPage, TemperatureCarrierAndLastPacket) {
  WithSim([](sim::NodeState &s) {
    s.temperature = -10;
    s.carrierOffsets = {3, 2, -1, -1};
  });
  QTest::mouseClick(page->Button36, Qt::LeftButton);
  EXPECT_EQ(page->L_Temper->text(), "CC2500 crystal Temp: -10");
  QTest::mouseClick(page->Button44, Qt::LeftButton);
  EXPECT_EQ(page->L_PHYCarrier->text(),
            "Offs 0: 4 Khz \nOffs 1: 3 Khz \nOffs 2: -1 Khz \nOffs 3: -1 Khz \nMiddle: 0 Khz \n");

  QTest::mouseClick(page->Btn_GetLPS, Qt::LeftButton);
  const std::string lps = page->L_PHYCarrier->text().toStdString();
  std::smatch m;
  ASSERT_TRUE(std::regex_search(lps, m, std::regex("RSSI: (\\d+) \\((-?\\d+) dbm\\)"))) << lps;
  const int raw = std::stoi(m[1]), dbm = std::stoi(m[2]);
  EXPECT_EQ(dbm, (raw - 128) / 2 - 72);
  ASSERT_EQ(page->RssiPlot->Model().Samples(0).size(), 1u);
  EXPECT_EQ(page->RssiPlot->Model().Samples(0).back().value, dbm);
  EXPECT_EQ(page->LqiPlot->Model().Samples(0).size(), 1u);
}

TEST_F(PhyPage, FailuresShowTheirTexts) {
  QTest::mouseClick(page->Button44, Qt::LeftButton);
  const QString carrier = page->L_PHYCarrier->text();
  QTest::mouseClick(page->Button24, Qt::LeftButton);
  ASSERT_NE(Status(), "");
  AnswerEverythingWith(4);  // temporarily unable
  QTest::mouseClick(page->Button24, Qt::LeftButton);
  EXPECT_EQ(Status(), "");
  QTest::mouseClick(page->Button55, Qt::LeftButton);
  EXPECT_EQ(Status(), "???");
  QTest::mouseClick(page->Button36, Qt::LeftButton);
  EXPECT_EQ(page->L_Temper->text(), "No info");
  QTest::mouseClick(page->Btn_GetLPS, Qt::LeftButton);
  QTest::mouseClick(page->Button44, Qt::LeftButton);
  EXPECT_EQ(page->L_PHYCarrier->text(), carrier);
  EXPECT_TRUE(page->RssiPlot->Model().Empty());

  // Refused by the window (another operation waits): the same texts, nothing sent.
  server.SetFaults({});
  host.refuseOperations = true;
  const auto seen = server.RequestsSeen();
  QTest::mouseClick(page->Button36, Qt::LeftButton);
  EXPECT_EQ(page->L_Temper->text(), "No info");
  EXPECT_EQ(server.RequestsSeen(), seen);
}

TEST_F(PhyPage, CycledPollsLastPacketUntilSwitchedOff) {
  page->CB_CycleLPS->setChecked(true);
  EXPECT_TRUE(page->Timer2->isActive());
  (void)QTest::qWaitFor([&] { return page->RssiPlot->Model().Samples(0).size() >= 3; }, 5000);
  EXPECT_GE(page->RssiPlot->Model().Samples(0).size(), 3u);
  page->CB_CycleLPS->setChecked(false);
  EXPECT_FALSE(page->Timer2->isActive());
  const auto seen = server.RequestsSeen();
  QTest::qWait(500);
  EXPECT_EQ(server.RequestsSeen(), seen);
}

TEST(CycledPoll, NeverStartsAPollWhileItsOwnRuns) {
  QCheckBox box;
  QTimer timer;
  timer.setInterval(20);
  int depth = 0, maxDepth = 0, polls = 0;
  ui::TCycledPoll poll(&box, &timer, [&] {
    ++polls;
    maxDepth = std::max(maxDepth, ++depth);
    // The wait for an answer keeps the window live: the box is switched off
    // and on again meanwhile, which starts the timer anew.
    box.setChecked(false);
    box.setChecked(true);
    QTest::qWait(100);
    --depth;
  }, nullptr);
  box.setChecked(true);
  (void)QTest::qWaitFor([&] { return polls >= 3; }, 5000);
  box.setChecked(false);
  EXPECT_GE(polls, 3);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_FALSE(timer.isActive());
}
