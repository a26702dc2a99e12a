#include "util/hex.h"

#include "util/codepage.h"

namespace util {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string HexByte(uint8_t value) {
  return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string BytesToHex(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 0x0F]);
  }
  return out;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

uint8_t HexPairValue(std::string_view hex, int index) {
  if (index < 0) return 0;
  size_t pos = static_cast<size_t>(index) * 2;
  if (pos + 1 >= hex.size()) return 0;
  int hi = HexDigitValue(hex[pos]);
  int lo = HexDigitValue(hex[pos + 1]);
  if (hi < 0 || lo < 0) return 0;
  return static_cast<uint8_t>(hi * 16 + lo);
}

std::string HexToBytes(std::string_view hex, uint16_t count, bool fromOem) {
  size_t pairs = hex.size() / 2;
  if (pairs > count) pairs = count;
  std::string out;
  out.reserve(pairs);
  for (size_t k = 0; k < pairs; ++k) out.push_back(static_cast<char>(HexPairValue(hex, static_cast<int>(k))));
  return fromOem ? Cp866ToUtf8(out) : out;
}

uint8_t HexPairSum(std::string_view hex, uint16_t count) {
  unsigned sum = 0;
  for (int k = 0; k < count; ++k) sum += HexPairValue(hex, k);
  return static_cast<uint8_t>(sum & 0xFF);
}

uint8_t XorSum(std::string_view data, uint16_t len) {
  uint8_t sum = 0xFF;
  size_t n = len < data.size() ? len : data.size();
  for (size_t k = 0; k < n; ++k) sum ^= static_cast<uint8_t>(data[k]);
  return sum;
}

}  // namespace util
