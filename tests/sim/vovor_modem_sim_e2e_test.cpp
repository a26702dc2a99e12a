// The vovor-modem-sim program as a script would use it: start it, read the
// device path from its first line, talk to the line, stop it with a signal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "answer_decoder.h"

namespace {

using sim_test::Bytes;

constexpr int kGuardMs = 5000;

struct Child {
  pid_t pid = -1;
  int out = -1;  // its standard output
};

Child Spawn(const std::vector<std::string> &args) {
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

std::string ReadLine(int fd) {
  std::string line;
  char c;
  pollfd p{fd, POLLIN, 0};
  while (::poll(&p, 1, kGuardMs) == 1 && ::read(fd, &c, 1) == 1 && c != '\n') line.push_back(c);
  return line;
}

int WaitExit(pid_t pid) {
  int status = 0;
  for (int k = 0; k < kGuardMs / 10; ++k) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::usleep(10000);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -2;
}

std::string Exchange(const std::string &path, const std::string &request) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return {};
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(fd, TCSANOW, &tio);
  std::string answer;
  if (::write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
    pollfd p{fd, POLLIN, 0};
    char buffer[512];
    while (answer.find('\n') == std::string::npos && ::poll(&p, 1, kGuardMs) == 1) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      answer.append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(fd);
  return answer;
}

TEST(VovorModemSim, PrintsThePathServesAndStopsOnSigterm) {
  Child child = Spawn({"--address", "7", "--ascii-lowercase"});
  ASSERT_GT(child.pid, 0);
  const std::string path = ReadLine(child.out);
  ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
  // "1503" to address 7 in ASCII.
  const auto answer = sim_test::DecodeAsciiAnswer(Exchange(path, "/07001503!1F\r\n"));
  ASSERT_TRUE(answer.ok);
  EXPECT_EQ(answer.source, 7);
  EXPECT_EQ(answer.data, "ORVA-SIM");
  EXPECT_EQ(answer.dataHex, "4f5256412d53494d");
  ::kill(child.pid, SIGTERM);
  EXPECT_EQ(WaitExit(child.pid), 0);
  ::close(child.out);
}

TEST(VovorModemSim, RefusesABadCommandLine) {
  Child child = Spawn({"--address", "300"});
  ASSERT_GT(child.pid, 0);
  EXPECT_EQ(WaitExit(child.pid), 2);
  ::close(child.out);
}

}  // namespace
