#include "sim/node_state.h"

#include "sim/clock_record.h"

namespace sim {

NodeState PoweredOnDirectModem(int64_t nowMs) {
  NodeState node;
  node.versionText = "Имитатор модема ORVA, версия 1.0";
  node.deviceName = "ORVA-SIM";
  node.bootMs = nowMs;
  SetClock(node, nowMs, LocalCivilNowMs());
  node.memory = FactoryMemories("Узел учёта 1", 1);
  return node;
}

NodeState PoweredOnRemoteNode(uint16_t address, int64_t nowMs) {
  NodeState node = PoweredOnDirectModem(nowMs);
  node.versionText += ", узел " + std::to_string(address);
  node.deviceName += "-" + std::to_string(address);
  node.temperature = static_cast<int8_t>(20 + address % 10);
  // Every crystal has a rate of its own; these run slow.
  node.clockDriftPpm = -10 - static_cast<int32_t>(address % 5) * 3;
  node.lastPacket.rssiCentre = static_cast<uint8_t>(0x60 + address % 16);
  node.memory = FactoryMemories("Узел " + std::to_string(address), static_cast<uint8_t>(address));
  // A remote node knows the way back to the modem on the cable.
  node.memory.routes = std::string(4, '\0');
  node.orva.depth = 1;
  return node;
}

void RestartNode(NodeState &node, int64_t nowMs) {
  node.registers.PowerOn();
  node.transceiverOn = true;
  node.mode = 0;
  node.bootMs = nowMs;
  node.silentUntilMs = nowMs + node.restartSilenceMs;
  node.phyErrors = {0, 0, 0};
  node.macPacketId = 0;
  node.channel.Close();
  ++node.restartCount;
}

}  // namespace sim
