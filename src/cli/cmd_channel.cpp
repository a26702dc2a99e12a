// channel: open and close the serial channels the node carries through the mesh.
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "modem/route.h"
#include "cli/session.h"

namespace cli {

namespace {

constexpr char kSynopsis[] =
    "channel open-vcomm [--speed N] [--timeout T] | open-route ROUTE | open-uart ROUTE [--speed N] [--timeout T] | "
    "open-term ADDRESS | close-vcomm | close-route ROUTE | close-term";
// Opening a channel takes the mesh a while: the answer may come this many
// times later than usual.
constexpr int kOpeningTimeOutFactor = 4;
constexpr uint8_t kRouteKind = 3;

struct ChannelArgs {
  long speed = 0;
  long timeout = 2000;  // 5 ms units: ten seconds
  std::string route;    // hex: count byte, then the nodes
  long address = 0;
};

// Parses [ROUTE|ADDRESS] [--speed N] [--timeout T] as the action allows.
bool ParseArgs(const std::vector<std::string> &args, bool wantsRoute, bool wantsAddress, bool wantsLine,
               ChannelArgs *out, std::string *error) {
  size_t i = 1;
  if (wantsRoute || wantsAddress) {
    if (args.size() < 2) {
      *error = wantsRoute ? "a route of 2 to 24 nodes is needed, such as 1-5-9" : "an address 0 to 255 is needed";
      return false;
    }
    if (wantsRoute) {
      auto route = modem::ParseRouteArgument(args[1], modem::kChannelRouteNodes, error);
      if (!route) return false;
      out->route = route->Hex();
    } else if (!ParseNumber(args[1], 0, 255, &out->address)) {
      *error = "\"" + args[1] + "\" is no address 0 to 255";
      return false;
    }
    i = 2;
  }
  for (; i < args.size(); i += 2) {  // an option and its value
    const std::string &a = args[i];
    long *target = a == "--speed" ? &out->speed : a == "--timeout" ? &out->timeout : nullptr;
    const long max = a == "--speed" ? 14 : 65535;
    if (!wantsLine || target == nullptr || i + 1 >= args.size() || !ParseNumber(args[i + 1], 0, max, target)) {
      *error = "unexpected \"" + a + "\" (--speed takes 0 to 14, --timeout 0 to 65535)";
      return false;
    }
  }
  return true;
}

int RunChannel(Session &s, const std::vector<std::string> &args) {
  if (args.empty()) return s.UsageError(std::string("usage: ") + kSynopsis);
  const std::string &action = args[0];
  const bool route = action == "open-route" || action == "open-uart" || action == "close-route";
  const bool address = action == "open-term";
  const bool line = action == "open-vcomm" || action == "open-uart";
  const bool known = route || address || line || action == "close-vcomm" || action == "close-term";
  if (!known) return s.UsageError("channel: unknown action \"" + action + "\"; " + kSynopsis);
  ChannelArgs c;
  std::string error;
  if (!ParseArgs(args, route, address, line, &c, &error)) return s.UsageError("channel " + action + ": " + error);

  auto &node = s.Node();
  const int normalTimeOut = node.GetTimeOutMs();
  const bool slow = action != "close-vcomm" && action != "open-term" && action != "close-term";
  if (slow) node.SetTimeOutMs(normalTimeOut * kOpeningTimeOutFactor);
  const auto speed = static_cast<uint8_t>(c.speed);
  const auto timeout = static_cast<uint16_t>(c.timeout);
  bool ok = false;
  if (action == "open-vcomm") ok = node.OpenVComm(speed, timeout);
  else if (action == "open-route") ok = node.OpenRoute(kRouteKind, c.route);
  else if (action == "open-uart") ok = node.OpenUart(speed, timeout, c.route, kRouteKind);
  else if (action == "open-term") ok = node.OpenTerm(static_cast<uint8_t>(c.address));
  else if (action == "close-vcomm") ok = node.CloseVComm();
  else if (action == "close-route") ok = node.CloseRoute(c.route);
  else ok = node.CloseTerm();
  node.SetTimeOutMs(normalTimeOut);
  if (!ok) return s.Fail();
  s.Field("done", action + (c.route.empty() ? "" : " " + c.route));
  return 0;
}

const CommandRegistration channel{
    {"channel", kSynopsis,
     "open or close a virtual COM port, route, UART or terminal channel; ROUTE lists the nodes (1-5-9), speed codes "
     "0..14 index the channel speeds, the close time-out counts 5 ms units (0: none)",
     RunChannel}};

}  // namespace
}  // namespace cli
