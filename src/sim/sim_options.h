#pragma once
// The command line of vovor-modem-sim, parsed into the simulator's settings.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_faults.h"

namespace sim {

struct SimOptions {
  uint8_t address = 1;
  bool asciiLowercase = false;
  bool zeroRuns = true;
  Faults faults;
  bool exitOnStdinEof = false;
  bool help = false;
};

// args: the arguments after the program name. False, with a message in
// *error, on an unknown option or a value out of range.
bool ParseSimOptions(const std::vector<std::string> &args, SimOptions *options, std::string *error);

std::string SimUsage();

}  // namespace sim
