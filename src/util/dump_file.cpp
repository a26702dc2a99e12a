#include "util/dump_file.h"

#include <algorithm>
#include <map>
#include <vector>

#include "util/format.h"
#include "util/hex.h"

namespace util {

namespace {

constexpr uint32_t kRowBytes = 16;
constexpr uint64_t kAddressSpace = uint64_t{1} << 32;

// ---- writing ----

std::string IntelHexRecord(uint8_t type, uint16_t offset, std::string_view data) {
  std::string record;
  record += static_cast<char>(data.size());
  record += static_cast<char>(offset >> 8);
  record += static_cast<char>(offset & 0xFF);
  record += static_cast<char>(type);
  record += data;
  uint8_t sum = 0;
  for (char c : record) sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
  return ":" + BytesToHex(record) + HexByte(static_cast<uint8_t>(-sum)) + "\n";
}

std::string IntelHex(const TDumpImage &image) {
  std::string out;
  uint32_t upper = 0;
  for (size_t at = 0; at < image.bytes.size();) {
    const uint32_t address = image.start + static_cast<uint32_t>(at);
    if (address >> 16 != upper) {
      upper = address >> 16;
      out += IntelHexRecord(4, 0, std::string{static_cast<char>(upper >> 8), static_cast<char>(upper & 0xFF)});
    }
    // A record stays within one 64 KiB page and one row of 16.
    const size_t n = std::min<size_t>({image.bytes.size() - at, kRowBytes - address % kRowBytes,
                                       0x10000 - (address & 0xFFFF)});
    out += IntelHexRecord(0, static_cast<uint16_t>(address & 0xFFFF), std::string_view(image.bytes).substr(at, n));
    at += n;
  }
  return out + IntelHexRecord(1, 0, {});
}

std::string HexText(const TDumpImage &image) {
  if (image.bytes.empty()) return {};
  const uint64_t end = uint64_t{image.start} + image.bytes.size();
  const char *offsetForm = end > 0x100000 ? "0x%8.8x" : "0x%5.5x";
  std::string out;
  for (uint64_t row = image.start - image.start % kRowBytes; row < end; row += kRowBytes) {
    std::string line = Format(offsetForm, static_cast<uint32_t>(row)) + " ", ascii;
    for (uint64_t a = row; a < row + kRowBytes; ++a) {
      if (a < image.start || a >= end) {
        line += "   ";
        ascii += ' ';
        continue;
      }
      const auto b = static_cast<uint8_t>(image.bytes[a - image.start]);
      line += " " + HexByte(b);
      ascii += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    }
    line += "  " + ascii;
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  }
  return out;
}

// ---- reading ----

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

bool LooksLikeText(std::string_view content) {
  return std::all_of(content.begin(), content.end(), [](char c) {
    const auto b = static_cast<uint8_t>(c);
    return b == '\n' || b == '\r' || b == '\t' || (b >= 0x20 && b < 0x7F);
  });
}

std::optional<std::string> HexBytes(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int hi = HexDigitValue(hex[i]), lo = HexDigitValue(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

// Segments by address, joined into one run of bytes; a gap or an overlap is
// no dump of one memory.
std::optional<TDumpImage> JoinSegments(const std::map<uint64_t, std::string> &segments, std::string *error) {
  TDumpImage image;
  if (segments.empty()) return image;
  image.start = static_cast<uint32_t>(segments.begin()->first);
  uint64_t next = image.start;
  for (const auto &[address, bytes] : segments) {
    if (address != next) {
      *error = Format(address > next ? "в файле пропуск с адреса 0x%x" : "в файле дважды адрес 0x%x",
                      static_cast<uint32_t>(std::min(address, next)));
      return std::nullopt;
    }
    image.bytes += bytes;
    next = address + bytes.size();
  }
  return image;
}

std::optional<TDumpImage> ParseIntelHex(const std::vector<std::string_view> &lines, std::string *error) {
  std::map<uint64_t, std::string> segments;
  uint64_t base = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    auto fail = [&](const char *why) {
      *error = Format("строка %d файла Intel HEX: %s", static_cast<int>(i + 1), why);
      return std::nullopt;
    };
    std::optional<std::string> record;
    if (lines[i].front() == ':') record = HexBytes(lines[i].substr(1));
    if (!record || record->size() < 5) return fail("это не запись");
    const auto *r = reinterpret_cast<const uint8_t *>(record->data());
    if (record->size() != size_t{r[0]} + 5) return fail("длина записи не сходится");
    uint8_t sum = 0;
    for (uint8_t b : *record) sum = static_cast<uint8_t>(sum + b);
    if (sum != 0) return fail("неверная контрольная сумма");
    const uint16_t offset = static_cast<uint16_t>(r[1] << 8 | r[2]);
    const std::string data = record->substr(4, r[0]);
    switch (r[3]) {
      case 0: {
        const uint64_t address = base + offset;
        if (address + data.size() > kAddressSpace) return fail("адрес больше 32 бит");
        if (!data.empty() && !segments.emplace(address, data).second) return fail("адрес записан дважды");
        break;
      }
      case 1: return JoinSegments(segments, error);
      case 2:
      case 4:
        if (data.size() != 2) return fail("неверная запись адреса");
        base = (uint64_t{static_cast<uint8_t>(data[0])} << 8 | static_cast<uint8_t>(data[1])) << (r[3] == 2 ? 4 : 16);
        break;
      case 3:
      case 5: break;  // a start address: nothing to do with a dump
      default: return fail("неизвестный тип записи");
    }
  }
  *error = "в файле Intel HEX нет записи конца";
  return std::nullopt;
}

// "0x" and the row's offset in hex, two blanks, then the cells.
size_t HexTextOffsetEnd(std::string_view line) {
  if (line.substr(0, 2) != "0x") return 0;
  size_t end = 2;
  while (end < line.size() && HexDigitValue(line[end]) >= 0) ++end;
  return end > 2 && line.substr(end, 2) == "  " ? end : 0;
}

std::optional<TDumpImage> ParseHexText(const std::vector<std::string_view> &lines, std::string *error) {
  std::map<uint64_t, std::string> segments;
  for (size_t i = 0; i < lines.size(); ++i) {
    auto fail = [&](const char *why) {
      *error = Format("строка %d текстового дампа: %s", static_cast<int>(i + 1), why);
      return std::nullopt;
    };
    const std::string_view line = lines[i];
    const size_t offsetEnd = HexTextOffsetEnd(line);
    if (offsetEnd == 0 || offsetEnd > 10) return fail("это не строка дампа");
    uint64_t row = 0;
    for (char c : line.substr(2, offsetEnd - 2)) row = row * 16 + static_cast<uint64_t>(HexDigitValue(c));
    // Cells sit at fixed columns, one blank before each.
    for (uint32_t k = 0; k < kRowBytes; ++k) {
      const size_t at = offsetEnd + 1 + 3 * size_t{k};
      if (at + 3 > line.size()) break;
      const std::string_view cell = line.substr(at, 3);
      if (cell == "   ") continue;
      auto byte = cell[0] == ' ' ? HexBytes(cell.substr(1)) : std::nullopt;
      if (!byte) return fail("неверный байт");
      if (row + k >= kAddressSpace) return fail("адрес больше 32 бит");
      if (!segments.emplace(row + k, *byte).second) return fail("адрес записан дважды");
    }
  }
  return JoinSegments(segments, error);
}

}  // namespace

std::string DumpFileText(const TDumpImage &image, TDumpFormat format) {
  switch (format) {
    case TDumpFormat::IntelHex: return IntelHex(image);
    case TDumpFormat::HexText: return HexText(image);
    case TDumpFormat::Raw: break;
  }
  return image.bytes;
}

std::optional<TDumpImage> ParseDumpFile(std::string_view content, std::string_view fileName, std::string *error) {
  if (LooksLikeText(content)) {
    const auto lines = Lines(content);
    using Parser = std::optional<TDumpImage> (*)(const std::vector<std::string_view> &, std::string *);
    Parser parse = nullptr;
    if (!lines.empty() && lines.front().front() == ':')
      parse = ParseIntelHex;
    else if (!lines.empty() && HexTextOffsetEnd(lines.front()) > 0)
      parse = ParseHexText;
    if (parse) {
      std::string why;
      auto image = parse(lines, &why);
      if (!image && error) *error = why;
      return image;
    }
  }
  return TDumpImage{StartFromFileName(fileName).value_or(0), std::string(content)};
}

std::string DumpFileName(std::string_view memoryName, uint32_t start, std::string_view extension) {
  return std::string(memoryName) + Format("_0x%4.4x", start) + std::string(extension);
}

std::optional<uint32_t> StartFromFileName(std::string_view fileName) {
  const size_t slash = fileName.find_last_of('/');
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  const size_t dot = fileName.find('.');
  if (dot != std::string_view::npos) fileName = fileName.substr(0, dot);
  const size_t mark = fileName.rfind("_0x");
  if (mark == std::string_view::npos) return std::nullopt;
  const std::string_view digits = fileName.substr(mark + 3);
  if (digits.size() < 4 || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return value;
}

}  // namespace util
