#pragma once
// Runs the built vovorctl with arguments and collects what it printed.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace cli_test {

struct CtlRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// `command` goes to the shell as it stands: keep it to plain words.
inline CtlRun RunCommand(const std::string &shellCommand) {
  char errPath[] = "/tmp/vovorctl_errXXXXXX";
  int fd = mkstemp(errPath);
  if (fd >= 0) close(fd);
  std::string command = shellCommand + " 2>" + errPath;
  CtlRun run;
  if (FILE *p = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) run.out.append(buffer, n);
    int status = pclose(p);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::ifstream errFile(errPath);
  std::stringstream err;
  err << errFile.rdbuf();
  run.err = err.str();
  unlink(errPath);
  return run;
}

inline CtlRun RunCtl(const std::string &args) { return RunCommand(std::string(VOVOR_BIN_DIR) + "/vovorctl " + args); }

// The value of the first "name: value" line, or nothing when there is none.
inline std::string FieldOf(const std::string &out, const std::string &name) {
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(name + ": ", 0) == 0) return line.substr(name.size() + 2);
  return "";
}

}  // namespace cli_test
