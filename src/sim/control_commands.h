#pragma once
// Identification and control of the modem itself.
#include "sim/command_table.h"

namespace sim {

void AddControlCommands(CommandTable &table);

}  // namespace sim
