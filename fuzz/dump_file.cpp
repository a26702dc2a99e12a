// Dump files of the memory window and vovorctl: whatever the reader takes
// must come back whole through both text forms the program writes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/dump_file.h"

namespace {

void CheckRoundTrip(const util::TDumpImage &image, util::TDumpFormat format) {
  const std::string text = util::DumpFileText(image, format);
  std::string error;
  auto again = util::ParseDumpFile(text, "dump.txt", &error);
  if (!again || again->start != image.start || again->bytes != image.bytes) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks a file name with or without a start address in it.
  const char *name = data[0] & 1 ? "eeprom_0x0100.bin" : "dump.bin";
  std::string error;
  auto image = util::ParseDumpFile(std::string_view(reinterpret_cast<const char *>(data) + 1, size - 1), name, &error);
  if (!image || image->bytes.empty()) return 0;
  CheckRoundTrip(*image, util::TDumpFormat::IntelHex);
  CheckRoundTrip(*image, util::TDumpFormat::HexText);
  return 0;
}
