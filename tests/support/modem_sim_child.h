#pragma once
// The vovor-modem-sim program run as a child process, as a script would run
// it: its first line of output is the device path to connect to.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace testing_support {

inline constexpr int kChildGuardMs = 5000;

struct Child {
  pid_t pid = -1;
  int out = -1;  // its standard output
};

inline Child SpawnModemSim(const std::vector<std::string> &args) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  std::vector<char *> argv;
  const std::string program = std::string(VOVOR_BIN_DIR) + "/vovor-modem-sim";
  argv.push_back(const_cast<char *>(program.c_str()));
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  return {pid, pipeFds[0]};
}

inline std::string ReadLine(int fd) {
  std::string line;
  char c;
  pollfd p{fd, POLLIN, 0};
  while (::poll(&p, 1, kChildGuardMs) == 1 && ::read(fd, &c, 1) == 1 && c != '\n') line.push_back(c);
  return line;
}

// The child's exit status; -1 when a signal ended it, -2 when it had to be killed.
inline int WaitExit(pid_t pid) {
  int status = 0;
  for (int k = 0; k < kChildGuardMs / 10; ++k) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::usleep(10000);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -2;
}

}  // namespace testing_support
