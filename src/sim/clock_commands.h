#pragma once
// The real-time clock: read, and set from the workstation's time.
#include "sim/command_table.h"

namespace sim {

void AddClockCommands(CommandTable &table);

}  // namespace sim
