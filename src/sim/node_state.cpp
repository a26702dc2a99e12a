#include "sim/node_state.h"

namespace sim {

NodeState PoweredOnDirectModem(int64_t /*nowMs*/) {
  NodeState node;
  node.versionText = "Имитатор модема ORVA, версия 1.0";
  node.deviceName = "ORVA-SIM";
  return node;
}

NodeState PoweredOnRemoteNode(uint16_t address, int64_t nowMs) {
  NodeState node = PoweredOnDirectModem(nowMs);
  node.versionText += ", узел " + std::to_string(address);
  node.deviceName += "-" + std::to_string(address);
  return node;
}

}  // namespace sim
