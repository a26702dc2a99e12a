#pragma once
// Everything one simulated modem remembers between requests.
#include <cstdint>
#include <string>

namespace sim {

struct NodeState {
  std::string versionText;  // UTF-8; the modem sends it in CP866
  std::string deviceName;   // sent as it stands
};

// The state of a modem just switched on: the one on the cable, or a remote
// node named after its network address.
NodeState PoweredOnDirectModem(int64_t nowMs);
NodeState PoweredOnRemoteNode(uint16_t address, int64_t nowMs);

}  // namespace sim
