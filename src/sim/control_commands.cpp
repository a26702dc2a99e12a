#include "sim/control_commands.h"

#include "sim/node_state.h"
#include "util/codepage.h"

namespace sim {

namespace {

CommandResult ReadVersion(CommandContext &context, std::string_view params) {
  if (!params.empty()) return Failed(status::kBadParams);
  // The modem's firmware keeps its texts in the DOS Cyrillic code page.
  return Answered(util::Utf8ToCp866(context.node.versionText));
}

CommandResult ReadDeviceName(CommandContext &context, std::string_view params) {
  if (!params.empty()) return Failed(status::kBadParams);
  return Answered(context.node.deviceName);
}

}  // namespace

void AddControlCommands(CommandTable &table) {
  table.Add("\x15\x01", ReadVersion);
  table.Add("\x15\x03", ReadDeviceName);
}

}  // namespace sim
