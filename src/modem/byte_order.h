#pragma once
// Little-endian numbers inside answer bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace modem {

inline uint16_t LeU16(std::string_view bytes, size_t at = 0) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

inline uint32_t LeU32(std::string_view bytes, size_t at = 0) {
  return uint32_t{LeU16(bytes, at)} | (uint32_t{LeU16(bytes, at + 2)} << 16);
}

}  // namespace modem
