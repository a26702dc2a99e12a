// The settings reader over any bytes: it must never crash or slow down to a
// crawl, and every key it keeps must read back as the value stored.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  util::OrderedIni ini;
  ini.FromText(std::string(reinterpret_cast<const char *>(data), size));
  const std::string text = ini.ToText();
  util::OrderedIni again;
  again.FromText(text);
  for (const auto &[key, value] : ini.Keys("Form1"))
    if (ini.Get("Form1", key) != value) __builtin_trap();
  return 0;
}
