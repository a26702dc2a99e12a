#pragma once
// vovorctl's global options; what follows them is the command and its words.
#include <cstdint>
#include <string>
#include <vector>

namespace cli {

struct GlobalOptions {
  std::string port;       // a device path or COMn
  bool sim = false;       // start the simulated modem in-process on a pseudo-terminal
  bool ascii = false;     // ASCII frames instead of BIN
  int address = 255;      // the direct node's address (255: any)
  int timeoutMs = 1000;   // per attempt
  int attempts = 3;
  int baud = 19200;
  int remote = -1;        // >= 0: run the command on this remote node through the direct node
  int remoteTimeoutMs = -1;  // a remote command's total time limit; < 0: the remote node's default, 0: none
  bool help = false;
  bool version = false;
  bool trace = false;     // every frame sent and received, in words, on standard error
  bool json = false;      // one JSON object per command on standard output
  std::vector<std::string> command;  // the command name and its arguments
};

// False with a message in *error on an unknown option or a bad value.
bool ParseGlobalOptions(const std::vector<std::string> &args, GlobalOptions *options, std::string *error);

// A whole number in [min, max], decimal or 0x-hex (a leading zero is decimal).
bool ParseNumber(const std::string &text, long min, long max, long *value);

std::string Usage();

}  // namespace cli
