#pragma once
// Single bytes of answer records and request parameters; numbers wider than
// a byte go through util/little_endian.h.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/little_endian.h"

namespace sim {

inline void PutU8(std::string &out, uint8_t v) { out.push_back(static_cast<char>(v)); }

inline uint8_t ByteAt(std::string_view bytes, size_t index) { return static_cast<uint8_t>(bytes[index]); }

}  // namespace sim
