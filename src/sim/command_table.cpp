#include "sim/command_table.h"

namespace sim {

void CommandTable::Add(std::string code, CommandHandler handler, int paramBytes) {
  entries_.push_back({std::move(code), handler, paramBytes});
}

CommandResult CommandTable::Run(CommandContext &context, std::string_view command) const {
  const Entry *best = nullptr;
  for (const Entry &entry : entries_) {
    if (command.substr(0, entry.code.size()) != entry.code) continue;
    if (best == nullptr || entry.code.size() > best->code.size()) best = &entry;
  }
  if (best == nullptr) return Failed(status::kNoSuchCommand);
  const std::string_view params = command.substr(best->code.size());
  if (best->paramBytes != kAnyLength && params.size() != static_cast<size_t>(best->paramBytes))
    return Failed(status::kBadParams);
  return best->handler(context, params);
}

}  // namespace sim
