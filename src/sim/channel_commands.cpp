#include "sim/channel_commands.h"

#include "sim/record_bytes.h"
#include "sim/node_state.h"

namespace sim {

namespace {

using Kind = ChannelState::Kind;

constexpr uint8_t kLastSpeedCode = 14;

// A route is its count byte (nodes minus two) and at least two nodes.
bool IsRoute(std::string_view route) { return route.size() >= 3 && ByteAt(route, 0) + 3u == route.size(); }

CommandResult Open(CommandContext &context, Kind kind, uint8_t speed, uint16_t timeout, std::string_view route) {
  if (speed > kLastSpeedCode) return Failed(status::kBadParams);
  ChannelState &c = context.node.channel;
  c.kind = kind;
  c.speedCode = speed;
  c.closeTimeoutUnits = timeout;
  c.route = std::string(route);
  c.lastTrafficMs = context.nowMs;
  return Answered();
}

CommandResult OpenVcomm(CommandContext &context, std::string_view p) {
  return Open(context, Kind::kVcomm, ByteAt(p, 0), util::LeU16(p, 1), {});
}

CommandResult OpenRoute(CommandContext &context, std::string_view p) {
  // Three reserved bytes, the route kind, the route.
  if (p.size() < 4 || !IsRoute(p.substr(4))) return Failed(status::kBadParams);
  return Open(context, Kind::kRoute, 0, 0, p.substr(4));
}

CommandResult OpenUart(CommandContext &context, std::string_view p) {
  // Speed, close time-out, route kind, route.
  if (p.size() < 4 || !IsRoute(p.substr(4))) return Failed(status::kBadParams);
  return Open(context, Kind::kUart, ByteAt(p, 0), util::LeU16(p, 1), p.substr(4));
}

CommandResult OpenTerm(CommandContext &context, std::string_view p) {
  CommandResult result = Open(context, Kind::kTerm, 0, 0, {});
  context.node.channel.termAddress = ByteAt(p, 0);
  return result;
}

// Closing what is not open is no error: the channel may have timed out.
CommandResult CloseIf(CommandContext &context, bool matches) {
  if (matches) context.node.channel.Close();
  return Answered();
}

CommandResult CloseVcomm(CommandContext &context, std::string_view) {
  const Kind kind = context.node.channel.kind;
  return CloseIf(context, kind == Kind::kVcomm || kind == Kind::kUart);
}

CommandResult CloseRoute(CommandContext &context, std::string_view p) {
  if (p.empty() || !IsRoute(p.substr(1))) return Failed(status::kBadParams);
  const ChannelState &c = context.node.channel;
  return CloseIf(context, (c.kind == Kind::kRoute || c.kind == Kind::kUart) && c.route == p.substr(1));
}

CommandResult CloseTerm(CommandContext &context, std::string_view) {
  return CloseIf(context, context.node.channel.kind == Kind::kTerm);
}

}  // namespace

void AddChannelCommands(CommandTable &table) {
  table.Add("\x12\x02", OpenVcomm, 3);
  table.Add("\x12\x01", OpenRoute, CommandTable::kAnyLength);
  table.Add("\x12\x03", OpenUart, CommandTable::kAnyLength);
  table.Add("\x12\x04", OpenTerm, 1);
  table.Add("\x12\x82", CloseVcomm, 2);
  table.Add("\x12\x81", CloseRoute, CommandTable::kAnyLength);
  table.Add("\x12\x84", CloseTerm);
}

}  // namespace sim
