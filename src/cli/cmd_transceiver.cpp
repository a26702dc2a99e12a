// strobe and transceiver: the radio chip of the node.
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/field_format.h"
#include "cli/session.h"
#include "modem/transceiver_registers.h"

namespace cli {

namespace {

// A strobe by its name (SIDLE), the register page's caption (IDLE) or its code.
int StrobeCode(const std::string &word) {
  if (auto code = modem::StrobeByName(word)) return *code;
  const auto &strobes = modem::StrobeCommands();
  long code = 0;
  if (ParseNumber(word, strobes.front().code, strobes.back().code, &code)) return static_cast<int>(code);
  return -1;
}

int RunStrobe(Session &s, const std::vector<std::string> &args) {
  int code = args.size() == 1 ? StrobeCode(args[0]) : -1;
  if (code < 0) return s.UsageError("strobe takes a strobe name (SRES ... SNOP) or its code 0x30..0x3D");
  if (!s.Node().Strobe(code)) return s.Fail();
  const auto &strobe = modem::StrobeCommands()[code - modem::StrobeCommands().front().code];
  s.Field("strobe", std::string(strobe.name) + " (" + FormatHexByte(static_cast<uint8_t>(code)) + ")");
  return 0;
}

int RunTransceiver(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) return s.UsageError("transceiver takes on or off");
  if (!s.Node().SetTransceiver(args[0] == "on" ? 1 : 0)) return s.Fail();
  s.Field("transceiver", args[0]);
  return 0;
}

const CommandRegistration strobe{
    {"strobe", "strobe NAME|CODE", "send a command strobe to the transceiver (SIDLE, SRX, 0x36, ...)", RunStrobe}};
const CommandRegistration transceiver{
    {"transceiver", "transceiver on|off", "switch the node's transceiver on or off", RunTransceiver}};

}  // namespace
}  // namespace cli
