// The "Info" page driven as a user would, against the simulated modem.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <regex>

#include "service_page_fixture.h"
#include "ui/main/info_tab.h"
#include "ui/main/service_page_parts.h"
#include "ui/widgets/time_plot.h"

using Fixture = testing_support::ServicePageTest<TInfoTab>;

namespace {
struct InfoPage : Fixture {
  const char *Caption() const override { return "Info"; }
};

bool Matches(const QString &text, const char *pattern) {
  return std::regex_match(text.toStdString(), std::regex(pattern));
}
}  // namespace

TEST_F(InfoPage, CountersVersionNameAndSupply) {
  EXPECT_EQ(page->L_Version->text(), "L_Ver");
  QTest::qWait(100);  // the modem just started: let its tick counter run
  QTest::mouseClick(page->Button22, Qt::LeftButton);
  EXPECT_TRUE(Matches(page->Label2->text(),
                      "[0-9A-F]{8} \\(\\d+\\) Work time: \\d+ sec \\(0 days, 00 h, 00 min, \\d\\d sec\\)"))
      << page->Label2->text().toStdString();
  QTest::mouseClick(page->Button23, Qt::LeftButton);
  EXPECT_TRUE(Matches(page->Label3->text(), "[0-9A-F]{10}:  \\d time, \\d+ cycles \\(\\d+ cycles/sec\\)"))
      << page->Label3->text().toStdString();
  QTest::mouseClick(page->Button27, Qt::LeftButton);
  EXPECT_EQ(page->Label3->text(), "Read time: 12");

  // A device text that looks like rich text is shown as it stands.
  WithSim([](sim::NodeState &s) { s.deviceName = "<b>ORVA</b> & Co"; });
  QTest::mouseClick(page->Button53, Qt::LeftButton);
  EXPECT_EQ(page->L_Version->text(), "Имитатор модема ORVA, версия 1.0");
  QTest::mouseClick(page->Button54, Qt::LeftButton);
  EXPECT_EQ(page->L_DeviceDesc->text(), "<b>ORVA</b> & Co");
  EXPECT_EQ(page->L_DeviceDesc->textFormat(), Qt::PlainText);

  QTest::mouseClick(page->Btn_GetHWSC, Qt::LeftButton);
  EXPECT_EQ(page->L_HWSC->text(), "AC detected, 12.00V ext, 3.29V int");
  WithSim([](sim::NodeState &s) { s.mainsPresent = false; });
  QTest::mouseClick(page->Btn_GetHWSC, Qt::LeftButton);
  EXPECT_EQ(page->L_HWSC->text(), "no AC, 12.00V ext, 3.29V int");
  EXPECT_EQ(page->SupplyPlot->Model().Samples(0).size(), 2u);
  EXPECT_EQ(page->SupplyPlot->Model().Samples(1).back().value, 216 / 65.57377);
}

TEST_F(InfoPage, FailuresShowTheirTexts) {
  QTest::mouseClick(page->Button27, Qt::LeftButton);
  AnswerEverythingWith(4);
  QTest::mouseClick(page->Button22, Qt::LeftButton);
  EXPECT_EQ(page->Label2->text(), " (0) Work time: 0 sec (0 days, 00 h, 00 min, 00 sec)");
  QTest::mouseClick(page->Button27, Qt::LeftButton);
  EXPECT_EQ(page->Label3->text(), "Read time: 12");  // unchanged
  QTest::mouseClick(page->Button23, Qt::LeftButton);
  EXPECT_EQ(page->Label3->text(), "????");
  QTest::mouseClick(page->Button53, Qt::LeftButton);
  EXPECT_EQ(page->L_Version->text(), "");
  QTest::mouseClick(page->Button54, Qt::LeftButton);
  EXPECT_EQ(page->L_DeviceDesc->text(), "???");
  QTest::mouseClick(page->Btn_GetHWSC, Qt::LeftButton);
  EXPECT_EQ(page->L_HWSC->text(), "???");
}

TEST_F(InfoPage, CycledSupplyPollsEvery200MsPlusTheCommand) {
  int sent = 0;
  node.OnSendPacket = [&](device::TCustomDevice &, const std::string &, const std::string &) { ++sent; };
  server.SetFaults([] {
    sim::Faults f;
    f.delayMs = 100;
    return f;
  }());
  page->CB_HWSC_Cycled->setChecked(true);
  QTest::qWait(1500);
  page->CB_HWSC_Cycled->setChecked(false);
  (void)QTest::qWaitFor([&] { return !page->HwscPoll->Polling(); }, 2000);
  // Each poll is two requests of at least 100 ms each, then 200 ms of rest:
  // at most four polls in 1.5 s.
  EXPECT_GE(sent, 2);
  EXPECT_LE(sent, 8);
  EXPECT_EQ(sent % 2, 0);
  EXPECT_FALSE(page->Timer3->isActive());
}
