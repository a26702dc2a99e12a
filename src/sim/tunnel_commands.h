#pragma once
// The tunnel to remote nodes: send a command, poll its status, fetch its
// answer. Only the direct modem has them; a remote node answers "unknown".
#include "sim/command_table.h"

namespace sim {

void AddTunnelCommands(CommandTable &table);

}  // namespace sim
