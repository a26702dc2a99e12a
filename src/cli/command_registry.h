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
  // Returns the exit status: 0 success, 1 a failed operation, 2 bad usage.
  std::function<int(Session &session, const std::vector<std::string> &args)> run;
};

const std::vector<Command> &Commands();
const Command *FindCommand(const std::string &name);

struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

}  // namespace cli
