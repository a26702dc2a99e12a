// The dump window's rules without a window: controls, where bytes go, the
// offsets' form, file names and the lines it shows.
#include <gtest/gtest.h>

#include "ui/dump/dump_form_logic.h"

using modem::TDumpMemory;

namespace {

TEST(DumpFormControls, UsedConfigurationForcesWholeAndEraseFollowsTheMemory) {
  struct Case {
    int index;
    bool all;
    dump_form::TControlState want;
  } cases[] = {
      {0, false, {true, false, false, false}},  // "Configuration (used part)"
      {1, false, {false, true, true, false}},
      {1, true, {true, true, false, false}},
      {3, false, {false, true, true, true}},  // WorkParams
      {7, true, {true, true, false, true}},   // Pure FRAM
      {8, false, {false, true, true, false}},
      {42, false, {true, false, false, false}},  // out of range: the first
  };
  for (const auto &c : cases) {
    const auto got = dump_form::ControlState(c.index, c.all);
    EXPECT_EQ(got.allChecked, c.want.allChecked) << c.index;
    EXPECT_EQ(got.allEnabled, c.want.allEnabled) << c.index;
    EXPECT_EQ(got.editsEnabled, c.want.editsEnabled) << c.index;
    EXPECT_EQ(got.eraseEnabled, c.want.eraseEnabled) << c.index;
  }
  EXPECT_EQ(dump_form::MemoryCaptions().size(), 9u);
  EXPECT_EQ(dump_form::MemoryCaptions()[6], "Pure Memory");
  EXPECT_TRUE(dump_form::Request(0, false, 0x10, 0x20).whole);
}

TEST(DumpFormView, BytesSitAtTheirAddressExceptRamBlocks) {
  modem::TDumpRead read{true, true, 0x10, "abc"};
  auto table = dump_form::ViewContent(TDumpMemory::NodeTable, read);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->viewStart, 0x10u);
  EXPECT_FALSE(table->offsetsFromBlock);
  auto ram = dump_form::ViewContent(TDumpMemory::PureMemory, read);
  ASSERT_TRUE(ram);
  EXPECT_EQ(ram->viewStart, 0u);
  EXPECT_TRUE(ram->offsetsFromBlock);
  EXPECT_EQ(ram->Image().start, 0x10u);

  EXPECT_FALSE(dump_form::ViewContent(TDumpMemory::NodeTable, {true, false, 0x10, "abc"}));
  EXPECT_FALSE(dump_form::ViewContent(TDumpMemory::NodeTable, {true, true, 0x10, ""}));

  const auto ranges = dump_form::ViewRanges(*ram, {{0x11, 0x12}});
  EXPECT_EQ(ranges, (std::vector<util::TAddressRange>{{1, 2}}));
  EXPECT_EQ(dump_form::ViewRanges(*table, {{0x11, 0x12}}), (std::vector<util::TAddressRange>{{0x11, 0x12}}));
}

TEST(DumpFormTexts, OutcomesSayWhatHappenedAndWhatToDo) {
  using modem::TDumpRead;
  EXPECT_EQ(dump_form::ReadOutcomeText(TDumpMemory::ProductionInfo, {}, ""),
            "«Production Info» не читается: выберите другую память");
  EXPECT_EQ(dump_form::ReadOutcomeText(TDumpMemory::PureEEPROM, {}, ""), "Читать нечего: размер 0");
  EXPECT_EQ(dump_form::ReadOutcomeText(TDumpMemory::PureEEPROM, {}, "нет ответа от устройства"),
            "Размер памяти не прочитан: нет ответа от устройства. Проверьте связь с модемом и повторите");
  EXPECT_EQ(dump_form::ReadOutcomeText(TDumpMemory::PureFRAM, TDumpRead{true, false, 0, ""}, "нет ответа от устройства"),
            "Чтение не удалось: нет ответа от устройства. Проверьте связь с модемом и повторите");
  EXPECT_EQ(dump_form::ReadOutcomeText(TDumpMemory::PureFRAM, TDumpRead{true, true, 0x100, "ab"}, ""),
            "Прочитано байт: 2, с адреса 0x100");
  EXPECT_EQ(dump_form::ProgressText(64, 2048), "Прочитано байт: 64 из 2048");
  EXPECT_EQ(dump_form::EraseQuestion(TDumpMemory::PureFRAM, dump_form::NodeText(true, 5)),
            "Стереть «Pure FRAM» — удалённый узел 5?\r\nВсё, что там записано, будет потеряно.");
  EXPECT_EQ(dump_form::NodeText(false, 255), "прямой узел (адрес 255)");
}

TEST(DumpFormFiles, NamesAndFormats) {
  dump_form::TViewContent c;
  c.memory = TDumpMemory::PureEEPROM;
  c.address = 0x100;
  EXPECT_EQ(dump_form::ProposedFileName(c), "eeprom_0x0100.map");
  const std::pair<const char *, util::TDumpFormat> formats[] = {{"/a/b.HEX", util::TDumpFormat::IntelHex},
                                                               {"b.txt", util::TDumpFormat::HexText},
                                                               {"b.map", util::TDumpFormat::Raw},
                                                               {"/a.hex/b", util::TDumpFormat::Raw}};
  for (auto [name, format] : formats) EXPECT_EQ(dump_form::FormatForFileName(name), format) << name;
}

TEST(DumpFormTexts, CompareSummary) {
  util::TDumpComparison same;
  same.commonBytes = 32;
  EXPECT_EQ(dump_form::CompareSummary(same), "Совпадают все общие байты: 32");
  util::TDumpComparison differ;
  differ.commonBytes = 2048;
  differ.differingBytes = 3;
  differ.differing = {{0x123, 0x124}, {0x200, 0x200}};
  differ.onlyInSecond = {{0x800, 0x8FF}};
  EXPECT_EQ(dump_form::CompareSummary(differ),
            "Различаются байт: 3 из 2048; первый — по адресу 0x00123; только в файле: 256");
  EXPECT_EQ(dump_form::CompareSummary({}), "У окна и файла нет общих адресов: сравнивать нечего");
}

}  // namespace
