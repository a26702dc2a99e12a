#pragma once
#include <cstdint>

namespace util {

// Milliseconds since an arbitrary start, wrapping at 32 bits; differences
// are taken as unsigned, so a wrap in between does no harm.
uint32_t TickMs();

// Milliseconds elapsed since `start`, across a wrap of the counter.
inline uint32_t TicksSince(uint32_t start) { return TickMs() - start; }

void SleepMs(uint32_t ms);

}  // namespace util
