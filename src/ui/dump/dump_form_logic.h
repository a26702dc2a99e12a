#pragma once
// The memory dump window's rules and texts, free of Qt: which controls are
// enabled, what a read asks for, where its bytes go in the view and how the
// offsets read, file names and formats, and the lines the window shows.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modem/memory_dump.h"
#include "util/dump_compare.h"
#include "util/dump_file.h"

namespace dump_form {

// The address and size edits: hexadecimal, stepped by 16.
inline constexpr int kEditStep = 16;
inline constexpr int kEditMax = 0x7FFFFFFF;
inline constexpr int kDefaultSize = 0x80;

// The memory of an index of the list (the first for one out of range).
modem::TDumpMemory MemoryAt(int index);
std::vector<std::string> MemoryCaptions();

struct TControlState {
  bool allChecked = false;   // "полностью"
  bool allEnabled = true;
  bool editsEnabled = false;  // address and size
  bool eraseEnabled = false;
};
// The used part of the configuration is always read whole; the edits count
// only for a part; "Erase" only where the memory can be erased.
TControlState ControlState(int memTypeIndex, bool allChecked);

modem::TDumpRequest Request(int memTypeIndex, bool allChecked, int address, int size);

// What the view shows after a read.
struct TViewContent {
  modem::TDumpMemory memory = modem::TDumpMemory::ConfigUsed;
  uint32_t address = 0;    // memory address of the first byte
  uint32_t viewStart = 0;  // view offset of the first byte; cells before it hold nothing
  std::string bytes;
  // RAM blocks are shown from offset 0 with offsets "AAAA:offset"; other
  // memories with offsets equal to their addresses.
  bool offsetsFromBlock = false;
  util::TDumpImage Image() const { return {address, bytes}; }
};
// Nothing unless the read succeeded with at least one byte.
std::optional<TViewContent> ViewContent(modem::TDumpMemory memory, const modem::TDumpRead &read);

// The line under the view after a read; `failure` is the node's result text.
std::string ReadOutcomeText(modem::TDumpMemory memory, const modem::TDumpRead &read, const std::string &failure);
std::string ProgressText(size_t done, size_t total);
inline constexpr char kStoppedText[] = "Чтение остановлено";

inline constexpr char kNoNodeText[] = "Нет узла: откройте порт на странице «Наст» и откройте окно снова";
inline constexpr char kBusyText[] =
    "Окно занято другой операцией, которая ждёт ответа: повторите, когда она закончится";
inline constexpr char kNothingReadText[] = "Сначала прочитайте память";
inline constexpr char kFileTooBigText[] = "файл слишком велик для дампа памяти";

// Files saved and files that could not be saved or read.
std::string SavedText(const std::string &path, size_t bytes);
std::string NotSavedText(const std::string &path, const std::string &why);
std::string NotReadText(const std::string &path, const std::string &why);

// "удалённый узел 5" or "прямой узел (адрес 255)".
std::string NodeText(bool remote, int address);
std::string EraseQuestion(modem::TDumpMemory memory, const std::string &nodeText);
std::string EraseOutcomeText(modem::TDumpMemory memory, bool ok, const std::string &failure);

// "eeprom_0x0100.map": the memory and the start address.
std::string ProposedFileName(const TViewContent &content);
// By the chosen name: ".hex" Intel HEX, ".txt" hex text, anything else raw.
util::TDumpFormat FormatForFileName(const std::string &fileName);

// The window's ".settings3" beside the main ".settings": the name with "3" appended.
std::string DumpSettingsPath(const std::string &mainSettingsPath);

// What a comparison with a file found, for the line under the view.
std::string CompareSummary(const util::TDumpComparison &comparison);
// The runs of differing bytes as view offsets.
std::vector<util::TAddressRange> ViewRanges(const TViewContent &content,
                                            const std::vector<util::TAddressRange> &addresses);

}  // namespace dump_form
