#pragma once
// Hexadecimal and checksum helpers shared by the frame codec, the modem
// operations and the terminal.
#include <cstdint>
#include <string>
#include <string_view>

namespace util {

// Two upper-case hex digits ("0A" for 10).
std::string HexByte(uint8_t value);

// Every byte of `bytes` as two upper-case hex digits.
std::string BytesToHex(std::string_view bytes);

// Value of one hex digit, or -1 when the character is not 0-9, A-F, a-f.
int HexDigitValue(char c);

// Value of hex pair `index` (characters 2*index and 2*index+1); a pair that
// is not valid hex, or lies beyond the text, gives 0.
uint8_t HexPairValue(std::string_view hex, int index);

// Up to `count` bytes, byte k from hex pair k; stops early where the text
// holds no further complete pair. A pair that is not valid hex gives 0.
// With `fromOem` the bytes are taken as CP866 text and returned as UTF-8.
std::string HexToBytes(std::string_view hex, uint16_t count, bool fromOem);

// Sum of the values of hex pairs 0..count-1, modulo 256; invalid pairs count 0.
uint8_t HexPairSum(std::string_view hex, uint16_t count);

// 0xFF XOR every byte of the first `len` bytes of `data`.
uint8_t XorSum(std::string_view data, uint16_t len);

}  // namespace util
