#pragma once
// Little-endian numbers in answer records, as the modems write them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

inline void PutU8(std::string &out, uint8_t v) { out.push_back(static_cast<char>(v)); }

inline void PutU16(std::string &out, uint16_t v) {
  PutU8(out, static_cast<uint8_t>(v & 0xFF));
  PutU8(out, static_cast<uint8_t>(v >> 8));
}

inline void PutU32(std::string &out, uint32_t v) {
  PutU16(out, static_cast<uint16_t>(v & 0xFFFF));
  PutU16(out, static_cast<uint16_t>(v >> 16));
}

inline uint8_t ByteAt(std::string_view bytes, size_t index) { return static_cast<uint8_t>(bytes[index]); }

inline uint16_t U16At(std::string_view bytes, size_t index) {
  return static_cast<uint16_t>(ByteAt(bytes, index) | (ByteAt(bytes, index + 1) << 8));
}

}  // namespace sim
