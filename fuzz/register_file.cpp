// Register files of the register page and vovorctl: whatever the parser
// takes must be written back as a file that parses to the same registers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "modem/register_file_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string error;
  auto parsed = modem::ParseRegisterFile(std::string_view(reinterpret_cast<const char *>(data), size), &error);
  if (!parsed) return 0;
  const std::string text = modem::FormatRegisterFile(*parsed);
  auto again = modem::ParseRegisterFile(text, &error);
  if (!again || modem::FormatRegisterFile(*again) != text) __builtin_trap();
  modem::FormatRegisterHeader(*parsed);
  return 0;
}
