#pragma once
// Every whole number a user types (fields, command lines, simulator options)
// is read here, so all of them follow one rule: decimal, or hexadecimal with
// an explicit 0x. A leading zero is still decimal ("010" is ten, never
// octal), and blanks or a '+' make the text no number.
#include <cstdint>
#include <optional>
#include <string_view>

namespace util {

enum class NumberBase {
  DecimalOrHex,  // "42", "-7", "0x2A"
  Decimal,       // "42", "-7"
};

struct IntegerText {
  enum Status { Ok, NotANumber, TooLarge, TooSmall } status = NotANumber;
  // Ok: the number; TooLarge / TooSmall: the int64 bound it ran past.
  int64_t value = 0;
};

IntegerText ReadInteger(std::string_view text, NumberBase base = NumberBase::DecimalOrHex);

// The number when the text is one and lies within [min, max].
std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max,
                                    NumberBase base = NumberBase::DecimalOrHex);

}  // namespace util
