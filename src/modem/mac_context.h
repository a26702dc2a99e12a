#pragma once
// The MAC layer's context record (8 bytes, little-endian) and the names of
// its receive stages.
#include <array>
#include <cstdint>
#include <string>

namespace modem {

using TMacContext = std::array<uint8_t, 8>;

struct MacContextFields {
  uint8_t PacketID = 0;
  uint16_t RXFrame = 0;
  uint8_t RXStage = 0;
  uint8_t FrameCnt = 0;
  uint8_t LastAllocatedFrameIdx = 0;
  uint16_t ACKHandle = 0;
};

MacContextFields DecodeMacContext(const TMacContext &ctx);

// "Idle", "Send ACK", ... "Discard"; "!!! unknown state: N" for any other value.
std::string MacRxStageName(uint8_t stage);

}  // namespace modem
