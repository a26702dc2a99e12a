#include "ruvezivevo/extended.h"

#include <cstring>

namespace ruvezivevo {

#ifdef VOVOR_HAS_X87_LONG_DOUBLE
// The first 10 bytes of an x87 long double are the value; the rest is padding.
TExtended TExtended::FromLongDouble(long double value) {
  TExtended result;
  std::memcpy(result.Bytes.data(), &value, result.Bytes.size());
  return result;
}

long double TExtended::ToLongDouble() const {
  long double value = 0;
  std::memcpy(&value, Bytes.data(), Bytes.size());
  return value;
}
#endif

}  // namespace ruvezivevo
