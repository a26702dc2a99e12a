#pragma once
// The 10-byte x87 extended floating-point value. It is kept as its bytes so
// that it round-trips unchanged on every platform; conversion to long double
// exists only where long double has exactly that format.
#include <array>
#include <cfloat>
#include <cstdint>

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
#define VOVOR_HAS_X87_LONG_DOUBLE 1
#endif

namespace ruvezivevo {

struct TExtended {
  std::array<uint8_t, 10> Bytes{};  // little-endian: 64-bit mantissa, then sign and exponent

  bool operator==(const TExtended &) const = default;

#ifdef VOVOR_HAS_X87_LONG_DOUBLE
  static TExtended FromLongDouble(long double value);
  long double ToLongDouble() const;
#endif
};

}  // namespace ruvezivevo
