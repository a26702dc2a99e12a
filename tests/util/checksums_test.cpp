#include "util/checksums.h"

#include <gtest/gtest.h>

#include "util/hex.h"

TEST(Checksums, KnownValues) {
  EXPECT_EQ(util::Crc16Modbus("123456789"), 0x4B37);
  EXPECT_EQ(util::Crc16Modbus(""), 0xFFFF);
  EXPECT_EQ(util::Crc16Modbus(std::string("\x05\x00", 2)), 0xE002);
  EXPECT_EQ(util::ByteSum("\xFF\x02"), 0x01);
  EXPECT_EQ(util::PscChecksum("#00573519R"), util::HexByte(util::ByteSum("#00573519R")));
  EXPECT_EQ(util::PscChecksum(std::string("\x0A", 1)), "0A");
  // CE68: the first and the last byte stay out, seven bits are kept.
  EXPECT_EQ(util::Ce68Checksum("\x01\x80\x7F\x02"), (0x80 + 0x7F) & 0x7F);
  EXPECT_EQ(util::Ce68Checksum("\x01\x02"), 0);
  EXPECT_EQ(util::Ce68Checksum(""), 0);
}

TEST(Checksums, LongTextsAreSummedWhole) {
  // Beyond what a 16-bit count reaches: every byte still counts.
  std::string bytes(0x10001, '\x01');
  EXPECT_EQ(util::XorSumOf(bytes), 0xFF ^ 0x01);
  EXPECT_EQ(util::XorSumOf(std::string(2, '\x01')), 0xFF);
  std::string hex;
  for (int i = 0; i < 0x10001; ++i) hex += "01";
  EXPECT_EQ(util::HexPairSumOf(hex), static_cast<uint8_t>(0x10001));
  EXPECT_EQ(util::HexPairSumOf("0A0B0"), 0x15);  // an odd last digit is left out
  EXPECT_EQ(util::HexPairSumOf("ZZ05"), 0x05);   // a pair that is not hex counts 0
}
