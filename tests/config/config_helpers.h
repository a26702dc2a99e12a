#pragma once
#include <string>
#include <string_view>

#include "util/hex.h"

namespace config::testing {

// "04 00 00" -> the bytes 04 00 00; spaces are for reading only.
inline std::string Bytes(std::string_view hex) {
  std::string digits;
  for (char c : hex) {
    if (c != ' ') digits += c;
  }
  return util::HexToBytes(digits, static_cast<uint16_t>(digits.size() / 2), false);
}

}  // namespace config::testing
