#include "util/dump_compare.h"

#include <algorithm>

namespace util {

namespace {

// The addresses of [from, to) as a range list: none when it is empty.
void AddSpan(std::vector<TAddressRange> &ranges, uint64_t from, uint64_t to) {
  if (from < to) ranges.push_back({static_cast<uint32_t>(from), static_cast<uint32_t>(to - 1)});
}

// What `image` holds outside [from, to).
std::vector<TAddressRange> Outside(const TDumpImage &image, uint64_t from, uint64_t to) {
  const uint64_t start = image.start, end = start + image.bytes.size();
  std::vector<TAddressRange> out;
  if (from >= to) {
    AddSpan(out, start, end);
    return out;
  }
  AddSpan(out, start, std::min(end, from));
  AddSpan(out, std::max(start, to), end);
  return out;
}

}  // namespace

TDumpComparison CompareDumps(const TDumpImage &first, const TDumpImage &second) {
  TDumpComparison c;
  const uint64_t from = std::max<uint64_t>(first.start, second.start);
  const uint64_t to = std::min<uint64_t>(first.start + first.bytes.size(), second.start + second.bytes.size());
  for (uint64_t a = from; a < to; ++a) {
    if (first.bytes[a - first.start] == second.bytes[a - second.start]) continue;
    ++c.differingBytes;
    if (!c.differing.empty() && c.differing.back().last + uint64_t{1} == a)
      c.differing.back().last = static_cast<uint32_t>(a);
    else
      c.differing.push_back({static_cast<uint32_t>(a), static_cast<uint32_t>(a)});
  }
  c.commonBytes = from < to ? static_cast<size_t>(to - from) : 0;
  c.onlyInFirst = Outside(first, from, to);
  c.onlyInSecond = Outside(second, from, to);
  return c;
}

}  // namespace util
