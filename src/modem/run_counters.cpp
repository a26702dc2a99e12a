#include "modem/run_counters.h"

#include "util/little_endian.h"
#include "util/hex.h"

namespace modem {

uint32_t TickCountFromHex(const std::string &text) {
  // The text is read as one number and its byte order reversed, so a short
  // answer still gives the value the modem's own tools show.
  if (text.empty()) return 0;
  uint64_t value = 0;
  for (char c : text) {
    int digit = util::HexDigitValue(c);
    if (digit < 0) return 0;
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return 0;
  }
  auto v = static_cast<uint32_t>(value);
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

std::optional<CycleTimeFields> DecodeCycleTime(const std::string &text) {
  if (text.size() != 10) return std::nullopt;
  for (char c : text)
    if (util::HexDigitValue(c) < 0) return std::nullopt;
  std::string bytes = util::HexToBytes(text, 5, false);
  return CycleTimeFields{static_cast<uint8_t>(bytes[0]), util::LeU32(bytes, 1)};
}

}  // namespace modem
