#include "ruvezivevo/fe_parameter.h"

#include <algorithm>
#include <bit>
#include "util/little_endian.h"

namespace ruvezivevo {

namespace {

constexpr size_t kMaxStringBytes = 4096;
constexpr size_t kMaxWideUnits = 2048;
// From this many elements on, a string needs the two-byte count.
constexpr size_t kLongArrayCount = 256;

}  // namespace

TFEParameter::TFEParameter(uint8_t index, uint8_t paramType, TFESection *parent)
    : TFEItem(index, paramType == kFECodeSection ? kFECodeEmpty : paramType, parent) {}

void TFEParameter::ClearItem() {
  std::string().swap(value_);
  SetItemType(kFECodeEmpty);
}

bool TFEParameter::IsArray() const { return IsArrayCode(GetItemType()); }

bool TFEParameter::IsEmpty() const { return value_.empty() || GetItemType() == kFECodeEmpty; }

uint64_t TFEParameter::LeadingLe(size_t bytes) const {
  if (value_.size() < bytes) return 0;
  return util::LeNumber(value_, bytes);
}

uint8_t TFEParameter::AsByte() const { return static_cast<uint8_t>(LeadingLe(1)); }
uint16_t TFEParameter::AsWord() const { return static_cast<uint16_t>(LeadingLe(2)); }
uint32_t TFEParameter::AsLong() const { return static_cast<uint32_t>(LeadingLe(4)); }
int64_t TFEParameter::AsInt64() const { return static_cast<int64_t>(LeadingLe(8)); }
float TFEParameter::AsSingle() const { return std::bit_cast<float>(static_cast<uint32_t>(LeadingLe(4))); }
double TFEParameter::AsDouble() const { return std::bit_cast<double>(LeadingLe(8)); }

std::u16string TFEParameter::AsWideString() const {
  std::u16string out(value_.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(util::LeU16(value_, 2 * i));
  }
  return out;
}

TExtended TFEParameter::AsExtended() const {
  TExtended result;
  if (value_.size() >= result.Bytes.size()) std::copy_n(value_.begin(), result.Bytes.size(), result.Bytes.begin());
  return result;
}

uint16_t TFEParameter::GetCount() const {
  if (!IsArray()) return 0;
  const uint32_t width = ElementWidth(GetItemType() & kFEWidthMask);
  if (width == 0) return 0;
  return static_cast<uint16_t>(value_.size() / width);
}

void TFEParameter::Store(uint8_t itemType, std::string_view bytes) {
  value_.assign(bytes.data(), bytes.size());
  if (value_.empty()) std::string().swap(value_);
  SetItemType(itemType);
}

void TFEParameter::SetByte(uint8_t value) { Store(kFECodeByte, util::LeBytes(value, 1)); }
void TFEParameter::SetWord(uint16_t value) { Store(kFECodeWord, util::LeBytes(value, 2)); }
void TFEParameter::SetLong(uint32_t value) { Store(kFECodeLong, util::LeBytes(value, 4)); }
void TFEParameter::SetInt64(int64_t value) { Store(kFECodeBytes8, util::LeBytes(static_cast<uint64_t>(value), 8)); }
void TFEParameter::SetSingle(float value) { Store(kFECodeBytes8, util::LeBytes(std::bit_cast<uint32_t>(value), 4)); }
void TFEParameter::SetDouble(double value) { Store(kFECodeBytes8, util::LeBytes(std::bit_cast<uint64_t>(value), 8)); }

void TFEParameter::SetExtended(const TExtended &value) {
  Store(kFECodeBytes8, std::string_view(reinterpret_cast<const char *>(value.Bytes.data()), value.Bytes.size()));
}

void TFEParameter::SetString(std::string_view value) {
  const size_t n = std::min(kMaxStringBytes, value.size());
  Store(n >= kLongArrayCount ? kFECodeBytes16 : kFECodeBytes8, value.substr(0, n));
}

void TFEParameter::SetWideString(std::u16string_view value) {
  const size_t n = std::min(kMaxWideUnits, value.size());
  std::string bytes;
  bytes.reserve(2 * n);
  for (size_t i = 0; i < n; ++i) bytes += util::LeBytes(value[i], 2);
  Store(n >= kLongArrayCount ? kFECodeWords16 : kFECodeWords8, bytes);
}

void TFEParameter::SetArray(std::string_view data, uint16_t count, uint8_t widthCode) {
  const uint32_t width = ElementWidth(widthCode);
  const size_t size = size_t{count} * width;
  std::string bytes(data.substr(0, std::min(size, data.size())));
  bytes.resize(size, '\0');
  // A code whose width or count field does not fit the new value would make
  // the writer store something else than what reads back.
  const uint8_t code = GetItemType();
  const bool codeFits = width == 0 || (IsArrayCode(code) && (code & kFEWidthMask) == widthCode &&
                                       ((code & kFECount16Flag) != 0 || count < kLongArrayCount));
  const auto countFlag = count >= kLongArrayCount ? kFECount16Flag : kFECount8Flag;
  Store(codeFits ? code : static_cast<uint8_t>(countFlag | widthCode), bytes);
}

}  // namespace ruvezivevo
