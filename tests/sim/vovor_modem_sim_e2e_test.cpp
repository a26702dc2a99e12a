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
#include "support/modem_sim_child.h"

namespace {

using sim_test::Bytes;

using testing_support::Child;
using testing_support::ReadLine;
using testing_support::WaitExit;
constexpr int kGuardMs = testing_support::kChildGuardMs;

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
  Child child = testing_support::SpawnModemSim({"--address", "7", "--ascii-lowercase"});
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
  Child child = testing_support::SpawnModemSim({"--address", "300"});
  ASSERT_GT(child.pid, 0);
  EXPECT_EQ(WaitExit(child.pid), 2);
  ::close(child.out);
}

}  // namespace
