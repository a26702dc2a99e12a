#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

#include "util/codepage.h"
#include "util/format.h"
#include "util/hex.h"
#include "util/manual_reset_event.h"
#include "util/tick.h"

using namespace util;

TEST(Hex, HexByteAndBytesToHex) {
  EXPECT_EQ(HexByte(10), "0A");
  EXPECT_EQ(HexByte(255), "FF");
  EXPECT_EQ(BytesToHex(std::string("\x00\x1b\xff", 3)), "001BFF");
}

TEST(Hex, HexToBytesStopsAtLastCompletePairAndZeroesBadPairs) {
  EXPECT_EQ(HexToBytes("1G", 1, false), std::string(1, '\0'));
  EXPECT_EQ(HexToBytes("1G", 0, false), "");
  EXPECT_EQ(HexToBytes("0102030", 10, false), std::string("\x01\x02\x03"));
  EXPECT_EQ(HexToBytes("a0FF", 1, false), std::string("\xa0"));
}

TEST(Hex, HexToBytesFromOemGivesUtf8) {
  // "Модем" in CP866.
  EXPECT_EQ(HexToBytes("8CAEA4A5AC", 5, true), "Модем");
}

TEST(Hex, PairValueSumAndXor) {
  EXPECT_EQ(HexPairValue("FF001501", 2), 0x15);
  EXPECT_EQ(HexPairValue("FF0Z", 1), 0);
  EXPECT_EQ(HexPairValue("FF", 5), 0);
  EXPECT_EQ(HexPairSum("FF001501", 4), 0x15);
  EXPECT_EQ(HexPairSum("FFzz01", 3), 0x00);
  EXPECT_EQ(XorSum(std::string("\xff\x00\x15\x01", 4), 4), 0x14);
  EXPECT_EQ(XorSum("", 0), 0xFF);
}

TEST(Codepage, RoundTripAndUnmappable) {
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251("Узел №1")), "Узел №1");
  EXPECT_EQ(Utf8ToCp1251("a\u4e2db"), "a?b");
  EXPECT_EQ(Cp866ToUtf8(Utf8ToCp866("Версия")), "Версия");
}

struct FormatCase {
  const char *fmt;
  std::vector<FormatArg> args;
  const char *expected;
};

