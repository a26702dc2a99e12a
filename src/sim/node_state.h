#pragma once
// Everything one simulated modem remembers between requests.
#include <array>
#include <cstdint>
#include <string>

#include "sim/channel_state.h"
#include "sim/memory_state.h"
#include "sim/orva_state.h"
#include "sim/register_file.h"

namespace sim {

struct LastPacketStatus {
  uint16_t address = 0;  // the node the last radio frame came from
  uint8_t rssi = 0x50;   // raw RSSI reading
  uint8_t lqi = 0x2F;
  uint8_t length = 20;
};

struct NodeState {
  std::string versionText;  // UTF-8; the modem sends it in CP866
  std::string deviceName;   // sent as it stands

  RegisterFile registers;
  bool transceiverOn = true;
  uint8_t mode = 0;                // 0 working, 1 technological
  int64_t bootMs = 0;              // monotonic time of the last power-on or restart
  int64_t clockOffsetMs = 0;       // real-time clock minus the monotonic time
  int64_t silentUntilMs = 0;       // after a restart the modem hears nothing until then
  uint32_t restartSilenceMs = 300;
  uint32_t identifyCount = 0;
  uint32_t restartCount = 0;

  int8_t temperature = 24;  // degrees Celsius
  std::array<int8_t, 4> carrierOffsets{3, 2, -1, -1};
  std::array<uint16_t, 3> phyErrors{0, 0, 0};  // TX SEX, TX watchdog, RX watchdog
  LastPacketStatus lastPacket;
  uint8_t macPacketId = 0;
  uint8_t eepromTestTime = 12;
  uint32_t cyclesPerSecond = 12500;
  bool mainsPresent = true;
  uint16_t rawVoltageExternal = 787;  // 12.0 V at 0.01525 V a count
  uint16_t rawVoltageInternal = 216;  // 3.3 V

  MemoryState memory;
  OrvaState orva;
  ChannelState channel;
};

// The state of a modem just switched on: the one on the cable, or a remote
// node named after its network address.
NodeState PoweredOnDirectModem(int64_t nowMs);
NodeState PoweredOnRemoteNode(uint16_t address, int64_t nowMs);

// What a restart resets: the radio, the mode and the run-time counters. The
// battery-backed clock and the texts survive.
void RestartNode(NodeState &node, int64_t nowMs);

// Milliseconds since the last power-on or restart.
inline int64_t Uptime(const NodeState &node, int64_t nowMs) { return nowMs - node.bootMs; }
// The real-time clock as a local wall-clock time (see clock_record.h).
inline int64_t ClockNow(const NodeState &node, int64_t nowMs) { return nowMs + node.clockOffsetMs; }
inline bool IsSilent(const NodeState &node, int64_t nowMs) { return nowMs < node.silentUntilMs; }

}  // namespace sim
