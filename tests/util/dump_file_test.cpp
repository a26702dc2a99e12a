// Dump files written in each format come back as the same bytes at the same
// address; damaged files say where; comparisons find every differing run.
#include <gtest/gtest.h>

#include "util/dump_compare.h"
#include "util/dump_file.h"

using util::TDumpFormat;
using util::TDumpImage;

namespace {

std::string Ramp(size_t n, int from = 0) {
  std::string s;
  for (size_t k = 0; k < n; ++k) s += static_cast<char>((from + static_cast<int>(k)) & 0xFF);
  return s;
}

TEST(DumpFile, EveryFormatRoundTrips) {
  const TDumpImage images[] = {
      {0, Ramp(476)}, {0x100, Ramp(32)}, {0x481, Ramp(129, 7)}, {0xFFF8, Ramp(40)}, {0x12345, Ramp(3)}, {7, std::string(1, '\0')}};
  for (const auto &image : images) {
    for (auto format : {TDumpFormat::IntelHex, TDumpFormat::HexText}) {
      std::string error;
      const std::string text = util::DumpFileText(image, format);
      auto back = util::ParseDumpFile(text, "any.file", &error);
      ASSERT_TRUE(back) << error << "\n" << text;
      EXPECT_EQ(back->start, image.start) << text;
      EXPECT_EQ(back->bytes, image.bytes) << text;
    }
    auto raw = util::ParseDumpFile(util::DumpFileText(image, TDumpFormat::Raw),
                                   util::DumpFileName("ram", image.start, ".map"), nullptr);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->start, image.start);
    EXPECT_EQ(raw->bytes, image.bytes);
  }
}

TEST(DumpFile, WrittenFormsReadAsEveryToolExpects) {
  const TDumpImage image{0xFFFE, "\x01\x02\x03"};
  EXPECT_EQ(util::DumpFileText(image, TDumpFormat::IntelHex),
            ":02FFFE000102FE\n"
            ":020000040001F9\n"
            ":0100000003FC\n"
            ":00000001FF\n");
  EXPECT_EQ(util::DumpFileText({0x102, "AB\x01"}, TDumpFormat::HexText),
            "0x00100        41 42 01                                     AB.\n");
}

TEST(DumpFile, NamesCarryTheStartAddress) {
  EXPECT_EQ(util::DumpFileName("eeprom", 0x100, ".map"), "eeprom_0x0100.map");
  EXPECT_EQ(util::DumpFileName("fram", 0x12345, ".hex"), "fram_0x12345.hex");
  EXPECT_EQ(util::StartFromFileName("/tmp/x.y/eeprom_0x0100.map"), 0x100u);
  EXPECT_EQ(util::StartFromFileName("node-table_0x0010"), 0x10u);
  for (const char *other : {"dump.map", "ram_0x10.map", "ram_0xZZZZ.map", "ram_0x123456789.map"})
    EXPECT_FALSE(util::StartFromFileName(other)) << other;
}

TEST(DumpFile, DamagedFilesSayWhatIsWrong) {
  const std::pair<const char *, const char *> cases[] = {
      {":0100000003FD\n:00000001FF\n", "строка 1 файла Intel HEX: неверная контрольная сумма"},
      {":0200000003FC\n:00000001FF\n", "строка 1 файла Intel HEX: длина записи не сходится"},
      {":0100000003FC\n", "в файле Intel HEX нет записи конца"},
      {":0100000003FC\n:0100020003FA\n:00000001FF\n", "в файле пропуск с адреса 0x1"},
      {":0100000003FC\n:0100000003FC\n:00000001FF\n", "строка 2 файла Intel HEX: адрес записан дважды"},
      {":0100000603F6\n:00000001FF\n", "строка 1 файла Intel HEX: неизвестный тип записи"},
      {":02000004FFFFFC\n:10FFF800000102030405060708090A0B0C0D0E0F81\n:00000001FF\n",
       "строка 2 файла Intel HEX: адрес больше 32 бит"},
      {"0x00000  01 02 0Z\n", "строка 1 текстового дампа: неверный байт"},
      {"0x00000  01\n0x00010     02\n", "в файле пропуск с адреса 0x1"},
  };
  for (auto [text, why] : cases) {
    std::string error;
    EXPECT_FALSE(util::ParseDumpFile(text, "x.hex", &error)) << text;
    EXPECT_EQ(error, why) << text;
  }
}

TEST(DumpFile, BinaryThatLooksLikeNeitherIsRaw) {
  const std::string bytes("\x3A\x00\xFF\x10", 4);  // starts with ':' but is no text
  auto image = util::ParseDumpFile(bytes, "work-params_0x0010.map", nullptr);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->start, 0x10u);
  EXPECT_EQ(image->bytes, bytes);
}

TEST(DumpCompare, DifferingRunsAndWhatOnlyOneHolds) {
  std::string file = Ramp(64);
  std::string shown = file.substr(0x10, 0x30);
  shown[0x05] ^= 1;  // address 0x15
  shown[0x06] ^= 1;
  shown[0x20] ^= 1;  // address 0x30
  shown += "ZZ";     // 0x40, 0x41: beyond the file
  const auto c = util::CompareDumps({0x10, shown}, {0, file});
  EXPECT_EQ(c.commonBytes, 0x30u);
  EXPECT_EQ(c.differingBytes, 3u);
  const std::vector<util::TAddressRange> runs{{0x15, 0x16}, {0x30, 0x30}};
  EXPECT_EQ(c.differing, runs);
  EXPECT_EQ(c.onlyInFirst, (std::vector<util::TAddressRange>{{0x40, 0x41}}));
  EXPECT_EQ(c.onlyInSecond, (std::vector<util::TAddressRange>{{0, 0xF}}));

  const auto apart = util::CompareDumps({0x100, "ab"}, {0, "ab"});
  EXPECT_EQ(apart.commonBytes, 0u);
  EXPECT_EQ(apart.onlyInFirst, (std::vector<util::TAddressRange>{{0x100, 0x101}}));
  EXPECT_EQ(apart.onlyInSecond, (std::vector<util::TAddressRange>{{0, 1}}));
}

}  // namespace