TEST(Format, TemplateRules) {
  const FormatCase cases[] = {
      {"%d", {42}, "42"},
      {"%d", {-42}, "-42"},
      {"%4.4d", {-5}, "-0005"},
      {"%x", {255}, "FF"},
      {"%2.2x", {5}, "05"},
      {"%4.4x", {0x1b}, "001B"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%x", {-2}, "FFFFFFFE"},
      {"%u", {-1}, "4294967295"},
      {"%f", {1.5}, "1.50"},
      {"%3f", {1.5}, "1.50"},
      {"%3.3f", {2.0}, "2.000"},
      {"%5.5f", {0.1}, "0.10000"},
      {"%.2f", {0.125}, "0.13"},
      {"%.2f", {-0.125}, "-0.13"},
      {"%.0f", {2.5}, "3"},
      {"%.1f", {-0.04}, "0.0"},
      {"%s-%s", {"a", "b"}, "a-b"},
      {"%.2s", {"abcd"}, "ab"},
      {"[%5d]", {42}, "[   42]"},
      {"[%-5d]", {42}, "[42   ]"},
      {"%1:s %0:s", {"a", "b"}, "b a"},
      {"%*d", {4, 7}, "   7"},
      {"100%%", {}, "100%"},
      {"%d %d", {1}, "1 "},
      {"%q", {1}, "%q"},
      {"%", {}, "%"},
      {"RC:%d/%d", {2, 20}, "RC:2/20"},
      {"OK (S:%d RC:%d BL:%d)", {1, 0, 3}, "OK (S:1 RC:0 BL:3)"},
      {"%n", {1234567.891}, "1,234,567.89"},
      {"%e", {1234.5}, "1.23450000000000E+003"},
      {"%g", {0.5}, "0.5"},
  };
  for (const auto &c : cases) EXPECT_EQ(FormatV(FormatSettings{}, c.fmt, c.args), c.expected) << c.fmt;
}

TEST(Format, DecimalSeparatorFromSettings) {
  FormatSettings comma{',', ' '};
  EXPECT_EQ(FormatWith(comma, "%3.3f сек", 1.2346), "1,235 сек");
  EXPECT_EQ(Format("%s=%d", std::string("x"), uint8_t{200}), "x=200");
}

TEST(ManualResetEvent, StaysSetUntilResetAndWakesWaitAny) {
  ManualResetEvent a, b;
  EXPECT_FALSE(a.IsSet());
  EXPECT_EQ(WaitAny({&a, &b}, 0), -1);
  b.Set();
  EXPECT_TRUE(b.Wait(0));
  EXPECT_EQ(WaitAny({&a, &b}, 1000), 1);
  b.Reset();
  EXPECT_FALSE(b.IsSet());

  std::thread t([&] {
    SleepMs(20);
    a.Set();
  });
  uint32_t start = TickMs();
  EXPECT_EQ(WaitAny({&a, &b}, 5000), 0);
  EXPECT_LT(TicksSince(start), 4000u);  // woken by the Set, not the time-out
  t.join();
}

TEST(ManualResetEvent, ObserversAreCalledOnSetUntilRemoved) {
  ManualResetEvent e;
  int calls = 0;
  int id = e.AddObserver([&] { ++calls; });
  e.Set();
  e.Set();
  e.RemoveObserver(id);
  e.Set();
  EXPECT_EQ(calls, 2);
}

#include <filesystem>

#include "util/ini_file.h"

TEST(OrderedIni, KeepsFirstWriteOrderAndReadsWhatItWrote) {
  OrderedIni ini;
  ini.Set("Form1", "Panel1.Height", "88");
  ini.Set("Form1", "CB_Port.Text", "COM1");
  ini.Set("Form1", "Panel1.Height", "120");
  ini.Set("Other", "a", "b=c");
  EXPECT_EQ(ini.ToText(), "[Form1]\nPanel1.Height=120\nCB_Port.Text=COM1\n\n[Other]\na=b=c\n\n");

  auto path = std::filesystem::temp_directory_path() / "vovor_ini_test.settings";
  ASSERT_TRUE(ini.Save(path.string()));
  OrderedIni back;
  ASSERT_TRUE(back.Load(path.string()));
  EXPECT_EQ(back.ToText(), ini.ToText());
  EXPECT_EQ(back.Get("Other", "a"), "b=c");
  EXPECT_FALSE(back.Get("Form1", "missing"));
  std::filesystem::remove(path);
}

TEST(OrderedIni, GarbageAndWindowsLineEndsAreTolerated) {
  OrderedIni ini;
  ini.FromText("junk line\n\x01\x02\n[Form1]\r\nCB_Port.Text=COM3\r\nnot a pair\r\n=empty key\r\n");
  EXPECT_EQ(ini.Get("Form1", "CB_Port.Text"), "COM3");
  EXPECT_EQ(ini.Keys("Form1").size(), 2u);
  OrderedIni missing;
  EXPECT_FALSE(missing.Load("/nonexistent/dir/x.settings"));
}

TEST(SettingsFilePath, NextToTheExecutableOrInTheConfigFolder) {
  auto dir = std::filesystem::temp_directory_path();
  EXPECT_EQ(SettingsFilePath((dir / "vovor").string(), ".settings"), (dir / "vovor.settings").string());
  if (access("/proc", W_OK) != 0) {  // a folder we cannot write (not as root)
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    EXPECT_EQ(SettingsFilePath("/proc/vovor", ".settings2"), (dir / "vovor" / "vovor.settings2").string());
  }
}

#include <clocale>

TEST(Format, IndependentOfTheCLocale) {
  // A GUI program runs with the user's locale, which may write "1,5".
  const char *old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma on this machine";
  EXPECT_EQ(Format("%3.3f", 1.5), "1.500");
  EXPECT_EQ(Format("%g", 2.5), "2.5");
  // The user's own number format is asked for explicitly, and stays valid
  // UTF-8 where the locale groups with a multi-byte character.
  util::FormatSettings user = util::LocaleFormatSettings();
  EXPECT_EQ(user.decimalSeparator, ',');
  EXPECT_LT(static_cast<unsigned char>(user.thousandSeparator), 0x80);
  std::setlocale(LC_NUMERIC, saved.c_str());
}
