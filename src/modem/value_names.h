#pragma once
// Names of the values a record field can take, kept beside each decoder so
// the pages and vovorctl print the same words.
#include <cstdint>
#include <span>

namespace modem {

struct ValueName {
  unsigned value;
  const char *name;
};
using ValueNames = std::span<const ValueName>;

// The name of `value`, or nullptr when the table has none.
inline const char *NameOf(unsigned value, ValueNames names) {
  for (const auto &n : names)
    if (n.value == value) return n.name;
  return nullptr;
}

// Names of a flag byte's bits, bit 0 first; bits past the end have no name.
using BitNames = std::span<const char *const>;

inline const char *BitName(unsigned bit, BitNames names) { return bit < names.size() ? names[bit] : nullptr; }

}  // namespace modem
