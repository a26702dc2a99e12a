#include "modem/meter_requests.h"

#include <gtest/gtest.h>

using modem::TMeterTest;

TEST(MeterRequests, DocumentedExamples) {
  struct Case {
    TMeterTest test;
    int64_t number;
    bool binNow;
    const char *text;
    bool bin;
  } cases[] = {
      {TMeterTest::Merc230, 5, false, "050002E0", true},
      {TMeterTest::Merc200, 0x123456, false, "00123456285F08", true},
      {TMeterTest::SetCs, 5, false, "0500FA", true},
      {TMeterTest::Vesk, 5, false, "/05000A!0F", false},
      {TMeterTest::Vesk, 5, true, "1B0105000AF0", true},
      {TMeterTest::Vesk, 0x1B, true, "1B011B1B000AEE", true},
      {TMeterTest::Ce68, 12, true, "/?12!", false},
      {TMeterTest::SetCrc, 5, false, "050002E0", true},
      // Only the low byte goes into the one-byte address tests.
      {TMeterTest::SetCs, 0x105, false, "0500FA", true},
      // "#005" "73519" "R", its byte sum as two hex digits, CR.
      {TMeterTest::Psc, 5, true, "2330303537333531395231330D", true},
  };
  for (const auto &c : cases) {
    auto r = modem::BuildMeterTest(c.test, c.number, c.binNow);
    EXPECT_EQ(r.text, c.text) << int(c.test) << " " << c.number;
    EXPECT_EQ(r.bin, c.bin) << c.text;
  }
}

TEST(MeterRequests, NetNumberLimitsPerKind) {
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::Vesk)), 255);
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::Merc200)), 2147483647);
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::Merc230)), 255);
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::Psc)), 999);
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::SetCs)), 255);
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::SetCrc)), 255);
  EXPECT_EQ(modem::NetNumberMaximum(modem::NetNumberKind(TMeterTest::Ce68)), 2147483647);
  EXPECT_EQ(modem::MeterTestByName("set-crc"), TMeterTest::SetCrc);
  EXPECT_EQ(modem::MeterTestByName("SET-CRC"), std::nullopt);
}

TEST(ChecksumMessage, BinTextGivesTheFourLines) {
  // 0500: XorSum FA, CRC E002, byte sum 05, CE68 of two bytes 0.
  EXPECT_EQ(modem::ChecksumMessage("0500", true),
            "CS СЭТ-4ТМ/Vesk BIN\t: FA\r\n"
            "CRC A001/FFFF \t: E002 \r\n"
            "CS ПСЧ \t\t: 05\r\n"
            "CS ЦЭ68** (7 бит)\t: 00\r\n");
  // Small letters read as digits; an odd last digit is left out.
  EXPECT_EQ(modem::ChecksumMessage("0a1", true).rfind("CS СЭТ-4ТМ/Vesk BIN\t: F5\r\n", 0), 0u);
}

TEST(ChecksumMessage, AsciiTextGivesTheVeskLine) {
  EXPECT_EQ(modem::ChecksumMessage("05000A", false), "CS Vesk ASCII 0F");
  EXPECT_EQ(modem::ChecksumMessage("0", false), "CS Vesk ASCII 00");
}

TEST(ChecksumMessage, SaysWhichChecksumTheLastBytesAre) {
  struct Case {
    std::string bytes;
    std::string found;
  } cases[] = {
      {std::string("\x05\x00\xFA", 3), "XorSum"},
      {std::string("\x05\x00\x02\xE0", 4), "CRC-16/MODBUS (младший байт первым)"},
      {std::string("\x05\x00\xE0\x02", 4), "CRC-16/MODBUS (старший байт первым)"},
      {"#00573519R" "13", "ПСЧ"},
      {std::string("\x01\x02\x03\x04\x05", 5), "ЦЭ68**"},
      {std::string("\x05\x00", 2), ""},  // too short for a CE68 frame,
      {std::string("\x10\x20\x30", 3), "сумма байтов"},
      {std::string("\x10\x20\x31", 3), ""},
      {std::string("\x10", 1), ""},
  };
  for (const auto &c : cases) EXPECT_EQ(modem::MatchingChecksums(c.bytes), c.found) << c.found;
}
