// The simulator on its pseudo-terminal, driven the way any serial program
// would drive it: open() the device path, raw termios, write, read.
#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include "answer_decoder.h"
#include "sim/line_pacer.h"
#include "sim/sim_modem.h"

namespace sim {
namespace {

using sim_test::Bytes;
using SteadyClock = std::chrono::steady_clock;

const std::string kBinVersionRequest = Bytes({0x1B, 0x01, 0xFF, 0x00, 0x15, 0x01, 0x14, 0x1B, 0x00});
const std::string kAsciiNameRequest = "/FF001503!17\r\n";
constexpr int kHangGuardMs = 5000;

int OpenLine(const std::string &path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return fd;
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(fd, TCSANOW, &tio);
  return fd;
}

struct Received {
  std::string bytes;
  int reads = 0;
};

// Reads until `done` says the bytes are complete or the guard time passes.
template <typename Done>
Received ReadUntil(int fd, Done done) {
  Received received;
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(kHangGuardMs);
  while (!done(received.bytes) && SteadyClock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    char buffer[8192];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    received.bytes.append(buffer, static_cast<size_t>(n));
    ++received.reads;
  }
  return received;
}

bool HasBinFrame(const std::string &bytes) {
  const size_t start = bytes.find(Bytes({0x1B, 0x01}));
  return start != std::string::npos && bytes.find(Bytes({0x1B, 0x00}), start) != std::string::npos;
}

bool HasAsciiFrame(const std::string &bytes) { return bytes.find('\n') != std::string::npos; }

class PtyServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server.Start(&error)) << error;
    fd = OpenLine(server.DevicePath());
    ASSERT_GE(fd, 0) << server.DevicePath();
  }
  void TearDown() override {
    if (fd >= 0) ::close(fd);
  }
  void Send(const std::string &bytes) {
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  PtyServer server;
  int fd = -1;
};

TEST_F(PtyServerTest, AnswersBinAndAsciiRequests) {
  server.WithModem([](SimModem &modem) { modem.State().deviceName = "SIM"; });
  Send(kBinVersionRequest);
  auto bin = ReadUntil(fd, HasBinFrame);
  const auto version = sim_test::DecodeBinAnswer(bin.bytes);
  ASSERT_TRUE(version.ok);
  EXPECT_EQ(version.status, 0);
  EXPECT_FALSE(version.data.empty());

  Send(kAsciiNameRequest);
  auto ascii = ReadUntil(fd, HasAsciiFrame);
  const auto name = sim_test::DecodeAsciiAnswer(ascii.bytes);
  ASSERT_TRUE(name.ok) << ascii.bytes;
  EXPECT_EQ(name.data, "SIM");

  EXPECT_EQ(server.RequestsSeen(), 2u);
  EXPECT_EQ(server.AnswersSent(), 2u);
  EXPECT_EQ(server.BytesReceived(), kBinVersionRequest.size() + kAsciiNameRequest.size());
}

TEST_F(PtyServerTest, RequestsInPiecesAndForOthersAreHandled) {
  Send("junk" + kBinVersionRequest.substr(0, 4));
  Send(kBinVersionRequest.substr(4));
  Send(Bytes({0x1B, 0x01, 0x09, 0x00, 0x15, 0x01, 0xE2, 0x1B, 0x00}));  // for address 9
  auto received = ReadUntil(fd, HasBinFrame);
  EXPECT_TRUE(sim_test::DecodeBinAnswer(received.bytes).ok);
  // The request for address 9 is seen but not answered.
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(kHangGuardMs);
  while (server.RequestsSeen() < 2 && SteadyClock::now() < deadline) ::usleep(1000);
  EXPECT_EQ(server.RequestsSeen(), 2u);
  EXPECT_EQ(server.AnswersSent(), 1u);
}

TEST_F(PtyServerTest, SplitAnswerArrivesInManyBlocks) {
  Faults faults;
  faults.splitAnswer = true;
  server.SetFaults(faults);
  Send(kBinVersionRequest);
  auto received = ReadUntil(fd, HasBinFrame);
  ASSERT_TRUE(sim_test::DecodeBinAnswer(received.bytes).ok);
  EXPECT_GT(received.reads, 1);
}

TEST_F(PtyServerTest, FloodArrivesInFull) {
  Faults faults;
  faults.floodNextBytes = 5001;
  server.SetFaults(faults);
  Send(kBinVersionRequest);
  auto received = ReadUntil(fd, [](const std::string &bytes) { return bytes.size() >= 5001; });
  EXPECT_EQ(received.bytes.size(), 5001u);
  EXPECT_EQ(server.AnswersSent(), 0u);
}

TEST_F(PtyServerTest, PacedAndDelayedAnswersAreNeverEarly) {
  struct Case {
    uint32_t baud;
    uint32_t delayMs;
  };
  for (const Case c : {Case{2400, 0}, Case{0, 150}, Case{9600, 40}}) {
    Faults faults;
    faults.baud = c.baud;
    faults.delayMs = c.delayMs;
    server.SetFaults(faults);
    const auto start = SteadyClock::now();
    Send(kBinVersionRequest);
    auto received = ReadUntil(fd, HasBinFrame);
    const auto elapsed = SteadyClock::now() - start;
    ASSERT_TRUE(sim_test::DecodeBinAnswer(received.bytes).ok);
    const auto earliest =
        WireTime(kBinVersionRequest.size() + received.bytes.size(), c.baud) + std::chrono::milliseconds(c.delayMs);
    EXPECT_GE(elapsed, earliest) << c.baud << " baud, " << c.delayMs << " ms";
  }
}

TEST_F(PtyServerTest, ServesANewClientAfterTheFirstOneLeft) {
  ::close(fd);
  fd = OpenLine(server.DevicePath());
  ASSERT_GE(fd, 0);
  Send(kBinVersionRequest);
  EXPECT_TRUE(sim_test::DecodeBinAnswer(ReadUntil(fd, HasBinFrame).bytes).ok);
}

// After the answers it was told to give, the line drops; the last answer
// still arrives whole first.
TEST_F(PtyServerTest, HangUpFaultDropsTheLineAfterItsAnswers) {
  Faults faults;
  faults.hangUpAfterAnswers = 2;
  server.SetFaults(faults);
  for (int k = 0; k < 2; ++k) {
    Send(kBinVersionRequest);
    EXPECT_TRUE(sim_test::DecodeBinAnswer(ReadUntil(fd, HasBinFrame).bytes).ok) << "answer " << k;
  }
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, kHangGuardMs), 1);
  EXPECT_TRUE(p.revents & POLLHUP);
  EXPECT_EQ(server.AnswersSent(), 2u);
}

TEST_F(PtyServerTest, HangUpFaultOfZeroDropsAnIdleLineAtOnce) {
  Faults faults;
  faults.hangUpAfterAnswers = 0;
  server.SetFaults(faults);
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, kHangGuardMs), 1);
  EXPECT_TRUE(p.revents & POLLHUP);
}

TEST_F(PtyServerTest, StopHangsUpTheClient) {
  server.Stop();
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, kHangGuardMs), 1);
  EXPECT_TRUE(p.revents & POLLHUP);
  char c;
  EXPECT_LE(::read(fd, &c, 1), 0);
}

}  // namespace
}  // namespace sim
