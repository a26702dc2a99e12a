// How a parameter's value is coded in an image: inline in its descriptor, or
// in the data area of its section's record.
#include <algorithm>
#include <cstring>

#include "ruvezivevo/fe_parameter.h"
#include "util/little_endian.h"

namespace ruvezivevo {

namespace {

constexpr uint32_t kLongBytes = 4;

uint32_t CountFieldBytes(uint8_t code) {
  if (code & kFECount16Flag) return 2;
  if (code & kFECount8Flag) return 1;
  return 0;
}

// Arrays keep their count and elements in the data area. Code 255 has both
// count bits set, yet an empty parameter keeps nothing there.
bool IsStoredArray(uint8_t code) { return code != kFECodeEmpty && IsImageCode(code) && IsArrayCode(code); }

}  // namespace

void TFEParameter::GetStoreInfo(bool &isInline, uint32_t &length) const {
  const uint8_t code = GetItemType();
  isInline = false;
  length = 0;
  if (code == kFECodeLong) {
    // Always the four bytes a reader takes, so an unwritten value cannot
    // borrow the bytes of the next one.
    length = kLongBytes;
  } else if (IsStoredArray(code)) {
    length = GetValueSize() + CountFieldBytes(code);
  } else {
    isInline = true;  // codes 1, 2, 255; codes no reader takes store nothing
  }
}

void TFEParameter::WriteValue(uint8_t *dest) const {
  const uint8_t code = GetItemType();
  if (code == kFECodeLong) {
    std::memset(dest, 0, kLongBytes);
    std::memcpy(dest, value_.data(), std::min<size_t>(kLongBytes, value_.size()));
    return;
  }
  if (!IsStoredArray(code)) return;
  const uint32_t countBytes = CountFieldBytes(code);
  if (countBytes == 2) {
    util::StoreLe16(dest, GetCount());
  } else {
    dest[0] = static_cast<uint8_t>(GetCount());
  }
  if (!value_.empty()) std::memcpy(dest + countBytes, value_.data(), value_.size());
}

void TFEParameter::WriteInline(uint8_t *descriptor) const {
  switch (GetItemType()) {
    case kFECodeByte:
      descriptor[2] = AsByte();
      break;
    case kFECodeWord:
      util::StoreLe16(descriptor + 2, AsWord());
      break;
    default:
      break;
  }
}

void TFEParameter::ReadValue(const uint8_t *body, uint8_t lo, uint8_t hi, uint32_t bodyStart, uint32_t bodyEnd) {
  const uint32_t v = lo | (uint32_t{hi} << 8);
  // Data-area bytes must lie after the body's first byte and before its checksum.
  auto inBody = [&](uint32_t bytes) { return v > bodyStart && v + bytes < bodyEnd; };
  const uint8_t code = GetItemType();
  auto dataAt = [&] { return body + (v - bodyStart); };
  if (code == kFECodeByte) {
    SetByte(lo);
  } else if (code == kFECodeWord) {
    SetWord(static_cast<uint16_t>(v));
  } else if (code == kFECodeLong) {
    if (!inBody(kLongBytes)) return ClearItem();
    const uint8_t *at = dataAt();
    SetLong(util::LeU32(at));
  } else if ((code >= 9 && code <= 15) || (code >= 17 && code <= 23)) {
    const uint32_t countBytes = code >= 17 ? 2 : 1;
    if (!inBody(countBytes)) return ClearItem();
    const uint8_t *at = dataAt();
    const uint32_t count = countBytes == 2 ? util::LeU16(at) : at[0];
    const uint32_t bytes = count * ElementWidth(code & kFEWidthMask);
    // A count that runs past the body marks a damaged value, as a bad offset does.
    if (!inBody(countBytes + bytes)) return ClearItem();
    SetArray(std::string_view(reinterpret_cast<const char *>(at + countBytes), bytes), static_cast<uint16_t>(count),
             code & kFEWidthMask);
  } else {
    ClearItem();
  }
}

}  // namespace ruvezivevo
