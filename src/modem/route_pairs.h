#pragma once
// The modem's route table: which next hop reaches which destination.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace modem {

struct ZIZ2400RoutePair {
  uint16_t Destination = 0;
  uint16_t NextHop = 0;
  bool operator==(const ZIZ2400RoutePair &) const = default;
};

using ZIZ2400RoutePairs = std::vector<ZIZ2400RoutePair>;

// 4-byte records (two little-endian u16) in order; a trailing part is dropped.
ZIZ2400RoutePairs RoutePairsFromBytes(std::string_view bytes);

// The first n bytes of a buffer in memory order, two upper-case hex digits each.
std::string BufToHex(const void *buffer, size_t n);

}  // namespace modem
