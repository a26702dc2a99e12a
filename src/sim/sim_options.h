#pragma once
// The command line of vovor-modem-sim, parsed into the simulator's settings.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/mesh.h"
#include "sim/sim_faults.h"

namespace sim {

class SimModem;

struct NodeSetup {
  uint16_t address = 0;
  int pendingPolls = -1;  // < 0: the mesh's default
  int meshDelayMs = -1;   // < 0: the mesh's default
  NodeFaults faults;
};

struct SimOptions {
  uint8_t address = 1;
  bool asciiLowercase = false;
  bool zeroRuns = true;
  Faults faults;
  int restartSilenceMs = -1;  // < 0: the modem's default
  // The mesh: with replaceNodes the default nodes go first; `nodes` are then
  // added (or reset) in order.
  bool replaceNodes = false;
  std::vector<NodeSetup> nodes;
  int defaultPendingPolls = -1;  // < 0: the mesh's default
  int defaultMeshDelayMs = -1;   // < 0: the mesh's default
  bool exitOnStdinEof = false;
  bool help = false;
  bool version = false;
};

// args: the arguments after the program name. False, with a message in
// *error, on an unknown option or a value out of range.
bool ParseSimOptions(const std::vector<std::string> &args, SimOptions *options, std::string *error);

std::string SimUsage();

// Puts the modem and its mesh into the state the options describe (the
// faults excepted, which the server takes as they are).
void ConfigureModem(const SimOptions &options, SimModem &modem);

}  // namespace sim
