// vovorctl's service commands print the pages' texts without markup, run as
// a user runs them against the simulated modem, directly and on a remote node.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "run_ctl.h"

using cli_test::RunCtl;

namespace {
bool Matches(const std::string &text, const std::string &pattern) { return std::regex_match(text, std::regex(pattern)); }
}  // namespace

TEST(CtlService, PhyTextsAsThePageShowsThem) {
  auto status = RunCtl("--sim phy status");
  ASSERT_EQ(status.exitCode, 0) << status.err;
  EXPECT_EQ(status.out.rfind("PHY Flags:  \nPHY Status:  ps_RX\nRF_Channel:  ", 0), 0u) << status.out;
  EXPECT_EQ(std::count(status.out.begin(), status.out.end(), '\n'), 13);
  EXPECT_EQ(status.out.find('<'), std::string::npos);

  auto lps = RunCtl("--sim --remote 2 phy lps");
  ASSERT_EQ(lps.exitCode, 0) << lps.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(lps.out, m, std::regex("RSSI: (\\d+) \\((-?\\d+) dbm\\)"))) << lps.out;
  EXPECT_EQ(std::stoi(m[2]), (std::stoi(m[1]) - 128) / 2 - 72);

  EXPECT_EQ(RunCtl("--sim phy errors").out, "TX SEX:  0\nTX WatchDog:  0\nRX WatchDog:  0\n");
  EXPECT_EQ(RunCtl("--sim phy carrier").out,
            "Offs 0: 4 Khz \nOffs 1: 3 Khz \nOffs 2: -1 Khz \nOffs 3: -1 Khz \nMiddle: 0 Khz \n");
  EXPECT_EQ(RunCtl("--sim --remote 2 phy temperature").out, "CC2500 crystal Temp: 22\n");
  EXPECT_EQ(RunCtl("--sim phy nothing").exitCode, 2);
}

TEST(CtlService, InfoReadings) {
  EXPECT_TRUE(Matches(RunCtl("--sim tick").out,
                      "[0-9A-F]{8} \\(\\d+\\) Work time: \\d+ sec \\(0 days, 00 h, 00 min, \\d\\d sec\\)\n"));
  EXPECT_EQ(RunCtl("--sim eeprom-test").out, "Read time: 12\n");
  EXPECT_EQ(RunCtl("--sim --remote 2 device-name").out, "ORVA-SIM-2\n");
  EXPECT_EQ(RunCtl("--sim hw-state").out, "AC detected, 12.00V ext, 3.29V int\n");
  auto cycle = RunCtl("--sim cycle-time");
  EXPECT_TRUE(Matches(cycle.out, "[0-9A-F]{10}:  \\d time, \\d+ cycles \\((\\d+ cycles/sec|no tick count, no rate)\\)\n"))
      << cycle.out;
}

TEST(CtlService, RtcComparisonLineThenFields) {
  auto rtc = RunCtl("--sim --remote 2 rtc");
  ASSERT_EQ(rtc.exitCode, 0) << rtc.err;
  const std::string first = rtc.out.substr(0, rtc.out.find('\n'));
  EXPECT_TRUE(Matches(first, "Device: \\d\\d/\\d\\d/\\d{4}  \\d\\d:\\d\\d:\\d\\d\\.\\d{3}   Computer: \\d\\d/\\d\\d/\\d{4}  "
                             "\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  Delta: \\d+ msec"))
      << first;
  EXPECT_EQ(first.substr(first.find("Delta: ") + 7), cli_test::FieldOf(rtc.out, "delta ms") + " msec");
}

TEST(CtlService, LinkTestAndDebugTrace) {
  auto test = RunCtl("--sim link-test -n 41");
  ASSERT_EQ(test.exitCode, 0) << test.err;
  EXPECT_NE(test.out.find("Cycle:0 / Good:0 / Total:41\nCycle:20 / Good:20 / Total:41\nCycle:40 / Good:40 / Total:41\n"
                          "Test: "),
            std::string::npos)
      << test.out;
  EXPECT_NE(test.out.find("\nCycle:41 / Good:41 / Total:41\nRound trip: min "), std::string::npos) << test.out;
  EXPECT_NE(test.out.find("lost 0.0 % (0 of 41)\n"), std::string::npos);
  EXPECT_EQ(RunCtl("--sim link-test -n 0").exitCode, 2);

  auto trace = RunCtl("--sim debug-trace");
  ASSERT_EQ(trace.exitCode, 0) << trace.err;
  EXPECT_EQ(std::count(trace.out.begin(), trace.out.end(), '\n'), 32);
  EXPECT_NE(trace.out.find("\nВремя:0:"), std::string::npos);
  auto outside = RunCtl("--sim debug-trace --address 0x60");
  EXPECT_EQ(outside.exitCode, 1);
  EXPECT_NE(outside.err.find("вне кольца"), std::string::npos) << outside.err;
  EXPECT_EQ(RunCtl("--sim debug-trace --address 0x861").exitCode, 2);
}
