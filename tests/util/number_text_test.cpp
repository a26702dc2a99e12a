// Numbers as users type them, and the bytes of little-endian numbers.
#include <gtest/gtest.h>

#include <limits>

#include "util/little_endian.h"
#include "util/number_text.h"

using namespace util;

TEST(NumberText, DecimalOrExplicitHexOnly) {
  struct Case {
    const char *text;
    std::optional<int64_t> value;
  } cases[] = {
      {"0", 0},          {"42", 42},       {"-7", -7},       {"0x2A", 42},     {"0X2a", 42},
      {"010", 10},  // a leading zero is decimal, never octal
      {"08", 8},         {"", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt}, {"+5", std::nullopt},
      {"0x", std::nullopt}, {"-0x5", std::nullopt}, {"5a", std::nullopt}, {"-", std::nullopt},
      {"0x7FFFFFFFFFFFFFFF", std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
  };
  for (const auto &c : cases) {
    const IntegerText read = ReadInteger(c.text);
    EXPECT_EQ(read.status == IntegerText::Ok ? std::optional<int64_t>(read.value) : std::nullopt, c.value) << c.text;
  }
  EXPECT_EQ(ReadInteger("0x10", NumberBase::Decimal).status, IntegerText::NotANumber);
}

TEST(NumberText, OverflowSaysWhichWayAndRangesRefuse) {
  EXPECT_EQ(ReadInteger("99999999999999999999").status, IntegerText::TooLarge);
  EXPECT_EQ(ReadInteger("-99999999999999999999").status, IntegerText::TooSmall);
  EXPECT_EQ(ReadInteger("0x10000000000000000").status, IntegerText::TooLarge);
  EXPECT_EQ(ParseInteger("291", 0, 65534), 291);
  EXPECT_EQ(ParseInteger("65535", 0, 65534), std::nullopt);
  EXPECT_EQ(ParseInteger("-1", 0, 10), std::nullopt);
  EXPECT_EQ(ParseInteger("99999999999999999999", 0, std::numeric_limits<int64_t>::max()), std::nullopt);
}

TEST(LittleEndian, ReadsAndWritesLowByteFirst) {
  const std::string bytes("\xE8\x07\x34\x12\x78\x56", 6);
  EXPECT_EQ(LeU16(bytes), 0x07E8);
  EXPECT_EQ(LeU16(bytes, 2), 0x1234);
  EXPECT_EQ(LeU32(bytes, 2), 0x56781234u);
  EXPECT_EQ(LeNumber(bytes, 3), 0x3407E8u);
  EXPECT_EQ(LeBytes(0x07E8, 2), bytes.substr(0, 2));
  EXPECT_EQ(LeHex16(2024), "E807");
  std::string out;
  AppendLe16(out, 0x1234);
  AppendLe32(out, 0x9ABCDEF0u);
  EXPECT_EQ(out, std::string("\x34\x12\xF0\xDE\xBC\x9A", 6));
  uint8_t raw[2] = {};
  StoreLe16(raw, 0xBEEF);
  EXPECT_EQ(LeU16(raw), 0xBEEF);
}
