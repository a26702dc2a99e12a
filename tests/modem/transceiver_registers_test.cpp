// The register table's texts and comments, register files and comparisons.
#include <gtest/gtest.h>

#include "modem/register_comparison.h"
#include "modem/register_file_text.h"
#include "modem/transceiver_registers.h"

using namespace modem;

namespace {

TRegisterImage ImageWith(std::initializer_list<std::pair<int, uint8_t>> values) {
  TRegisterImage image{};
  for (auto [a, v] : values) image[a] = v;
  return image;
}

}  // namespace

TEST(RegisterComments, DecodeAtTheEdgesOfEachField) {
  struct Case {
    int address;
    TRegisterImage image;
    const char *comment;
  } cases[] = {
      {0x0B, ImageWith({{0x0B, 0x0F}}), "IF Freq: 383 kHz"},  // 15 × 25.59375 = 383.9
      {0x0B, ImageWith({{0x0B, 0xFF}}), "IF Freq: 6526 kHz"},
      {0x0C, ImageWith({{0x0C, 0xFF}}), "Freq offset: -1 kHz"},
      {0x0C, ImageWith({{0x0C, 0x80}}), "Freq offset: -204 kHz"},
      {0x0C, ImageWith({{0x0C, 0x7F}}), "Freq offset: 203 kHz"},
      {0x0C, ImageWith({}), "Freq offset: 0 kHz"},
      {0x0D, ImageWith({{0x0D, 0x5B}}), "Base freq [23:0] ($0D:$0F), HIGH byte"},
      {0x0E, ImageWith({{0x0E, 0x77}}), "Freq step: 399.902 Hz"},
      {0x0F, ImageWith({{0x0D, 0x5B}, {0x0E, 0xA0}, {0x0F, 0x00}}), "Base freq: 2401308 kHz"},
      {0x0F, ImageWith({{0x0D, 0xFF}, {0x0E, 0xFF}, {0x0F, 0xFF}}), "Base freq: 6709247 kHz"},
      {0x32, ImageWith({{0x32, 0x80}}), "Est. Freq offset: -204 kHz"},
      {0x32, ImageWith({{0x32, 0x01}}), "Est. Freq offset: 1 kHz"},
      {0x34, ImageWith({{0x34, 0x80}}), "RSSI: -136 dbm"},
      {0x34, ImageWith({{0x34, 0xFF}}), "RSSI: -72 dbm"},
      {0x34, ImageWith({{0x34, 0x7F}}), "RSSI: -9 dbm"},
      {0x34, ImageWith({{0x34, 0xFD}}), "RSSI: -73 dbm"},  // -3 / 2 truncates to -1
      {0x35, ImageWith({}), "SLEEP"},
      {0x35, ImageWith({{0x35, 0x0D}}), "RX"},
      {0x35, ImageWith({{0x35, 0x16}}), "TX_UNDERFLOW"},
      {0x35, ImageWith({{0x35, 0x17}}), "Unknown!!!!!"},
      {0x35, ImageWith({{0x35, 0xFF}}), "Unknown!!!!!"},
      {0x38, ImageWith({{0x38, 0x91}}), "GDO0 CCA bit7 "},
      {0x38, ImageWith({{0x38, 0xFF}}), "GDO0 bit1 GDO2 SFD CCA PQT CS bit7 "},
      {0x38, ImageWith({}), ""},
      {0x3A, ImageWith({{0x3A, 5}}), "TX FIFO Length"},
      {0x3B, ImageWith({}), "RX FIFO Length"},
      {0x00, ImageWith({{0x00, 0x29}}), ""},
      {0x2F, ImageWith({}), ""},
      {0x30, ImageWith({{0x30, 0x80}}), ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(RegisterComment(c.image, c.address), c.comment) << "address " << c.address;
}

TEST(RegisterTable, RowCaptionsAndCellTexts) {
  struct Case {
    int address;
    const char *caption;
  } rows[] = {{0x00, "(0x00) IOCFG2"},   {0x0D, "(0x0D) FREQ2"},       {0x1B, "(0x1B) AGCTRL2"},
              {0x2E, "(0x2E) TEST0"},    {0x2F, "(0x2F) __Not used"}, {0x30, "(0x30) PARTNUM"},
              {0x35, "(0x35) MARCSTATE"}, {0x39, "(0x39) VCO_VC_DAC"}, {0x3B, "(0x3B) RXBYTES"}};
  for (const auto &r : rows) EXPECT_EQ(RegisterCaption(r.address), r.caption);
  EXPECT_EQ(RegisterName(60), "");
  EXPECT_EQ(RegisterName(-1), "");
  for (int a = 0; a < kRegisterRowCount; ++a) EXPECT_EQ(RegisterAddress(RegisterName(a)), a);
  EXPECT_EQ(RegisterAddress("freq2"), 0x0D);
  EXPECT_EQ(RegisterAddress("FREQ3"), -1);

  EXPECT_EQ(RegisterHexText(0x0A), "0x0A");
  EXPECT_EQ(RegisterHexText(0xFF), "0xFF");
  const char *bits = "10010001";  // 0x89 from b.0 to b.7
  for (int k = 0; k < 8; ++k) EXPECT_EQ(RegisterBitText(0x89, k), std::string(1, bits[k])) << k;
}

TEST(RegisterTable, StrobesByNameAndCaption) {
  EXPECT_EQ(StrobeCommands().front().code, 0x30);
  EXPECT_EQ(StrobeCommands().back().code, 0x3D);
  for (int i = 0; i < kStrobeCount; ++i) EXPECT_EQ(StrobeCommands()[i].code, 0x30 + i);
  EXPECT_EQ(StrobeByName("SIDLE"), 0x36);
  EXPECT_EQ(StrobeByName("idle"), 0x36);
  EXPECT_EQ(StrobeByName("WORRST"), 0x3C);
  EXPECT_EQ(StrobeByName("S"), std::nullopt);
  EXPECT_EQ(StrobeByName(""), std::nullopt);
}

TEST(RegisterFileText, SavedFileReadsBackTheSameRegisters) {
  RegisterSnapshot saved = RegisterSnapshot::Defaults();
  saved.values[0x2F] = 0x00;
  saved.values[0x35] = 0x17;
  saved.values[0x0D] = 0x5B;
  const std::string text = FormatRegisterFile(saved);
  EXPECT_NE(text.find("0x0D FREQ2      0x5B\n"), std::string::npos) << text;
  EXPECT_NE(text.find("0x2F __Not used 0x00\n"), std::string::npos) << text;
  std::string error;
  auto read = ParseRegisterFile(text, &error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->values, saved.values);

  // Hand-written files: CRLF, remarks, decimal values, any letter case, blank lines.
  read = ParseRegisterFile("# mine\r\n\r\n  0x0d  freq2  91   # base\r\n13 FREQ2\t0x5b\n", &error);
  EXPECT_FALSE(read);
  EXPECT_EQ(error, "строка 4: регистр FREQ2 уже задан в строке 3");
  read = ParseRegisterFile("# mine\r\n\r\n  0x0d  freq2  91   # base\r\n0X3b RXBYTES 0xff", &error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->Count(), 2);
  EXPECT_EQ(read->values[0x0D], 91);
  EXPECT_EQ(read->values[0x3B], 0xFF);
}

TEST(RegisterFileText, MalformedFilesAreRefusedWithTheLineAndReason) {
  struct Case {
    std::string text;
    const char *error;
  } cases[] = {
      {"", "в файле нет ни одного регистра"},
      {"# only remarks\n\n", "в файле нет ни одного регистра"},
      {"0x00 IOCFG2\n", "строка 1: нужны адрес, имя и значение регистра"},
      {"\n0x3C PATABLE 0x00\n", "строка 2: адрес «0x3C» не из 0x00..0x3B"},
      {"0x1G IOCFG2 0x00\n", "строка 1: адрес «0x1G» не из 0x00..0x3B"},
      {"0x IOCFG2 0x00\n", "строка 1: адрес «0x» не из 0x00..0x3B"},
      {"-1 IOCFG2 0x00\n", "строка 1: адрес «-1» не из 0x00..0x3B"},
      {"0x0D FREQ1 0x5B\n", "строка 1: по адресу 0x0D регистр FREQ2, а не «FREQ1»"},
      {"0x0D FREQ2 0x100\n", "строка 1: значение «0x100» не байт (0..255)"},
      {"0x0D FREQ2 256\n", "строка 1: значение «256» не байт (0..255)"},
      {"0x0D FREQ2 99999999999999999999\n", "строка 1: значение «99999999999999999999» не байт (0..255)"},
      {"0x0D FREQ2 5B\n", "строка 1: значение «5B» не байт (0..255)"},
      {std::string("0x0D FREQ2 0x5\0", 15) + "B\n", "строка 1: значение «0x5?B» не байт (0..255)"},
  };
  for (const auto &c : cases) {
    std::string error;
    EXPECT_FALSE(ParseRegisterFile(c.text, &error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
  // A long word is quoted cut short.
  std::string error;
  EXPECT_FALSE(ParseRegisterFile("0x00 " + std::string(500, 'A') + " 0x00", &error));
  EXPECT_LT(error.size(), 150u);
}

TEST(RegisterFileText, HeaderDefinesTheConfigurationRegistersOnly) {
  RegisterSnapshot regs = RegisterSnapshot::Defaults();
  regs.values[0x34] = 0x80;  // a status register: not part of a set-up
  regs.values[0x06] = std::nullopt;
  const std::string header = FormatRegisterHeader(regs);
  EXPECT_NE(header.find("#define VOVOR_IOCFG2     0x29  /* address 0x00 */\n"), std::string::npos) << header;
  EXPECT_NE(header.find("#define VOVOR_TEST0      0x0B  /* address 0x2E */\n"), std::string::npos) << header;
  EXPECT_EQ(header.find("RSSI"), std::string::npos);
  EXPECT_EQ(header.find("PKTLEN"), std::string::npos);
  EXPECT_EQ(header.rfind("#endif\n"), header.size() - 7);
}

TEST(RegisterComparison, OnlyKnownAddressesCountAndOnlyConfigurationIsWritten) {
  RegisterSnapshot now = RegisterSnapshot::Defaults();
  now.values[0x0D] = 0x5B;
  now.values[0x35] = 0x0D;
  RegisterSnapshot file = now;
  file.values[0x0D] = 0x5D;
  file.values[0x35] = 0x01;  // MARCSTATE differs but is no configuration
  file.values[0x06] = std::nullopt;
  auto result = CompareRegisters(now, file);
  EXPECT_EQ(result.compared, 47);
  ASSERT_EQ(result.differences.size(), 2u);
  EXPECT_EQ(result.differences[0].address, 0x0D);
  EXPECT_EQ(result.differences[0].value, 0x5B);
  EXPECT_EQ(result.differences[0].reference, 0x5D);

  auto plan = PlanRegisterWrite(now, file);
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].address, 0x0D);

  EXPECT_EQ(CompareRegisters(RegisterSnapshot{}, RegisterSnapshot::Defaults()).compared, 0);
}
