#include "cli/command_registry.h"

namespace cli {

namespace {
std::vector<Command> &Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

const std::vector<Command> &Commands() { return Registry(); }

const Command *FindCommand(const std::string &name) {
  for (const auto &c : Registry())
    if (c.name == name) return &c;
  return nullptr;
}

CommandRegistration::CommandRegistration(Command command) { Registry().push_back(std::move(command)); }

}  // namespace cli
