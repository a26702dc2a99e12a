#pragma once
// Timing of bytes on a simulated serial line: how long a frame takes at a
// baud rate, and when each part of a reply may be written so that it reaches
// the other end no sooner than a real line would deliver it.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

using Nanos = std::chrono::nanoseconds;

// Start bit, eight data bits, stop bit.
inline constexpr int kBitsPerByte = 10;
// Paced writes go out in pieces of about this length, so a slow line costs
// a handful of wake-ups per answer rather than one per byte.
inline constexpr Nanos kPacedChunk = std::chrono::milliseconds(4);
// Without pacing, split bytes leave this far apart so that each one reaches
// the reader as a block of its own.
inline constexpr Nanos kSplitGap = std::chrono::milliseconds(1);

// Time `bytes` take on the wire at `baud`; zero when baud is 0 (unpaced).
Nanos WireTime(size_t bytes, uint32_t baud);

struct WriteStep {
  size_t end = 0;  // write the bytes up to here (exclusive) ...
  Nanos at{0};     // ... this long after the transmission starts
};

// The writes of one transmission of `length` bytes. Each step ends at a byte
// boundary of the line clock: its last byte has fully arrived by `at`.
std::vector<WriteStep> PlanTransmission(size_t length, uint32_t baud, bool split);

}  // namespace sim
