// The real termios line over a pseudo-terminal.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "port/port.h"
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

TEST(PortOpen, MissingDeviceOrNonTerminalLeavesItClosed) {
  for (const char *name : {"/dev/does-not-exist", "/dev/null", "COM200"}) {
    TPort p;
    p.Settings().SetPortName(name);
    p.SetActive(true);
    EXPECT_FALSE(p.GetActive()) << name;
    EXPECT_FALSE(p.LastError().empty()) << name;
  }
}

TEST_F(PtyPort, CloseStopsTheReaderAtOnce) {
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive());
  uint32_t start = util::TickMs();
  EXPECT_TRUE(port.Close());
  EXPECT_LT(util::TicksSince(start), 500u);
}
