#pragma once
// Two dumps side by side: which addresses both hold, where their bytes
// differ, and what only one of them holds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "util/dump_file.h"

namespace util {

// From `first` to `last`, both included.
struct TAddressRange {
  uint32_t first = 0;
  uint32_t last = 0;
  size_t Size() const { return size_t{last} - first + 1; }
  bool operator==(const TAddressRange &) const = default;
};

struct TDumpComparison {
  size_t commonBytes = 0;     // addresses both dumps hold
  size_t differingBytes = 0;  // of those, the ones whose bytes differ
  std::vector<TAddressRange> differing;  // runs of differing addresses, in order
  std::vector<TAddressRange> onlyInFirst;
  std::vector<TAddressRange> onlyInSecond;
};

TDumpComparison CompareDumps(const TDumpImage &first, const TDumpImage &second);

}  // namespace util
