#pragma once
// A raw RSSI reading of a received packet in dBm: halved toward zero around
// 128, less 72 (raw 0 gives -136, 128 gives -72, 255 gives -9).
#include <cstdint>

namespace modem {

inline int PacketRssiDbm(uint8_t raw) { return (static_cast<int>(raw) - 128) / 2 - 72; }

}  // namespace modem
