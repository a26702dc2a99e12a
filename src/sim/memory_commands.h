#pragma once
// The memory command (code 0x40): reads, writes, parameters and erases of
// the configuration region, node table, route table, work parameters,
// production information, EEPROM, RAM and FRAM.
#include "sim/command_table.h"

namespace sim {

void AddMemoryCommands(CommandTable &table);

}  // namespace sim
