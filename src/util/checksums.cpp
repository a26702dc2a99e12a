#include "util/checksums.h"

#include <algorithm>

#include "util/hex.h"

namespace util {

uint8_t XorSumOf(std::string_view bytes) {
  uint8_t sum = 0xFF;
  for (size_t p = 0; p < bytes.size(); p += 0xFFFF) sum ^= static_cast<uint8_t>(XorSum(bytes.substr(p, 0xFFFF), 0xFFFF) ^ 0xFF);
  return sum;
}

uint8_t HexPairSumOf(std::string_view hex) {
  uint8_t sum = 0;
  const size_t pairs = hex.size() / 2;
  for (size_t p = 0; p < pairs; p += 0xFFFF) {
    const size_t n = std::min<size_t>(pairs - p, 0xFFFF);
    sum = static_cast<uint8_t>(sum + HexPairSum(hex.substr(p * 2, n * 2), static_cast<uint16_t>(n)));
  }
  return sum;
}

uint16_t Crc16Modbus(std::string_view bytes) {
  uint16_t crc = 0xFFFF;
  for (char c : bytes) {
    crc ^= static_cast<uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
  }
  return crc;
}

uint8_t ByteSum(std::string_view bytes) {
  uint8_t sum = 0;
  for (char c : bytes) sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
  return sum;
}

std::string PscChecksum(std::string_view bytes) { return HexByte(ByteSum(bytes)); }

uint8_t Ce68Checksum(std::string_view bytes) {
  if (bytes.size() < 3) return 0;
  return ByteSum(bytes.substr(1, bytes.size() - 2)) & 0x7F;
}

}  // namespace util
