// checksum and meter-test: the terminal's checksum calculator and test
// requests, without a line.
#include <ostream>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/meter_requests.h"
#include "util/codepage.h"

namespace cli {

namespace {

int RunChecksum(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 2 || (args[0] != "--bin" && args[0] != "--ascii"))
    return s.UsageError("checksum takes --bin HEX or --ascii TEXT");
  const bool bin = args[0] == "--bin";
  // ASCII text is summed in the line's code page, as the terminal sends it.
  const std::string message = modem::ChecksumMessage(bin ? args[1] : util::Utf8ToCp1251(args[1]), bin);
  s.Out() << message;
  if (message.empty() || message.back() != '\n') s.Out() << "\n";
  return 0;
}

int RunMeterTest(Session &s, const std::vector<std::string> &args) {
  const char *usage = "meter-test takes KIND NUMBER [--ascii|--bin]; KIND is one of vesk, merc200, merc230, psc, "
                      "set-cs, set-crc, ce68";
  if (args.size() < 2 || args.size() > 3) return s.UsageError(usage);
  auto test = modem::MeterTestByName(args[0]);
  if (!test) return s.UsageError(usage);
  bool bin = false;
  if (args.size() == 3) {
    if (args[2] != "--ascii" && args[2] != "--bin") return s.UsageError(usage);
    bin = args[2] == "--bin";
  }
  const int64_t max = modem::NetNumberMaximum(modem::NetNumberKind(*test));
  long number = 0;
  if (!ParseNumber(args[1], 0, static_cast<long>(max), &number))
    return s.UsageError("NUMBER of " + args[0] + " is a number from 0 to " + std::to_string(max));
  const modem::TMeterRequest request = modem::BuildMeterTest(*test, number, bin);
  s.Out() << request.text << "\n" << (request.bin ? "BIN" : "ASCII") << "\n";
  return 0;
}

const CommandRegistration checksum{{"checksum", "checksum --bin HEX | --ascii TEXT",
                                    "the terminal's checksums of hex bytes or of a text (no line needed)", RunChecksum,
                                    false}};
const CommandRegistration meterTest{{"meter-test", "meter-test KIND NUMBER [--ascii|--bin]",
                                     "the terminal's test request for a meter: send-box text, then ASCII or BIN",
                                     RunMeterTest, false}};

}  // namespace
}  // namespace cli
