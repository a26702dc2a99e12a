#pragma once
// The radio: register file and strobes, switching the transceiver off and
// on, PHY and MAC state, error counters, temperature, carrier offsets.
#include "sim/command_table.h"

namespace sim {

void AddTransceiverCommands(CommandTable &table);

}  // namespace sim
