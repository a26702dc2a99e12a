#pragma once
// vovorctl's commands. Each command file registers its commands with a
// static CommandRegistration, so adding a command touches no other file.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

class Session;

struct Command {
  std::string name;
  std::string synopsis;
  std::string summary;
  // Returns the exit status: 0 success, 1 a failed operation, 2 bad usage,
  // 3 the line could not be had.
  std::function<int(Session &session, const std::vector<std::string> &args)> run;
  // False for commands that work without a modem (listing ports, checksums):
  // they need neither --port nor --sim.
  bool needsLine = true;
};

const std::vector<Command> &Commands();
const Command *FindCommand(const std::string &name);

struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

}  // namespace cli
