// The "Команды" page driven as a user would, against the simulated modem.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "service_page_fixture.h"
#include "ui/main/commands_tab.h"
#include "ui/widgets/histogram_view.h"

using Fixture = testing_support::ServicePageTest<TCommandsTab>;

namespace {
struct CommandsPage : Fixture {
  const char *Caption() const override { return "Команды"; }
  std::vector<std::string> ListLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < page->RzListBox1->count(); ++i) lines.push_back(page->RzListBox1->item(i)->text().toStdString());
    return lines;
  }
};
}  // namespace

TEST_F(CommandsPage, VersionIsLoggedEvenAfterAFailure) {
  QTest::mouseClick(page->Button1, Qt::LeftButton);
  AnswerEverythingWith(4);
  QTest::mouseClick(page->Button1, Qt::LeftButton);
  EXPECT_EQ(TopLevelRows(), (std::vector<std::string>{"Version: Имитатор модема ORVA, версия 1.0", "Version: "}));
}

TEST_F(CommandsPage, ModesRestartAndIdentifyReachTheModem) {
  QTest::mouseClick(page->Button37, Qt::LeftButton);
  uint8_t mode = 0;
  WithSim([&](sim::NodeState &s) { mode = s.mode; });
  EXPECT_EQ(mode, 1);
  QTest::mouseClick(page->Button38, Qt::LeftButton);
  uint32_t identified = 0;
  QTest::mouseClick(page->Button35, Qt::LeftButton);
  WithSim([&](sim::NodeState &s) {
    mode = s.mode;
    identified = s.identifyCount;
  });
  EXPECT_EQ(mode, 0);
  EXPECT_EQ(identified, 1u);
  QTest::mouseClick(page->Button8, Qt::LeftButton);
  EXPECT_EQ(node.ResultCode().Code, 0);
}

TEST_F(CommandsPage, LinkTestRunsFiveHundredRequestsWithStatistics) {
  QTest::mouseClick(page->Button2, Qt::LeftButton);
  const auto rows = TopLevelRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].rfind("Performing test... | Test: ", 0), 0u) << rows[0];
  EXPECT_NE(rows[0].find(" msec/request"), std::string::npos);
  EXPECT_EQ(rows[1], "Cycle:500 / Good:500 / Total:500");
  EXPECT_EQ(rows[2].rfind("Round trip: min ", 0), 0u) << rows[2];
  EXPECT_NE(rows[2].find("lost 0.0 % (0 of 500)"), std::string::npos) << rows[2];
  const auto children = ChildTexts(0);
  ASSERT_EQ(children.size(), 25u);
  EXPECT_EQ(children[1], "Cycle:20 / Good:20 / Total:500");
  EXPECT_EQ(server.RequestsSeen(), 500u);
  int binned = 0;
  for (int c : page->LinkHistogram->Counts()) binned += c;
  EXPECT_EQ(binned, 500);
  EXPECT_EQ(host.progress.back(), "Test 500 Vers 0/0");
  EXPECT_EQ(host.progress[host.progress.size() - 2], "Test 500 Vers 500/500");
  EXPECT_NE(page->L_LinkStats->text().indexOf("Cycle:500 / Good:500 / Total:500"), -1);
}

TEST_F(CommandsPage, StopEndsTheLinkTest) {
  int sent = 0;
  node.OnSendPacket = [&](device::TCustomDevice &d, const std::string &, const std::string &) {
    if (++sent == 38) d.Stop();  // "&Stop" clicked while request 37 waits
  };
  QTest::mouseClick(page->Button2, Qt::LeftButton);
  EXPECT_EQ(sent, 38);
  const auto rows = TopLevelRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], "Cycle:38 / Good:37 / Total:500");
  EXPECT_NE(rows[2].find("lost 0.0 % (0 of 37)"), std::string::npos) << rows[2];
}

TEST_F(CommandsPage, DebugTraceFromTheModemsRam) {
  EXPECT_EQ(page->SE_debuginfaddr->value(), 0x4E1);
  EXPECT_EQ(page->SE_debuginfaddr->minimum(), 0x60);
  EXPECT_EQ(page->SE_debuginfaddr->maximum(), 0x860);
  EXPECT_EQ(page->SE_debuginfaddr->text(), "0x4E1");
  QTest::mouseClick(page->Button59, Qt::LeftButton);
  auto lines = ListLines();
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_EQ(lines.back().rfind("Время:0:", 0), 0u) << lines.back();
  for (const auto &l : lines) EXPECT_EQ(l.rfind("Время:", 0), 0u) << l;

  // Another address: a write index outside the ring is reported, not read.
  page->SE_debuginfaddr->setValue(0x60);
  QTest::mouseClick(page->Button59, Qt::LeftButton);
  lines = ListLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("вне кольца"), std::string::npos) << lines[0];

  // A failed read keeps the list.
  AnswerEverythingWith(4);
  QTest::mouseClick(page->Button59, Qt::LeftButton);
  EXPECT_EQ(ListLines(), lines);
}

TEST_F(CommandsPage, MemoryMapAndShowTermnalAskTheWindowForItsOtherWindows) {
  struct Host : testing_support::FakePageHost {
    int dumpShown = 0, terminalShown = 0;
    void ShowMemoryDumpWindow() override { ++dumpShown; }
    void ShowTerminalWindow() override { ++terminalShown; }
  } windowsHost;
  windowsHost.node = &node;
  auto *other = new TCommandsTab(windowsHost, windowsHost.Sheet("Команды"));
  QTest::mouseClick(other->Button46, Qt::LeftButton);
  QTest::mouseClick(other->Button46, Qt::LeftButton);
  QTest::mouseClick(other->Button5, Qt::LeftButton);
  EXPECT_EQ(windowsHost.dumpShown, 2);
  EXPECT_EQ(windowsHost.terminalShown, 1);
  EXPECT_EQ(other->Button5->text(), "Show termnal");
}

TEST_F(CommandsPage, TraceAddressIsKeptInTheSettings) {
  const auto *setting = host.Setting("SE_debuginfaddr.Value");
  ASSERT_NE(setting, nullptr);
  EXPECT_EQ(setting->save(), "1249");
  EXPECT_TRUE(setting->load("1536"));
  EXPECT_EQ(page->SE_debuginfaddr->text(), "0x600");
}
