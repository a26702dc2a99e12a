#include "ruvezivevo/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace ruvezivevo {

size_t TByteStringStream::Read(void *dest, size_t count) {
  if (position_ >= bytes_.size()) return 0;
  const size_t available = bytes_.size() - static_cast<size_t>(position_);
  const size_t n = std::min(count, available);
  if (n > 0) std::memcpy(dest, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

size_t TByteStringStream::Write(const void *src, size_t count) {
  if (count == 0) return 0;
  const size_t end = static_cast<size_t>(position_) + count;
  if (end > bytes_.size()) bytes_.resize(end);
  std::memcpy(bytes_.data() + position_, src, count);
  position_ = end;
  return count;
}

}  // namespace ruvezivevo
