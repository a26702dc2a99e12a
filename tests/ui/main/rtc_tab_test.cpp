// The "RTC" page driven as a user would, against the simulated modem.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <regex>

#include "service_page_fixture.h"
#include "ui/main/rtc_tab.h"

using Fixture = testing_support::ServicePageTest<TRtcTab>;

namespace {
struct RtcPage : Fixture {
  const char *Caption() const override { return "RTC"; }
  long long Delta() {
    std::smatch m;
    std::string text = page->Label4->text().toStdString();
    static const std::regex line(
        "Device: \\d\\d/\\d\\d/\\d{4}  \\d\\d:\\d\\d:\\d\\d\\.\\d{3}   Computer: \\d\\d/\\d\\d/\\d{4}  "
        "\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  Delta: (\\d+) msec");
    if (!std::regex_match(text, m, line)) {
      ADD_FAILURE() << text;
      return -1;
    }
    return std::stoll(m[1]);
  }
};
}  // namespace

TEST_F(RtcPage, ReadSetAndReadAgain) {
  EXPECT_EQ(page->Label4->text(), "Label4");
  // A clock that was never set is decades behind: the delta does not overflow.
  WithSim([](sim::NodeState &s) { s.clockOffsetMs -= 25LL * 365 * 86'400'000; });
  QTest::mouseClick(page->Button25, Qt::LeftButton);
  EXPECT_GT(Delta(), 700'000'000'000LL);
  QTest::mouseClick(page->Button26, Qt::LeftButton);
  QTest::mouseClick(page->Button25, Qt::LeftButton);
  EXPECT_LT(Delta(), 2000);
  EXPECT_EQ(page->L_Drift->text().toStdString().rfind("Дрейф часов: нужно ещё чтение", 0), 0u);
}

TEST_F(RtcPage, AFailedReadSaysNoInfo) {
  AnswerEverythingWith(4);
  QTest::mouseClick(page->Button25, Qt::LeftButton);
  EXPECT_EQ(page->Label4->text(), "No info");
}
