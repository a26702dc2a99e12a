// vovorctl checksum and meter-test, checked against sums computed here in
// another way (a table-driven CRC, plain loops), and without any line.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "cli/run_ctl.h"

namespace {

// CRC-16/MODBUS from a 256-entry table, as meter vendors publish it.
uint16_t TableCrc(const std::string &bytes) {
  static const std::array<uint16_t, 256> table = [] {
    std::array<uint16_t, 256> t{};
    for (unsigned n = 0; n < 256; ++n) {
      uint16_t c = static_cast<uint16_t>(n);
      for (int k = 0; k < 8; ++k) c = (c & 1) ? static_cast<uint16_t>((c >> 1) ^ 0xA001) : static_cast<uint16_t>(c >> 1);
      t[n] = c;
    }
    return t;
  }();
  uint16_t crc = 0xFFFF;
  for (unsigned char b : bytes) crc = static_cast<uint16_t>((crc >> 8) ^ table[(crc ^ b) & 0xFF]);
  return crc;
}

std::string Hex2(unsigned v) {
  char s[8];
  std::snprintf(s, sizeof s, "%02X", v & 0xFF);
  return s;
}

std::string Hex4(unsigned v) {
  char s[8];
  std::snprintf(s, sizeof s, "%04X", v & 0xFFFF);
  return s;
}

std::string Reference(const std::string &bytes) {
  unsigned x = 0xFF, sum = 0, ce = 0;
  for (unsigned char b : bytes) x ^= b, sum += b;
  for (size_t i = 1; i + 1 < bytes.size(); ++i) ce += static_cast<unsigned char>(bytes[i]);
  if (bytes.size() < 3) ce = 0;
  return "CS СЭТ-4ТМ/Vesk BIN\t: " + Hex2(x) + "\r\n" + "CRC A001/FFFF \t: " + Hex4(TableCrc(bytes)) + " \r\n" +
         "CS ПСЧ \t\t: " + Hex2(sum) + "\r\n" + "CS ЦЭ68** (7 бит)\t: " + Hex2(ce & 0x7F) + "\r\n";
}

}  // namespace

TEST(CtlChecksum, PrintsTheCalculatorsMessage) {
  struct Case {
    const char *hex;
    std::string bytes;
  } cases[] = {{"0500", std::string("\x05\x00", 2)},
               {"313233343536373839", "123456789"},
               {"C0FFEE1B01", "\xC0\xFF\xEE\x1B\x01"}};
  for (const auto &c : cases) {
    auto run = cli_test::RunCtl(std::string("checksum --bin ") + c.hex);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Reference(c.bytes)) << c.hex;
  }
  EXPECT_NE(cli_test::RunCtl("checksum --bin 313233343536373839").out.find("4B37"), std::string::npos);
  auto ascii = cli_test::RunCtl("checksum --ascii 05000A");
  EXPECT_EQ(ascii.out, "CS Vesk ASCII 0F\n");
  auto tail = cli_test::RunCtl("checksum --bin 0500FA");
  EXPECT_NE(tail.out.find("Последние байты уже: XorSum"), std::string::npos) << tail.out;
  EXPECT_EQ(cli_test::RunCtl("checksum 0500").exitCode, 2);
}

TEST(CtlMeterTest, PrintsTheSendBoxTextAndItsFormat) {
  struct Case {
    const char *args;
    const char *out;
  } cases[] = {
      {"merc230 5", "050002E0\nBIN\n"},
      {"merc200 1193046", "00123456285F08\nBIN\n"},
      {"set-cs 5", "0500FA\nBIN\n"},
      {"vesk 5", "/05000A!0F\nASCII\n"},
      {"vesk 5 --bin", "1B0105000AF0\nBIN\n"},
      {"vesk 27 --bin", "1B011B1B000AEE\nBIN\n"},
      {"ce68 12 --bin", "/?12!\nASCII\n"},
      {"psc 5", "2330303537333531395231330D\nBIN\n"},
  };
  for (const auto &c : cases) {
    auto run = cli_test::RunCtl(std::string("meter-test ") + c.args);
    EXPECT_EQ(run.exitCode, 0) << c.args << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.args;
  }
  // The CRC of the Mercury 230 request, computed here.
  uint16_t crc = TableCrc(std::string("\x05\x00", 2));
  EXPECT_EQ(Hex2(crc) + Hex2(crc >> 8), "02E0");
  for (const char *bad : {"set-crc 256", "psc 1000", "vesk -1", "lamp 5", "merc230", "vesk 5 --hex"})
    EXPECT_EQ(cli_test::RunCtl(std::string("meter-test ") + bad).exitCode, 2) << bad;
}
