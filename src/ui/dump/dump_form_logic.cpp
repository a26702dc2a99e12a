#include "ui/dump/dump_form_logic.h"

#include <algorithm>
#include <cctype>

#include "util/format.h"

namespace dump_form {

using modem::DumpMemories;
using modem::DumpMemoryInfo;
using modem::TDumpMemory;

namespace {

std::string Caption(TDumpMemory memory) { return DumpMemoryInfo(memory).caption; }

std::string WithAdvice(const std::string &what, const std::string &failure) {
  return what + ": " + failure + ". Проверьте связь с модемом и повторите";
}

}  // namespace

TDumpMemory MemoryAt(int index) {
  if (index < 0 || static_cast<size_t>(index) >= DumpMemories().size()) return TDumpMemory::ConfigUsed;
  return DumpMemories()[static_cast<size_t>(index)].memory;
}

std::vector<std::string> MemoryCaptions() {
  std::vector<std::string> captions;
  for (const auto &m : DumpMemories()) captions.push_back(m.caption);
  return captions;
}

TControlState ControlState(int memTypeIndex, bool allChecked) {
  const TDumpMemory memory = MemoryAt(memTypeIndex);
  const bool alwaysWhole = memory == TDumpMemory::ConfigUsed;
  TControlState s;
  s.allChecked = allChecked || alwaysWhole;
  s.allEnabled = !alwaysWhole;
  s.editsEnabled = !s.allChecked;
  s.eraseEnabled = DumpMemoryInfo(memory).erasable;
  return s;
}

modem::TDumpRequest Request(int memTypeIndex, bool allChecked, int address, int size) {
  return {MemoryAt(memTypeIndex), ControlState(memTypeIndex, allChecked).allChecked, address, size};
}

std::optional<TViewContent> ViewContent(TDumpMemory memory, const modem::TDumpRead &read) {
  if (!read.ok || read.bytes.empty()) return std::nullopt;
  TViewContent c;
  c.memory = memory;
  c.address = read.address;
  c.bytes = read.bytes;
  c.offsetsFromBlock = memory == TDumpMemory::PureMemory;
  c.viewStart = c.offsetsFromBlock ? 0 : read.address;
  return c;
}

std::string ReadOutcomeText(TDumpMemory memory, const modem::TDumpRead &read, const std::string &failure) {
  if (!DumpMemoryInfo(memory).readable)
    return util::Format("«%s» не читается: выберите другую память", Caption(memory));
  if (!read.attempted)
    return failure.empty() ? "Читать нечего: размер 0" : WithAdvice("Размер памяти не прочитан", failure);
  if (!read.ok) return WithAdvice("Чтение не удалось", failure);
  if (read.bytes.empty()) return "Модем не вернул ни одного байта";
  return util::Format("Прочитано байт: %d, с адреса 0x%x", static_cast<int64_t>(read.bytes.size()), read.address);
}

std::string ProgressText(size_t done, size_t total) {
  return util::Format("Прочитано байт: %d из %d", static_cast<int64_t>(done), static_cast<int64_t>(total));
}

std::string SavedText(const std::string &path, size_t bytes) {
  return util::Format("Сохранено в %s, байт: %d", path, static_cast<int64_t>(bytes));
}

std::string NotSavedText(const std::string &path, const std::string &why) {
  return util::Format("Файл %s не записан: %s. Выберите другую папку или имя", path, why);
}

std::string NotReadText(const std::string &path, const std::string &why) {
  return util::Format("Файл %s не прочитан: %s", path, why);
}

std::string NodeText(bool remote, int address) {
  return remote ? util::Format("удалённый узел %d", address) : util::Format("прямой узел (адрес %d)", address);
}

std::string EraseQuestion(TDumpMemory memory, const std::string &nodeText) {
  return util::Format("Стереть «%s» — %s?\r\nВсё, что там записано, будет потеряно.", Caption(memory), nodeText);
}

std::string EraseOutcomeText(TDumpMemory memory, bool ok, const std::string &failure) {
  const std::string what = util::Format("Стирание «%s»", Caption(memory));
  return ok ? what + " выполнено" : WithAdvice(what + " не удалось", failure);
}

std::string ProposedFileName(const TViewContent &content) {
  return util::DumpFileName(DumpMemoryInfo(content.memory).name, content.address, ".map");
}

util::TDumpFormat FormatForFileName(const std::string &fileName) {
  const size_t slash = fileName.find_last_of('/');
  const size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return util::TDumpFormat::Raw;
  std::string ext = fileName.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".hex") return util::TDumpFormat::IntelHex;
  if (ext == ".txt") return util::TDumpFormat::HexText;
  return util::TDumpFormat::Raw;
}

std::string CompareSummary(const util::TDumpComparison &c) {
  if (c.commonBytes == 0) return "У окна и файла нет общих адресов: сравнивать нечего";
  std::string text =
      c.differingBytes == 0
          ? util::Format("Совпадают все общие байты: %d", static_cast<int64_t>(c.commonBytes))
          : util::Format("Различаются байт: %d из %d; первый — по адресу 0x%5.5x", static_cast<int64_t>(c.differingBytes),
                         static_cast<int64_t>(c.commonBytes), c.differing.front().first);
  auto count = [](const std::vector<util::TAddressRange> &ranges) {
    size_t n = 0;
    for (const auto &r : ranges) n += r.Size();
    return static_cast<int64_t>(n);
  };
  if (!c.onlyInSecond.empty()) text += util::Format("; только в файле: %d", count(c.onlyInSecond));
  if (!c.onlyInFirst.empty()) text += util::Format("; только в окне: %d", count(c.onlyInFirst));
  return text;
}

std::vector<util::TAddressRange> ViewRanges(const TViewContent &content,
                                            const std::vector<util::TAddressRange> &addresses) {
  std::vector<util::TAddressRange> out;
  for (const auto &r : addresses)
    out.push_back({r.first - content.address + content.viewStart, r.last - content.address + content.viewStart});
  return out;
}

std::string DumpSettingsPath(const std::string &mainSettingsPath) { return mainSettingsPath + "3"; }

}  // namespace dump_form
