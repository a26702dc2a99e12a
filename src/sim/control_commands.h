#pragma once
// Identification and control of the modem itself: version and name, visual
// identification, restart, modes, run-time counters and the supply.
#include "sim/command_table.h"

namespace sim {

void AddControlCommands(CommandTable &table);

}  // namespace sim
