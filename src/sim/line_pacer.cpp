#include "sim/line_pacer.h"

namespace sim {

Nanos WireTime(size_t bytes, uint32_t baud) {
  if (baud == 0) return Nanos{0};
  // bytes * 10 bits * 1e9 ns / baud, without overflow for any length.
  const long double ns = static_cast<long double>(bytes) * kBitsPerByte * 1e9L / baud;
  return Nanos{static_cast<int64_t>(ns)};
}

std::vector<WriteStep> PlanTransmission(size_t length, uint32_t baud, bool split) {
  std::vector<WriteStep> steps;
  if (length == 0) return steps;
  if (baud == 0) {
    if (!split) {
      steps.push_back({length, Nanos{0}});
      return steps;
    }
    steps.reserve(length);
    for (size_t k = 0; k < length; ++k) steps.push_back({k + 1, kSplitGap * static_cast<int64_t>(k)});
    return steps;
  }
  size_t chunk = 1;
  if (!split) {
    const Nanos byteTime = WireTime(1, baud);
    if (byteTime.count() > 0 && byteTime < kPacedChunk) chunk = static_cast<size_t>((kPacedChunk + byteTime / 2) / byteTime);
  }
  steps.reserve(length / chunk + 1);
  for (size_t end = chunk; end < length + chunk; end += chunk) {
    const size_t stepEnd = end < length ? end : length;
    steps.push_back({stepEnd, WireTime(stepEnd, baud)});
  }
  return steps;
}

}  // namespace sim
