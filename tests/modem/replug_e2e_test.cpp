// A line that goes away and comes back under the same name, as a USB
// adapter pulled out and plugged in again: the port keeps its settings,
// operations meanwhile fail at once, and the first one after the return
// succeeds without anyone opening the port again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "modem/frame_codec.h"
#include "modem/remote_node.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "sim/pty_server.h"

namespace {

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()> &condition) {
  for (int i = 0; i < 1000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return condition();
}

TEST(Replug, TheSameDeviceBackIsTakenAgainAndOperationsMeanwhileFailAtOnce) {
  namespace fs = std::filesystem;
  const fs::path link = fs::temp_directory_path() / ("vovor_replug_" + std::to_string(getpid()));
  fs::remove(link);
  auto first = std::make_unique<sim::PtyServer>();
  ASSERT_TRUE(first->Start());
  fs::create_symlink(first->DevicePath(), link);

  port::TPort port;
  std::atomic<int> lost{0}, back{0};
  port.OnHangUp = [&](port::TPort &) { ++lost; };
  port.OnLineBack = [&](port::TPort &) { ++back; };
  port.Settings().SetPortName(link.string());
  port.Settings().SetBaudRate(115200);
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive());
  modem::ZIZ2400 node;
  node.SetPort(&port);
  node.SetDeviceId(255);
  node.SetProtocol(modem::kProtocolBin);
  node.SetTimeOutMs(500);
  node.Transactions = 3;
  modem::TVersion version;
  ASSERT_TRUE(node.ReadVersion(version));

  first.reset();  // the adapter is pulled out, and its name goes with it:
  // a test running beside this one may be given the freed pty at once.
  fs::remove(link);
  // The state is set before the listeners are told, so wait for the telling.
  ASSERT_TRUE(WaitFor([&] { return lost.load() == 1; }));
  EXPECT_TRUE(port.LineLost());
  EXPECT_FALSE(port.GetActive());
  const auto start = Clock::now();
  EXPECT_FALSE(node.ReadVersion(version));
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << "no attempt is waited out";
  EXPECT_EQ(node.ResultCode(), device::rcLineLost);
  // A remote node behind it says the same, also at once and without retrying.
  modem::ZIZ2400_RemoteNode remote;
  remote.SetDirectNode(&node);
  remote.SetRemoteAddress(2);
  remote.Transactions = 2;
  EXPECT_FALSE(remote.ReadVersion(version));
  EXPECT_EQ(remote.ResultCode(), device::rcLineLost);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  remote.SetDirectNode(nullptr);

  sim::PtyServer second;  // plugged in again: the same name leads to it
  ASSERT_TRUE(second.Start());
  fs::create_symlink(second.DevicePath(), link);
  EXPECT_TRUE(node.ReadVersion(version)) << node.ResultCode().Msg;
  EXPECT_EQ(back.load(), 1);
  EXPECT_FALSE(port.LineLost());
  EXPECT_TRUE(port.GetActive());
  EXPECT_EQ(port.Settings().GetBaudRate(), 115200);

  // Closing by hand ends the watch: nothing is lost any more.
  port.SetActive(false);
  EXPECT_FALSE(port.LineLost());
  fs::remove(link);
}

}  // namespace
