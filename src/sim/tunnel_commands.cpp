#include "sim/tunnel_commands.h"

#include "sim/mesh.h"
#include "sim/node_state.h"

namespace sim {

namespace {

CommandResult SendRemoteCommand(CommandContext &context, std::string_view params) {
  if (context.mesh == nullptr) return Failed(status::kNoSuchCommand);
  CommandResult result = context.mesh->Send(params, context.nowMs);
  // Each remote command is a radio frame of the direct modem's MAC.
  if (result.status == status::kOk) ++context.node.macPacketId;
  return result;
}

CommandResult ReadRemoteStatus(CommandContext &context, std::string_view params) {
  if (context.mesh == nullptr) return Failed(status::kNoSuchCommand);
  CommandResult result = context.mesh->Poll(params, context.nowMs);
  context.node.lastPacket.address = context.mesh->LastAddress();
  return result;
}

CommandResult FetchRemoteAnswer(CommandContext &context, std::string_view params) {
  if (context.mesh == nullptr) return Failed(status::kNoSuchCommand);
  return context.mesh->Fetch(params);
}

}  // namespace

void AddTunnelCommands(CommandTable &table) {
  table.Add("\x18\x01", SendRemoteCommand, CommandTable::kAnyLength);
  table.Add("\x18\x02", ReadRemoteStatus, 1);
  table.Add("\x18\x03", FetchRemoteAnswer, 1);
}

}  // namespace sim
