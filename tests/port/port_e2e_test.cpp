// The real termios line over a pseudo-terminal.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <optional>
#include <mutex>

#include "port/port.h"
#include "port/posix/posix_line.h"
#include "support/pty_pair.h"
#include "util/tick.h"

using namespace port;
using testing_support::PtyPair;

namespace {

struct Collector : TPortLink {
  std::mutex m;
  std::string received;
  Collector() {
    OnReceiveData = [this](const std::string &d) {
      std::lock_guard l(m);
      received += d;
    };
  }
  std::string Wait(size_t n) {
    for (int i = 0; i < 300; ++i) {
      {
        std::lock_guard l(m);
        if (received.size() >= n) return received;
      }
      util::SleepMs(10);
    }
    std::lock_guard l(m);
    return received;
  }
};

struct PtyPort : ::testing::Test {
  PtyPair pty;
  TPort port;
  Collector link;
  void SetUp() override {
    ASSERT_TRUE(pty.ok());
    port.Settings().SetPortName(pty.SlavePath());
    port.Settings().SetBaudRate(115200);
    link.SetPort(&port);
  }
};

}  // namespace

TEST_F(PtyPort, BytesTravelBothWays) {
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive()) << port.LastError();
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  pty.Write(all);
  EXPECT_EQ(link.Wait(all.size()), all);
  port.SendData(all);
  EXPECT_EQ(pty.Read(all.size(), 2000), all);
}

TEST_F(PtyPort, SecondOpenOfTheSameLineFails) {
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive());
  TPort second;
  second.Settings().SetPortName(pty.SlavePath());
  second.SetActive(true);
  EXPECT_FALSE(second.GetActive());
  EXPECT_EQ(second.OpenError().Kind, TPortErrorKind::peBusy) << second.LastError();
  EXPECT_FALSE(second.LastError().empty());
  port.SetActive(false);
  second.SetActive(true);
  EXPECT_TRUE(second.GetActive()) << second.LastError();
}

TEST_F(PtyPort, HangUpEndsTheReaderAndThePortReadsClosed) {
  std::atomic<bool> hungUp{false};
  port.OnHangUp = [&](TPort &) { hungUp = true; };
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive());
  pty.Write("last");
  EXPECT_EQ(link.Wait(4), "last");
  pty.CloseMaster();
  // The port reads closed a moment before its listeners are told.
  for (int i = 0; i < 300 && !hungUp.load(); ++i) util::SleepMs(10);
  EXPECT_TRUE(hungUp.load());
  EXPECT_FALSE(port.GetActive());
  port.SendData("into the void");  // must not crash or block
  EXPECT_TRUE(port.Close());
}

namespace {

// A scratch file the test removes again.
struct ScratchFile {
  std::string path;
  explicit ScratchFile(mode_t mode) {
    char name[] = "/tmp/vovor_port_fileXXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
    chmod(path.c_str(), mode);
  }
  ~ScratchFile() { unlink(path.c_str()); }
};

TPortErrorKind OpenFailureOf(const std::string &name) {
  TPort p;
  p.Settings().SetPortName(name);
  p.SetActive(true);
  EXPECT_FALSE(p.GetActive()) << name;
  EXPECT_FALSE(p.LastError().empty()) << name;
  return p.OpenError().Kind;
}

// Root opens any file, so the refusal is tried by a child that has given up
// root for "nobody"; the child's exit code carries the kind.
std::optional<TPortErrorKind> OpenFailureAsUnprivileged(const std::string &name) {
  if (geteuid() != 0) return OpenFailureOf(name);
  pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(100);
    _exit(static_cast<int>(OpenFailureOf(name)));
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
    return std::nullopt;
  return static_cast<TPortErrorKind>(WEXITSTATUS(status));
}

}  // namespace

TEST(PortOpen, AFailedOpenSaysWhatKindOfFailureItWas) {
  ScratchFile plain(0644);
  const struct {
    std::string name;
    TPortErrorKind kind;
  } cases[] = {
      {"/dev/does-not-exist", TPortErrorKind::peNotFound},
      {"COM200", TPortErrorKind::peNotFound},  // /dev/ttyS199
      {"/tmp/no-such-folder/ttyUSB0", TPortErrorKind::peNotFound},
      {"/dev/null", TPortErrorKind::peNotASerialLine},
      {plain.path, TPortErrorKind::peNotASerialLine},
      {"/tmp", TPortErrorKind::peNotASerialLine},
  };
  for (const auto &c : cases) EXPECT_EQ(OpenFailureOf(c.name), c.kind) << c.name;
}

TEST(PortOpen, ALineTheUserMayNotOpenIsNoPermission) {
  ScratchFile locked(0000);
  std::optional<TPortErrorKind> kind = OpenFailureAsUnprivileged(locked.path);
  if (!kind) GTEST_SKIP() << "cannot give up root here";
  EXPECT_EQ(*kind, TPortErrorKind::peNoPermission);
}

TEST(PosixLineWrite, AStalledOrBrokenLineSaysHowFarTheWriteGot) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  posix::PosixLine line;
  TPortError error;
  ASSERT_TRUE(line.Open(pty.SlavePath(), TPortSettings{}, &error)) << error.Text;
  // Nobody reads the far end: the line's queues fill and the write stops at
  // its deadline, part of the block written.
  const std::string block(1 << 20, 'x');
  EXPECT_FALSE(line.Write(block, 50, &error));
  EXPECT_EQ(error.Kind, TPortErrorKind::peIO);
  EXPECT_NE(error.Text.find("timed out"), std::string::npos) << error.Text;
  EXPECT_NE(error.Text.find(" of 1048576 bytes"), std::string::npos) << error.Text;
  EXPECT_EQ(error.Text.find("wrote 0 of"), std::string::npos) << error.Text;

  // The far end gone: the write fails at once instead of waiting.
  pty.CloseMaster();
  error = {};
  const uint32_t start = util::TickMs();
  EXPECT_FALSE(line.Write("after", 5000, &error));
  EXPECT_LT(util::TicksSince(start), 1000u);
  EXPECT_TRUE(error.Failed());
  EXPECT_NE(error.Text.find("wrote 0 of 5 bytes"), std::string::npos) << error.Text;
}

TEST_F(PtyPort, CloseStopsTheReaderAtOnce) {
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive());
  uint32_t start = util::TickMs();
  EXPECT_TRUE(port.Close());
  EXPECT_LT(util::TicksSince(start), 500u);
}
