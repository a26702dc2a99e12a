#pragma once
// Byte values and limits of the modem's two frame formats, as seen from the
// modem's side of the line.
#include <cstddef>
#include <cstdint>

namespace sim {

enum class WireProtocol { kBin, kAscii };

inline constexpr uint8_t kEsc = 0x1B;
inline constexpr uint8_t kSoh = 0x01;
inline constexpr uint8_t kNul = 0x00;
// A request to this address is for whichever modem hears it.
inline constexpr uint8_t kAnyAddress = 255;
// Longest zero run one ESC n pair may stand for: n must never be 0 (end),
// 1 (start) or 0x1B (a doubled ESC).
inline constexpr uint8_t kMaxZeroRun = 26;

}  // namespace sim
