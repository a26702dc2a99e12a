// The "Info" page's texts: tick counter, cycle rate, EEPROM time, supply.
#include <gtest/gtest.h>

#include <clocale>

#include "modem/run_counters.h"
#include "modem/counter_texts.h"

using namespace modem::counter_text;

TEST(InfoTabLogic, TickCounterAndWorkTime) {
  struct {
    const char *hex;
    uint32_t tick;
    const char *text;
  } cases[] = {
      {"", 0, " (0) Work time: 0 sec (0 days, 00 h, 00 min, 00 sec)"},
      {"XYZ", 0, "XYZ (0) Work time: 0 sec (0 days, 00 h, 00 min, 00 sec)"},
      {"E8030000", 1000, "E8030000 (1000) Work time: 5 sec (0 days, 00 h, 00 min, 05 sec)"},
      // 1 day 2 h 3 min 4 s = 93784 s = 18756800 ticks = 0x011E34C0.
      {"C0341E01", 18756800, "C0341E01 (18756800) Work time: 93784 sec (1 days, 02 h, 03 min, 04 sec)"},
      {"FFFFFFFF", 0xFFFFFFFF,
       "FFFFFFFF (4294967295) Work time: 21474836 sec (248 days, 13 h, 13 min, 56 sec)"},
      // A short answer is read as one number, then its four bytes reversed.
      {"E803", 0x03E80000, "E803 (65536000) Work time: 327680 sec (3 days, 19 h, 01 min, 20 sec)"},
      {"E803000000", 0, "E803000000 (0) Work time: 0 sec (0 days, 00 h, 00 min, 00 sec)"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(modem::TickCountFromHex(c.hex), c.tick) << c.hex;
    EXPECT_EQ(TickText(c.hex), c.text) << c.hex;
  }
}

TEST(InfoTabLogic, CycleRateNeedsFiveBytesAndATick) {
  // 3 time, 250000 cycles (0x03D090) over 1000 ticks = 5 s.
  EXPECT_EQ(CycleText("0390D00300", 1000), "0390D00300:  3 time, 250000 cycles (50000 cycles/sec)");
  EXPECT_EQ(CycleText("0390D003", 1000), kNoCycleTime);
  EXPECT_EQ(CycleText("0390D0030000", 1000), kNoCycleTime);
  EXPECT_EQ(CycleText("0390D0030G", 1000), kNoCycleTime);
  EXPECT_EQ(CycleText("0390D00300", 0), "0390D00300:  3 time, 250000 cycles (no tick count, no rate)");
  // The rate is truncated: 10 cycles over 3 ticks is 666.67 a second.
  EXPECT_EQ(CycleText("000A000000", 3), "000A000000:  0 time, 10 cycles (666 cycles/sec)");
}

TEST(InfoTabLogic, EepromTimeAndSupplyKeepAPointUnderAnyLocale) {
  EXPECT_EQ(EepromText(12), "Read time: 12");
  const char *old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  EXPECT_EQ(SupplyText(true, 320 / 65.57377, 640 / 65.57377), "AC detected, 4.88V ext, 9.76V int");
  EXPECT_EQ(SupplyText(false, 0, 3.3), "no AC, 0.00V ext, 3.30V int");
  std::setlocale(LC_NUMERIC, saved.c_str());
}
