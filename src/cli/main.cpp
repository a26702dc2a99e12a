// vovorctl: the configurator's operations from the command line.
#include <unistd.h>

#include <iostream>
#include <sstream>

#include "cli/command_registry.h"
#include "cli/interrupt_watch.h"
#include "cli/session.h"
#include "util/version.h"

int main(int argc, char **argv) {
  // Before any thread starts, so that every thread leaves the signals to it.
  cli::InterruptWatch interrupts;
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
  if (options.version) {
    std::cout << util::VersionLine("vovorctl") << "\n";
    return 0;
  }
  const cli::Command *command = cli::FindCommand(options.command.front());
  if (!command) {
    std::cerr << "vovorctl: unknown command \"" << options.command.front() << "\"\n" << cli::Usage();
    return 2;
  }
  // With --json whatever a command prints besides its fields goes into the
  // report, so standard output holds one JSON object and nothing else.
  std::ostringstream captured;
  cli::Session session(options, options.json ? static_cast<std::ostream &>(captured) : std::cout, std::cerr);
  interrupts.OnSignal([&session](int count) {
    // A third signal means the stop itself is stuck: leave at once.
    if (count >= 3) _exit(130);
    session.Interrupt(count >= 2);
  });
  int status = 3;
  if ((!command->needsLine || session.Open()) && interrupts.Count() == 0) {
    std::vector<std::string> commandArgs(options.command.begin() + 1, options.command.end());
    status = command->run(session, commandArgs);
    if (auto *report = session.Report(); report && status == 0 && command->needsLine)
      report->Result(session.Node().ResultCode().Code, session.Node().ResultCode().Msg);
  }
  interrupts.OnSignal({});  // the session goes before the watcher
  if (auto *report = session.Report()) std::cout << report->Render(command->name, status, captured.str());
  if (interrupts.Count() > 0) {
    std::cerr << "vovorctl: interrupted\n";
    return status != 0 ? status : 130;
  }
  return status;
}
