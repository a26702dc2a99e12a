#include "util/number_text.h"

#include <limits>

#include "util/hex.h"

namespace util {

IntegerText ReadInteger(std::string_view text, NumberBase base) {
  IntegerText result;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  int radix = 10;
  if (base == NumberBase::DecimalOrHex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // A sign on a hex text is not something anyone types on purpose.
    if (negative) return result;
    radix = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return result;
  // Accumulated as a magnitude, so INT64_MIN itself still fits.
  const uint64_t limit = negative ? uint64_t{1} << 63 : uint64_t{std::numeric_limits<int64_t>::max()};
  uint64_t magnitude = 0;
  bool overflow = false;
  for (char c : text) {
    const int digit = radix == 16 ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return result;
    if (!overflow && magnitude > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(radix))
      overflow = true;
    if (!overflow) magnitude = magnitude * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
  }
  if (overflow) {
    result.status = negative ? IntegerText::TooSmall : IntegerText::TooLarge;
    result.value = negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    return result;
  }
  result.status = IntegerText::Ok;
  result.value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return result;
}

std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max, NumberBase base) {
  const IntegerText read = ReadInteger(text, base);
  if (read.status != IntegerText::Ok || read.value < min || read.value > max) return std::nullopt;
  return read.value;
}

}  // namespace util
