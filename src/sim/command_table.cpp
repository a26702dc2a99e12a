#include "sim/command_table.h"

namespace sim {

void CommandTable::Add(std::string code, CommandHandler handler) {
  entries_.push_back({std::move(code), handler});
}

CommandResult CommandTable::Run(CommandContext &context, std::string_view command) const {
  const Entry *best = nullptr;
  for (const Entry &entry : entries_) {
    if (command.substr(0, entry.code.size()) != entry.code) continue;
    if (best == nullptr || entry.code.size() > best->code.size()) best = &entry;
  }
  if (best == nullptr) return Failed(status::kNoSuchCommand);
  return best->handler(context, command.substr(best->code.size()));
}

}  // namespace sim
