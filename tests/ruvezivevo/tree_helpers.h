#pragma once
// Helpers for the section tree tests: images written as hex text, and a deep
// comparison of two trees.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "ruvezivevo/fe_interfaces.h"
#include "util/hex.h"

namespace ruvezivevo::testing {

// "04 00 00" -> the bytes 04 00 00; spaces are for reading only.
inline std::string Bytes(std::string_view hex) {
  std::string digits;
  for (char c : hex) {
    if (c != ' ') digits += c;
  }
  return util::HexToBytes(digits, static_cast<uint16_t>(digits.size() / 2), false);
}

inline std::string Hex(const std::string &bytes) { return util::BytesToHex(bytes); }

// Same indexes, same kinds, same type codes and value bytes, all the way down.
inline ::testing::AssertionResult TreesEqual(const IFESection &a, const IFESection &b, const std::string &where = "/") {
  if (a.GetItemIndexes() != b.GetItemIndexes()) return ::testing::AssertionFailure() << "indexes differ at " << where;
  for (uint8_t index : a.GetItemIndexes()) {
    const std::string at = where + std::to_string(index) + "/";
    auto itemA = a.GetItem(index), itemB = b.GetItem(index);
    if (itemA->GetItemType() != itemB->GetItemType()) return ::testing::AssertionFailure() << "type differs at " << at;
    auto sectionA = AsSection(itemA), sectionB = AsSection(itemB);
    if (sectionA || sectionB) {
      if (!sectionA || !sectionB) return ::testing::AssertionFailure() << "kind differs at " << at;
      auto inner = TreesEqual(*sectionA, *sectionB, at);
      if (!inner) return inner;
    } else if (AsParam(itemA)->AsString() != AsParam(itemB)->AsString()) {
      return ::testing::AssertionFailure() << "value differs at " << at;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace ruvezivevo::testing

namespace ruvezivevo::testing {

// A section record around `body` (ParentRef, item count, descriptors, data):
// the body length in front, the checksum behind.
inline std::string Record(const std::string &body) {
  uint8_t x = 0;
  for (char c : body) x ^= static_cast<uint8_t>(c);
  const size_t n = body.size() + 1;
  return std::string{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)} + body + static_cast<char>(x);
}

}  // namespace ruvezivevo::testing
