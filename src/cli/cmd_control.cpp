// rtc, mode, identify and restart: the node's clock and its control commands.
#include <cstdlib>

#include "cli/command_registry.h"
#include "cli/field_format.h"
#include "cli/session.h"
#include "modem/clock_comparison.h"

namespace cli {

namespace {

int RunRtc(Session &s, const std::vector<std::string> &args) {
  bool setNow = args.size() == 1 && args[0] == "--set-now";
  if (!args.empty() && !setNow) return s.UsageError("rtc takes nothing, or --set-now");
  auto &node = s.Node();
  if (setNow && !node.WriteRtc(modem::LocalNow())) return s.Fail();
  modem::TDateTime clock;
  if (!node.ReadRtc(clock)) return s.Fail();
  modem::TDateTime computer = modem::LocalNow();
  // The RTC page's comparison line first, then the same as fields.
  s.Out() << modem::clock_text::ComparisonText(clock, computer) << "\n";
  s.Field("clock", FormatClock(clock));
  s.Field("computer", FormatClock(computer));
  s.Field("delta ms", std::to_string(modem::clock_text::ClockDeltaMs(clock, computer)));
  return 0;
}

int RunMode(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 1 || (args[0] != "work" && args[0] != "tech"))
    return s.UsageError("mode takes work (working mode) or tech (technological mode)");
  if (!s.Node().SetMode(args[0] == "work" ? 0 : 1)) return s.Fail();
  s.Field("mode", args[0]);
  return 0;
}

int RunIdentify(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("identify takes no arguments");
  if (!s.Node().Identify()) return s.Fail();
  s.Field("identify", s.Node().ResultCode().Msg);
  return 0;
}

int RunRestart(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("restart takes no arguments");
  if (!s.Node().Restart()) return s.Fail();
  s.Field("restart", s.Node().ResultCode().Msg);
  return 0;
}

const CommandRegistration rtc{
    {"rtc", "rtc [--set-now]", "read the node's clock (after setting it to this computer's time)", RunRtc}};
const CommandRegistration mode{{"mode", "mode work|tech", "switch the node to working or technological mode", RunMode}};
const CommandRegistration identify{
    {"identify", "identify", "make the node show itself (visual identification)", RunIdentify}};
const CommandRegistration restart{{"restart", "restart", "restart the node", RunRestart}};

}  // namespace
}  // namespace cli
