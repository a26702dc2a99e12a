#pragma once
// Small decoders the operations share: answer data arrive as hex text, two
// digits per data byte, after the status pair.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/result_code.h"
#include "util/hex.h"

namespace modem {

inline size_t DataByteCount(const std::string &dataHex) { return dataHex.size() / 2; }

inline std::string DataBytes(const std::string &dataHex) {
  return util::HexToBytes(dataHex, static_cast<uint16_t>(DataByteCount(dataHex)), false);
}

// Exactly N data bytes into `out`; any other length fails with `lengthError`.
template <size_t N>
std::optional<device::TResultCode> CopyExactly(const std::string &dataHex, std::array<uint8_t, N> &out,
                                               const device::TResultCode &lengthError) {
  if (DataByteCount(dataHex) != N) return lengthError;
  for (size_t i = 0; i < N; ++i) out[i] = util::HexPairValue(dataHex, static_cast<int>(i));
  return std::nullopt;
}

}  // namespace modem
