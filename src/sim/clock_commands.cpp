#include "sim/clock_commands.h"

#include "sim/clock_record.h"
#include "sim/node_state.h"

namespace sim {

namespace {

CommandResult ReadClock(CommandContext &context, std::string_view /*params*/) {
  return Answered(EncodeClockRecord(ClockNow(context.node, context.nowMs)));
}

CommandResult SetClock(CommandContext &context, std::string_view params) {
  const std::optional<int64_t> time = DecodeClockRecord(params);
  if (!time) return Failed(status::kBadParams);
  // From now on the clock runs from the time it was given.
  SetClock(context.node, context.nowMs, *time);
  return Answered();
}

}  // namespace

void AddClockCommands(CommandTable &table) {
  table.Add("\x24\x01", ReadClock);
  table.Add("\x24\x02", SetClock, CommandTable::kAnyLength);
}

}  // namespace sim
