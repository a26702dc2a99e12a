// vovorctl: the configurator's operations from the command line.
#include <iostream>

#include "cli/command_registry.h"
#include "cli/session.h"

int main(int argc, char **argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  cli::GlobalOptions options;
  std::string error;
  if (!cli::ParseGlobalOptions(args, &options, &error)) {
    std::cerr << "vovorctl: " << error << "\n" << cli::Usage();
    return 2;
  }
  if (options.help) {
    std::cout << cli::Usage();
    return 0;
  }
  const cli::Command *command = cli::FindCommand(options.command.front());
  if (!command) {
    std::cerr << "vovorctl: unknown command \"" << options.command.front() << "\"\n" << cli::Usage();
    return 2;
  }
  cli::Session session(options, std::cout, std::cerr);
  if (!session.Open()) return 1;
  std::vector<std::string> commandArgs(options.command.begin() + 1, options.command.end());
  return command->run(session, commandArgs);
}
