#pragma once
// Items of the node table the modem is configured with, 9 bytes each. The
// program reads the in-use flag and the parent link; the other bytes are
// carried as read.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>
#include "util/little_endian.h"

namespace modem {

struct TZT_NodeTableItem {
  std::array<uint8_t, 9> bytes{};

  bool InUse() const { return bytes[0] != 0; }
  // Index of the item's parent in the table.
  uint16_t ParentIndex() const { return util::LeU16(bytes, 2); }
};

using TZT_NodeTableItems = std::vector<TZT_NodeTableItem>;

// Whole 9-byte items from the bytes read, in order; a trailing part is dropped.
TZT_NodeTableItems NodeTableItemsFromBytes(std::string_view bytes);

}  // namespace modem
