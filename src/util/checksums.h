#pragma once
// Checksums of the meter protocols the terminal composes test requests for
// and its checksum calculator shows (XorSum and HexPairSum are in hex.h).
#include <cstdint>
#include <string>
#include <string_view>

namespace util {

// XorSum and HexPairSum of a text of any length (the hex.h forms count in
// 16 bits, as the frame codec does).
uint8_t XorSumOf(std::string_view bytes);
uint8_t HexPairSumOf(std::string_view hex);

// CRC-16/MODBUS: reflected polynomial 0xA001, start 0xFFFF, no final xor.
// Sent low byte first.
uint16_t Crc16Modbus(std::string_view bytes);

// Sum of all bytes modulo 256.
uint8_t ByteSum(std::string_view bytes);

// PSC meters: the byte sum as two capital hex digits.
std::string PscChecksum(std::string_view bytes);

// CE68 meters: sum of all bytes but the first and the last, low 7 bits;
// 0 for fewer than three bytes.
uint8_t Ce68Checksum(std::string_view bytes);

}  // namespace util
