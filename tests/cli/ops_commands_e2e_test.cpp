// vovorctl's modem commands, run as a user runs them, against the simulated
// modem it starts itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "run_ctl.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

namespace {
// Digits where the pattern has 'd', the pattern's own character elsewhere.
bool Matches(const std::string &text, const std::string &pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (pattern[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != pattern[i]) return false;
  return true;
}
}  // namespace

TEST(CtlOperations, InfoOfTheModemAndOfARemoteNode) {
  auto direct = RunCtl("--sim info");
  ASSERT_EQ(direct.exitCode, 0) << direct.err;
  EXPECT_EQ(FieldOf(direct.out, "version"), "Имитатор модема ORVA, версия 1.0");
  EXPECT_EQ(FieldOf(direct.out, "name"), "ORVA-SIM");
  EXPECT_TRUE(Matches(FieldOf(direct.out, "clock"), "dddd-dd-dd dd:dd:dd.ddd")) << direct.out;
  EXPECT_EQ(FieldOf(direct.out, "temperature"), "24");
  EXPECT_EQ(FieldOf(direct.out, "supply"), "AC detected");
  EXPECT_EQ(FieldOf(direct.out, "external voltage"), "12.00");
  EXPECT_EQ(FieldOf(direct.out, "internal voltage"), "3.29");

  auto remote = RunCtl("--sim --remote 2 info");
  ASSERT_EQ(remote.exitCode, 0) << remote.err;
  EXPECT_EQ(FieldOf(remote.out, "version"), "Имитатор модема ORVA, версия 1.0, узел 2");
  EXPECT_EQ(FieldOf(remote.out, "name"), "ORVA-SIM-2");
  EXPECT_EQ(FieldOf(remote.out, "temperature"), "22");
}

TEST(CtlOperations, FailuresGiveTheResultCodeAndText) {
  auto unknown = RunCtl("--sim --remote 77 version");
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "error: 18 Неизвестный узел\n");

  for (const char *bad : {"strobe BOGUS", "strobe 0x2F", "mode fast", "registers --read 0x40 1",
                          "registers --read 0x30 17", "registers --write 0x0D", "rtc --later", "identify now"}) {
    auto r = RunCtl(std::string("--sim ") + bad);
    EXPECT_EQ(r.exitCode, 2) << bad;
    EXPECT_NE(r.err.find("vovorctl: "), std::string::npos) << bad;
  }
}

TEST(CtlOperations, RegistersAndStrobes) {
  // The first line of `out` that starts with `start`.
  auto lineOf = [](const std::string &out, const std::string &start) {
    size_t at = out.find("\n" + start);
    return at == std::string::npos ? "" : out.substr(at + 1, out.find('\n', at + 1) - at - 1);
  };
  auto all = RunCtl("--sim registers");
  ASSERT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 1 + 59);  // a header, then 0x00..0x3A
  EXPECT_EQ(lineOf(all.out, "(0x35) MARCSTATE").substr(19, 4), "0x0D");  // receiving
  EXPECT_EQ(lineOf(all.out, "(0x35) MARCSTATE").substr(63), "RX");

  auto written = RunCtl("--sim registers --write 0x0D=0x5C --read 0x0C 2");
  ASSERT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out.substr(0, written.out.find('\n')), "written: 0x0D=0x5C");
  EXPECT_EQ(lineOf(written.out, "(0x0D) FREQ2").substr(19, 4), "0x5C");
  EXPECT_NE(lineOf(written.out, "(0x0C) FSCTRL0"), "");

  for (const char *name : {"SIDLE", "idle", "0x36"}) {
    auto r = RunCtl(std::string("--sim strobe ") + name);
    EXPECT_EQ(r.exitCode, 0) << name << r.err;
    EXPECT_EQ(FieldOf(r.out, "strobe"), "SIDLE (0x36)") << name;
  }
  auto remote = RunCtl("--sim --remote 3 strobe SRX");
  EXPECT_EQ(remote.exitCode, 0) << remote.err;
}

TEST(CtlOperations, ClockModesAndControl) {
  auto rtc = RunCtl("--sim rtc --set-now");
  ASSERT_EQ(rtc.exitCode, 0) << rtc.err;
  EXPECT_LT(std::stol(FieldOf(rtc.out, "delta ms")), 2000);

  struct Case {
    const char *args;
    const char *field;
    const char *value;
  } cases[] = {
      {"mode tech", "mode", "tech"},       {"mode work", "mode", "work"},
      {"identify", "identify", "OK"},      {"restart", "restart", "OK"},
      {"transceiver off", "transceiver", "off"}, {"--remote 1 mode tech", "mode", "tech"},
      {"version", "version", "Имитатор модема ORVA, версия 1.0"},
  };
  for (const auto &c : cases) {
    auto r = RunCtl(std::string("--sim ") + c.args);
    EXPECT_EQ(r.exitCode, 0) << c.args << r.err;
    EXPECT_EQ(FieldOf(r.out, c.field), c.value) << c.args;
  }
}
