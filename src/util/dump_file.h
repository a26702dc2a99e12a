#pragma once
// Dump files: the bytes of one memory from a start address on, kept as raw
// bytes, as Intel HEX (addresses kept, read by every embedded tool) or as a
// text hex dump. Reading takes any of the three back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace util {

struct TDumpImage {
  uint32_t start = 0;  // the memory address of bytes[0]
  std::string bytes;
};

enum class TDumpFormat { Raw, IntelHex, HexText };

// Raw: the bytes alone. Intel HEX: 16 data bytes a record, extended linear
// address records where the upper half of the address changes, an end
// record. Hex text: rows of 16 aligned on 16, "0x00100: 01 02 ...  ascii",
// cells before the start and after the end left blank.
std::string DumpFileText(const TDumpImage &image, TDumpFormat format);

// Intel HEX when every line is a valid record, hex text when every line is
// a row as written above, otherwise raw bytes starting at the address the
// file name carries (see DumpFileName), or 0. Nothing, with the reason in
// *error, for an Intel HEX or hex text file that is damaged or has gaps.
std::optional<TDumpImage> ParseDumpFile(std::string_view content, std::string_view fileName, std::string *error);

// "eeprom_0x0100" + extension: the memory and the start address, at least
// four hex digits.
std::string DumpFileName(std::string_view memoryName, uint32_t start, std::string_view extension);
// The start address a name made by DumpFileName carries (any folder or
// extension around it); nothing for other names.
std::optional<uint32_t> StartFromFileName(std::string_view fileName);

}  // namespace util
