#pragma once
// Opening and closing the serial channels a modem carries through the mesh.
#include "sim/command_table.h"

namespace sim {

void AddChannelCommands(CommandTable &table);

}  // namespace sim
