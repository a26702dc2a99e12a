// link-test and debug-trace: the "Команды" page's test of many version
// requests and its radio debug trace.
#include <ostream>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/link_test.h"

namespace cli {

namespace {

int RunLinkTest(Session &s, const std::vector<std::string> &args) {
  long total = modem::link_test::kLinkTestRequests;
  if (!(args.empty() || (args.size() == 2 && args[0] == "-n" && ParseNumber(args[1], 1, 100000, &total))))
    return s.UsageError("link-test takes -n N, 1 to 100000 requests (500 when not given)");
  auto &node = s.Node();
  modem::link_test::LinkTestHooks hooks;
  hooks.readVersion = [&node] {
    modem::TVersion version;
    node.ReadVersion(version);
    return node.ResultCode().Code;
  };
  hooks.message = [&s](const std::string &text) { s.Out() << text << "\n" << std::flush; };
  const auto outcome = modem::link_test::RunLinkTest(static_cast<int>(total), hooks);
  s.Out() << modem::link_test::EndText(outcome.elapsedMs, static_cast<int>(total)) << "\n"
          << modem::link_test::SummaryText(outcome, static_cast<int>(total)) << "\n"
          << modem::link_test::StatsText(modem::link_test::ComputeStats(outcome)) << "\n";
  return outcome.good > 0 ? 0 : s.Fail();
}

int RunDebugTrace(Session &s, const std::vector<std::string> &args) {
  long address = modem::kRadioTraceDefaultAddress;
  if (!(args.empty() || (args.size() == 2 && args[0] == "--address" &&
                         ParseNumber(args[1], modem::link_test::kTraceAddressMin, modem::link_test::kTraceAddressMax,
                                     &address))))
    return s.UsageError("debug-trace takes --address A, a RAM address 0x60..0x860 (0x4E1 when not given)");
  std::string bytes;
  if (!s.Node().ReadPureMemory(static_cast<uint16_t>(address - modem::kRamBaseAddress), modem::kRadioTraceBytes,
                               bytes))
    return s.Fail();
  modem::RadioTrace trace;
  const auto error = modem::DecodeRadioTrace(bytes, trace);
  if (error != modem::RadioTraceError::None) {
    s.Err() << "error: "
            << modem::link_test::RadioTraceErrorText(error, bytes.size(), bytes.empty() ? 0 : uint8_t(bytes[0])) << "\n";
    return 1;
  }
  for (const auto &line : modem::link_test::RadioTraceLines(trace)) s.Out() << line << "\n";
  return 0;
}

const CommandRegistration linkTest{{"link-test", "link-test [-n N]",
                                    "N version requests (500) with the page's messages and round-trip statistics",
                                    RunLinkTest}};
const CommandRegistration debugTrace{{"debug-trace", "debug-trace [--address A]",
                                      "the radio debug trace from the node's RAM, oldest entry first",
                                      RunDebugTrace}};

}  // namespace
}  // namespace cli
