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
  // Frames keep arriving: each read sees the latest one, whose level wanders
  // around these centres. Off, the values above stay as they are set.
  bool varies = true;
  uint8_t rssiCentre = 0x50;  // -96 dBm
  uint8_t lqiCentre = 0x2F;
};

struct NodeState {
  std::string versionText;  // UTF-8; the modem sends it in CP866
  std::string deviceName;   // sent as it stands

  RegisterFile registers;
  bool transceiverOn = true;
  uint8_t mode = 0;                // 0 working, 1 technological
  int64_t bootMs = 0;              // monotonic time of the last power-on or restart
  int64_t clockOffsetMs = 0;       // real-time clock minus the monotonic time, when it was set
  int64_t clockSetMs = 0;          // monotonic time the clock was last set
  int32_t clockDriftPpm = 20;      // the clock crystal runs this many millionths fast (72 ms an hour)
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
// The real-time clock as a local wall-clock time (see clock_record.h); it
// drifts from the time it was set at its crystal's rate.
inline int64_t ClockNow(const NodeState &node, int64_t nowMs) {
  return nowMs + node.clockOffsetMs + (nowMs - node.clockSetMs) * node.clockDriftPpm / 1'000'000;
}
// Sets the real-time clock to `timeMs` (local wall-clock milliseconds).
inline void SetClock(NodeState &node, int64_t nowMs, int64_t timeMs) {
  node.clockOffsetMs = timeMs - nowMs;
  node.clockSetMs = nowMs;
}
inline bool IsSilent(const NodeState &node, int64_t nowMs) { return nowMs < node.silentUntilMs; }

}  // namespace sim
