#include "ui/terminal/term_form_logic.h"

#include <gtest/gtest.h>

#include "ui/terminal/term_settings_logic.h"
#include "util/ini_file.h"

TEST(TermSendData, AsciiGetsLineEndBinGetsBytesOrTheFault) {
  EXPECT_EQ(term::SendData("ATI", false).bytes, "ATI\r\n");
  EXPECT_EQ(term::SendData("Тест", false).bytes, "\xD2\xE5\xF1\xF2\r\n");  // the line's code page
  EXPECT_EQ(term::SendData("0A1b", true).bytes, std::string("\x0A\x1B", 2));
  EXPECT_TRUE(term::SendData("", true).ok);
  struct Case {
    const char *text;
    size_t at;
  } faults[] = {{"0A1G", 3}, {"0A1", 2}, {"0A 1B", 2}, {"x", 0}};
  for (const auto &c : faults) {
    auto d = term::SendData(c.text, true);
    EXPECT_FALSE(d.ok) << c.text;
    EXPECT_EQ(d.bytes, "") << c.text;
    EXPECT_EQ(d.faultAt, c.at) << c.text;
    EXPECT_FALSE(d.fault.empty());
  }
}

TEST(TermSendBox, CopiedBytesAndMacroCaptions) {
  EXPECT_EQ(term::SendBoxText(std::string("\x0A\x1B", 2), true), "0A1B");
  EXPECT_EQ(term::SendBoxText("AB\xFA", false), "ABъ");
  EXPECT_EQ(term::SendBoxText("", true), "");
  EXPECT_EQ(term::MacroCaption(3, "0102"), "3 0102");
  EXPECT_EQ(term::MacroTextOfCaption("3 0102"), "0102");
  EXPECT_EQ(term::MacroTextOfCaption("10 a b"), "a b");
  EXPECT_EQ(term::MacroTextOfCaption("3 "), "");
}

TEST(TermView, ClearedOnlyPastOneMegabyte) {
  EXPECT_FALSE(term::ClearsBeforeAppend(1048576));
  EXPECT_TRUE(term::ClearsBeforeAppend(1048577));
  EXPECT_EQ(term::AppendedAt(1048576), 1048576u);
  EXPECT_EQ(term::AppendedAt(1048577), 0u);
}

TEST(TermSettings, PlacementIsWrittenTwiceAndReadPreferringTheScreenSize) {
  util::OrderedIni ini;
  term::TWindowPlacement p;
  p.normPos = {10, 20, 639, 495};
  p.showCmd = 3;
  term::WritePlacement(ini, "TermForm", p, 1280, 1024);
  EXPECT_EQ(ini.ToText(),
            "[TermForm]\nFormVersion=0\nFlags=0\nShowCmd=3\nPixelsPerInch=96\n"
            "MinMaxPos(1280x1024)=-1,-1,-1,-1\nMinMaxPos=-1,-1,-1,-1\n"
            "NormPos(1280x1024)=10,20,639,495\nNormPos=10,20,639,495\nVisible=1\n\n");
  ini.Set("TermForm", "NormPos", "1,2,700,500");
  auto same = term::ReadPlacement(ini, "TermForm", 1280, 1024);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->normPos, (std::array<int, 4>{10, 20, 639, 495}));
  EXPECT_EQ(same->showCmd, 3);
  auto other = term::ReadPlacement(ini, "TermForm", 1920, 1080);
  EXPECT_EQ(other->normPos, (std::array<int, 4>{1, 2, 700, 500}));
  ini.Set("TermForm", "NormPos", "1,2,700");  // unreadable: the default stays
  EXPECT_EQ(term::ReadPlacement(ini, "TermForm", 1920, 1080)->normPos, (std::array<int, 4>{0, 0, 0, 0}));
  ini.Set("TermForm", "FormVersion", "-1");
  EXPECT_FALSE(term::ReadPlacement(ini, "TermForm", 1280, 1024));
  EXPECT_FALSE(term::ReadPlacement(util::OrderedIni(), "TermForm", 1280, 1024));
}

TEST(TermSettings, StoredBooleansAndNumbers) {
  EXPECT_EQ(term::TerminalSettingsPath("/opt/vovor/vovor.settings"), "/opt/vovor/vovor.settings2");
  EXPECT_EQ(term::BoolText(true), "True");
  EXPECT_EQ(term::ParseBool("False"), false);
  EXPECT_EQ(term::ParseBool("yes"), std::nullopt);
  EXPECT_EQ(term::ParseInt("-5"), -5);
  EXPECT_EQ(term::ParseInt("99999999999"), std::nullopt);
  EXPECT_EQ(term::ParseInt("12a"), std::nullopt);
}

TEST(TermCalculator, TriesTheKnownCalculatorsAndNamesOneToInstall) {
  EXPECT_EQ(term::CalculatorPrograms().front(), "gnome-calculator");
  EXPECT_EQ(term::CalculatorPrograms().size(), 6u);
  EXPECT_NE(term::NoCalculatorText().find("xcalc"), std::string::npos);
  EXPECT_NE(term::NoCalculatorText().find("apt install gnome-calculator"), std::string::npos);
}
