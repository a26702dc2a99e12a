#include "sim/transceiver_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "sim/record_bytes.h"
#include "sim/node_state.h"

namespace sim {

namespace {

// PHY driver states as the firmware reports them.
constexpr uint8_t kPhyOff = 0;
constexpr uint8_t kPhyRx = 1;
constexpr uint8_t kPhyTransmitting = 4;

uint16_t Ticks(const CommandContext &context) {
  return static_cast<uint16_t>(Uptime(context.node, context.nowMs) / 5);
}

CommandResult ReadRegisters(CommandContext &context, std::string_view params) {
  const unsigned first = ByteAt(params, 0), count = ByteAt(params, 1);
  if (count == 0 || count > RegisterFile::kSize) return Failed(status::kBadParams);
  std::string out;
  // Addresses past the last register read as 0, as the chip's burst does.
  for (unsigned a = first; a < first + count; ++a) {
    PutU8(out, a < RegisterFile::kSize ? context.node.registers.Get(static_cast<uint8_t>(a)) : 0);
  }
  return Answered(out);
}

CommandResult WriteRegister(CommandContext &context, std::string_view params) {
  // With the transceiver switched off the chip is not powered.
  if (!context.node.transceiverOn) return Failed(status::kTempUnable);
  if (!context.node.registers.Write(ByteAt(params, 0), ByteAt(params, 1))) return Failed(status::kBadParams);
  return Answered();
}

CommandResult Strobe(CommandContext &context, std::string_view params) {
  const uint8_t code = ByteAt(params, 0);
  if (code < strobe::kReset || code > strobe::kNop) return Failed(status::kBadParams);
  if (!context.node.transceiverOn) return Failed(status::kTempUnable);
  context.node.registers.Strobe(code);
  return Answered();
}

CommandResult SetTransceiver(CommandContext &context, std::string_view params) {
  if (ByteAt(params, 0) > 1) return Failed(status::kBadParams);
  NodeState &node = context.node;
  node.transceiverOn = ByteAt(params, 0) == 1;
  node.registers.SetMarcState(node.transceiverOn ? marc::kRx : marc::kSleep);
  return Answered();
}

CommandResult ReadPhyStatus(CommandContext &context, std::string_view /*params*/) {
  const NodeState &node = context.node;
  const uint8_t state = node.registers.MarcState();
  uint8_t phy = kPhyOff;
  if (node.transceiverOn && state == marc::kRx) phy = kPhyRx;
  if (node.transceiverOn && state == marc::kTx) phy = kPhyTransmitting;
  const uint16_t ticks = Ticks(context);
  std::string out;
  PutU8(out, 0);  // no flags pending
  PutU8(out, phy);
  PutU8(out, node.registers.Get(reg::kChannel));
  util::AppendLe16(out, static_cast<uint16_t>(ticks - 37));   // LastRecvTick
  util::AppendLe16(out, static_cast<uint16_t>(ticks - 120));  // LastTransmitTick
  PutU8(out, static_cast<uint8_t>(ticks >> 8));     // LastCalibrationTick
  PutU8(out, node.macPacketId % 8);                 // RX_RPtr
  PutU8(out, node.macPacketId % 8);                 // RX_WPtr
  PutU8(out, 0);                                    // RX_Cnt
  util::AppendLe16(out, 0);                                   // TXFrame
  PutU8(out, 0);                                    // CSMA_TryNum
  PutU8(out, 0);                                    // CSMA_Start
  PutU8(out, 3);                                    // CSMA_Delay
  return Answered(out);
}

CommandResult ReadTemperature(CommandContext &context, std::string_view /*params*/) {
  return Answered(std::string(1, static_cast<char>(context.node.temperature)));
}

CommandResult ReadCarrierOffsets(CommandContext &context, std::string_view /*params*/) {
  std::string out;
  for (int8_t offset : context.node.carrierOffsets) PutU8(out, static_cast<uint8_t>(offset));
  return Answered(out);
}

// A frame is heard every 250 ms. Its level follows a slow swell of a minute
// (someone walking past the antenna) plus a little noise of its own; a weak
// or noisy frame has a worse link quality.
void HearLatestFrame(LastPacketStatus &last, int64_t nowMs) {
  if (!last.varies) return;
  const int64_t frame = nowMs / 250;
  const int noise = static_cast<int>((static_cast<uint32_t>(frame) * 2654435761u >> 24) % 9) - 4;
  const int swell = static_cast<int>(std::lround(20 * std::sin(static_cast<double>(frame) * 2 * std::numbers::pi / 240)));
  last.rssi = static_cast<uint8_t>(std::clamp(last.rssiCentre + swell + noise, 0, 255));
  last.lqi = static_cast<uint8_t>(std::clamp(last.lqiCentre - std::abs(noise) - std::max(0, -swell) / 3, 0, 127));
}

CommandResult ReadLastPacketStatus(CommandContext &context, std::string_view /*params*/) {
  HearLatestFrame(context.node.lastPacket, context.nowMs);
  const LastPacketStatus &last = context.node.lastPacket;
  std::string out;
  util::AppendLe16(out, last.address);
  PutU8(out, last.rssi);
  PutU8(out, last.lqi);
  util::AppendLe16(out, Ticks(context));  // time mark
  PutU8(out, last.length);
  return Answered(out);
}

CommandResult ReadPhyErrorStats(CommandContext &context, std::string_view /*params*/) {
  std::string out;
  for (uint16_t counter : context.node.phyErrors) util::AppendLe16(out, counter);
  return Answered(out);
}

CommandResult ReadMacContext(CommandContext &context, std::string_view /*params*/) {
  std::string out;
  PutU8(out, context.node.macPacketId);  // PacketID
  util::AppendLe16(out, 0);                        // RXFrame
  PutU8(out, 0);                         // RXStage: idle
  PutU8(out, 4);                         // FrameCnt
  PutU8(out, 1);                         // last allocated frame index
  util::AppendLe16(out, 0xFFFF);                   // ACKHandle: none pending
  return Answered(out);
}

}  // namespace

void AddTransceiverCommands(CommandTable &table) {
  table.Add("\xEB\x01", ReadRegisters, 2);
  table.Add("\x1B\x02", WriteRegister, 2);
  table.Add("\x1B\x03", Strobe, 1);
  table.Add("\x1C\x01", ReadPhyStatus);
  table.Add("\x1C\x02", ReadTemperature);
  table.Add("\x1C\x04", SetTransceiver, 1);
  table.Add("\x1C\x05", ReadCarrierOffsets);
  table.Add("\x1C\x06", ReadLastPacketStatus);
  table.Add("\x1C\xC1", ReadPhyErrorStats);
  table.Add("\x1D\xDF", ReadMacContext);
}

}  // namespace sim
