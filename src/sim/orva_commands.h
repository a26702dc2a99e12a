#pragma once
// The mesh layer ("ORVA"): common and router contexts, its node table and
// the removal of a child node.
#include "sim/command_table.h"

namespace sim {

void AddOrvaCommands(CommandTable &table);

}  // namespace sim
