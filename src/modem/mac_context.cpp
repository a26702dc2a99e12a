#include "modem/mac_context.h"

namespace modem {

MacContextFields DecodeMacContext(const TMacContext &c) {
  MacContextFields f;
  f.PacketID = c[0];
  f.RXFrame = static_cast<uint16_t>(c[1] | (c[2] << 8));
  f.RXStage = c[3];
  f.FrameCnt = c[4];
  f.LastAllocatedFrameIdx = c[5];
  f.ACKHandle = static_cast<uint16_t>(c[6] | (c[7] << 8));
  return f;
}

std::string MacRxStageName(uint8_t stage) {
  switch (stage) {
    case 0: return "Idle";
    case 1: return "Send ACK";
    case 2: return "Processing";
    case 3: return "Request";
    case 4: return "Response";
    case 5: return "Handling";
    case 242: return "Unknown CMD";
    case 255: return "Discard";
    default: return "!!! unknown state: " + std::to_string(stage);
  }
}

}  // namespace modem
