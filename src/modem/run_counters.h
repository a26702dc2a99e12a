#pragma once
// The run-time counters the modem answers as hex text: the tick counter
// (5 ms ticks since start) and the main cycle's timing.
#include <cstdint>
#include <optional>
#include <string>

namespace modem {

inline constexpr int kTicksPerSecond = 200;

// The tick count of a tick counter answer: its four bytes little-endian.
// Text that is no hex number of at most 32 bits (empty, say) gives 0.
uint32_t TickCountFromHex(const std::string &text);

struct CycleTimeFields {
  uint8_t Time = 0;     // byte 0
  uint32_t Cycles = 0;  // bytes 1..4, little-endian
};
// Only an answer of exactly 5 bytes (10 hex digits) is a cycle timing.
std::optional<CycleTimeFields> DecodeCycleTime(const std::string &text);

}  // namespace modem
