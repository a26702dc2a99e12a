// The answer search over any bytes, in both protocols and for any address:
// it must never crash, hang or read outside the buffer, and what it accepts
// must be a real frame.
#include <cstddef>
#include <cstdint>
#include <string>

#include "modem/frame_codec.h"
#include "util/hex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) return 0;
  const uint8_t hostAddr = data[0];
  const uint8_t deviceId = data[1];
  std::string buffer(reinterpret_cast<const char *>(data + 2), size - 2);

  if (auto frame = modem::FindBinAnswer(buffer, hostAddr, deviceId)) {
    // Status pair first, whole pairs only.
    if (frame->frameData.size() < 2 || frame->frameData.size() % 2 != 0) __builtin_trap();
    if (util::HexPairValue(frame->frameData, 0) != frame->status) __builtin_trap();
  }
  if (auto frame = modem::FindAsciiAnswer(buffer, hostAddr, deviceId)) {
    if (frame->frameData.size() < 2 || frame->frameData.size() % 2 != 0) __builtin_trap();
    for (char c : frame->frameData)
      if (util::HexDigitValue(c) < 0) __builtin_trap();
  }
  modem::UnstuffFrame(buffer);
  return 0;
}
