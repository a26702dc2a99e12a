#pragma once
// Little-endian numbers inside requests, answer records and images: the one
// place that knows which byte comes first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/hex.h"

namespace util {

inline uint16_t LeU16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LeU32(const uint8_t *p) { return uint32_t{LeU16(p)} | (uint32_t{LeU16(p + 2)} << 16); }

inline uint16_t LeU16(std::string_view bytes, size_t at = 0) {
  return LeU16(reinterpret_cast<const uint8_t *>(bytes.data() + at));
}
inline uint32_t LeU32(std::string_view bytes, size_t at = 0) {
  return LeU32(reinterpret_cast<const uint8_t *>(bytes.data() + at));
}

template <size_t N>
uint16_t LeU16(const std::array<uint8_t, N> &bytes, size_t at) {
  return LeU16(bytes.data() + at);
}

inline void StoreLe16(uint8_t *p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value & 0xFF);
  p[1] = static_cast<uint8_t>(value >> 8);
}

// A number of `count` bytes (at most 8), least significant first.
inline uint64_t LeNumber(std::string_view bytes, size_t count) {
  uint64_t v = 0;
  for (size_t i = 0; i < count; ++i) v |= uint64_t{static_cast<uint8_t>(bytes[i])} << (8 * i);
  return v;
}

// The low `count` bytes of value, least significant first.
inline std::string LeBytes(uint64_t value, size_t count) {
  std::string out(count, '\0');
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

inline void AppendLe16(std::string &out, uint16_t value) { out += LeBytes(value, 2); }
inline void AppendLe32(std::string &out, uint32_t value) { out += LeBytes(value, 4); }

// Four upper-case hex digits of a 16-bit number, low byte first, as requests
// carry it ("E807" for 2024).
inline std::string LeHex16(uint16_t value) { return BytesToHex(LeBytes(value, 2)); }

}  // namespace util
