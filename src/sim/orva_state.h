#pragma once
// What a node's mesh layer remembers: its connection state, and the
// children it was told to drop.
#include <cstdint>
#include <set>

namespace sim {

struct OrvaState {
  uint8_t status = 4;        // connected
  uint8_t filterMode = 0x0D; // zero PAN, catch broadcasts, for me only
  uint8_t panId = 1;
  uint16_t rqFrame = 0x0123;
  int16_t workFreqOffs = -5;  // steps of 0.4 kHz
  uint16_t parent = 0;        // for a remote node: the node above it
  uint8_t depth = 0;          // 0 for the modem on the cable
  std::set<uint16_t> removedChildren;
};

}  // namespace sim
