#include "sim/control_commands.h"

#include "sim/record_bytes.h"
#include "sim/mesh.h"
#include "sim/node_state.h"
#include "util/codepage.h"

namespace sim {

namespace {

constexpr int kMsPerTick = 5;

CommandResult ReadVersion(CommandContext &context, std::string_view /*params*/) {
  // The modem's firmware keeps its texts in the DOS Cyrillic code page.
  return Answered(util::Utf8ToCp866(context.node.versionText));
}

CommandResult ReadDeviceName(CommandContext &context, std::string_view /*params*/) {
  return Answered(context.node.deviceName);
}

CommandResult Identify(CommandContext &context, std::string_view /*params*/) {
  ++context.node.identifyCount;
  return Answered();
}

CommandResult Restart(CommandContext &context, std::string_view /*params*/) {
  RestartNode(context.node, context.nowMs);
  if (context.mesh != nullptr) context.mesh->ForgetRequests();
  return Answered();
}

CommandResult SetMode(CommandContext &context, std::string_view params) {
  if (ByteAt(params, 0) > 1) return Failed(status::kBadParams);
  context.node.mode = ByteAt(params, 0);
  return Answered();
}

uint32_t Ticks(const CommandContext &context) {
  return static_cast<uint32_t>(Uptime(context.node, context.nowMs) / kMsPerTick);
}

CommandResult ReadTickCounter(CommandContext &context, std::string_view /*params*/) {
  std::string out;
  util::AppendLe32(out, Ticks(context));
  return Answered(out);
}

CommandResult ReadCycleTime(CommandContext &context, std::string_view /*params*/) {
  const int64_t uptime = Uptime(context.node, context.nowMs);
  std::string out;
  PutU8(out, static_cast<uint8_t>(2 + uptime % 3));  // the last cycle's length, jittering a little
  util::AppendLe32(out, static_cast<uint32_t>(uptime * context.node.cyclesPerSecond / 1000));
  return Answered(out);
}

CommandResult ReadEepromTestTime(CommandContext &context, std::string_view /*params*/) {
  return Answered(std::string(1, static_cast<char>(context.node.eepromTestTime)));
}

CommandResult ReadVoltageSensor(CommandContext &context, std::string_view /*params*/) {
  return Answered(std::string(1, context.node.mainsPresent ? '\x01' : '\x00'));
}

CommandResult ReadVoltages(CommandContext &context, std::string_view /*params*/) {
  std::string out;
  util::AppendLe16(out, context.node.rawVoltageExternal);
  util::AppendLe16(out, context.node.rawVoltageInternal);
  return Answered(out);
}

}  // namespace

void AddControlCommands(CommandTable &table) {
  table.Add("\x15\x01", ReadVersion);
  table.Add("\x15\x03", ReadDeviceName);
  table.Add("\x1A\x01", Identify);
  table.Add("\xFD", Restart);
  table.Add("\x2C", SetMode, 1);
  table.Add("\x16\x02", ReadTickCounter);
  table.Add("\x16\x03", ReadCycleTime);
  table.Add("\x26", ReadEepromTestTime);
  table.Add("\x31\x01", ReadVoltageSensor);
  table.Add("\x31\x02", ReadVoltages);
}

}  // namespace sim
