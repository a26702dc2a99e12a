// vovorctl against a simulated modem it does not own: a configuration write
// interrupted by signals at several moments, and images that are damaged.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/run_ctl.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

namespace {

std::string TempPath(const std::string &name) { return "/tmp/vovor_interrupt_" + std::to_string(getpid()) + "_" + name; }

void WriteText(const std::string &path, const std::string &text) { std::ofstream(path, std::ios::binary) << text; }

struct Spawned {
  pid_t pid = -1;
  std::string errPath;
};

// Starts vovorctl without waiting for it; its errors go to a file.
Spawned SpawnCtl(const std::string &args) {
  Spawned s;
  s.errPath = TempPath("err_" + std::to_string(std::rand()));
  const std::string command = std::string("exec ") + VOVOR_BIN_DIR + "/vovorctl " + args + " >/dev/null 2>" + s.errPath;
  s.pid = fork();
  if (s.pid == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  return s;
}

std::pair<int, std::string> Reap(const Spawned &s) {
  int status = 0;
  waitpid(s.pid, &status, 0);
  std::ifstream in(s.errPath);
  std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  unlink(s.errPath.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), err};
}

class InterruptedWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Start());
    port = "--port " + server.DevicePath() + " --timeout 2000 ";
  }

  // Waits until the simulator has seen `count` requests in all.
  bool WaitForRequests(uint64_t count) {
    for (int i = 0; i < 4000; ++i) {
      if (server.RequestsSeen() >= count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }

  std::string ModemImage() {
    std::string image;
    server.WithModem([&](sim::SimModem &m) {
      const auto &memory = m.State().memory;
      image = memory.config.substr(0, memory.configSize);
    });
    return image;
  }

  sim::PtyServer server;
  std::string port;
};

TEST_F(InterruptedWrite, EachSignalMomentSaysIncompleteAndASecondImportRepairs) {
  const std::string file = TempPath("config.txt");
  auto exported = RunCtl(port + "config export " + file);
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // One change in every module, so a cut anywhere leaves a mixed image.
  std::string changed;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("user.node-name=", 0) == 0) line = "user.node-name=Прерванный";
    if (line.rfind("net.node-id=", 0) == 0) line = "net.node-id=42";
    if (line.rfind("ptp.retries=", 0) == 0) line = "ptp.retries=7";
    changed += line + "\n";
  }
  WriteText(file, changed);

  // Each answer takes a while, so the signal lands with a block in flight.
  sim::Faults slow;
  slow.delayMs = 40;
  server.SetFaults(slow);
  // The import reads the image (a size and 32-byte blocks) before writing
  // the size and 16-byte blocks: signal after 1, 3 and 6 write requests.
  const std::string before = ModemImage();
  for (int writeRequests : {1, 3, 6}) {
    const uint64_t base = server.RequestsSeen();
    Spawned ctl = SpawnCtl(port + "config import " + file);
    ASSERT_TRUE(WaitForRequests(base + 1 + (before.size() + 31) / 32 + writeRequests));
    kill(ctl.pid, SIGINT);
    auto [code, err] = Reap(ctl);
    EXPECT_NE(code, 0) << writeRequests;
    EXPECT_NE(err.find("configuration is incomplete"), std::string::npos) << writeRequests << ": " << err;
    // The block in flight was finished and no further one sent.
    const uint64_t sent = server.RequestsSeen() - base;
    EXPECT_LE(sent, 1 + (before.size() + 31) / 32 + writeRequests + 1) << writeRequests;
    // What the modem now holds is never shown as a plain success unless it is whole.
    auto show = RunCtl(port + "config show");
    if (show.exitCode != 0) {
      EXPECT_NE(show.err.find("повреждён"), std::string::npos) << show.err;
    }
    server.SetFaults(sim::Faults{});
    auto repaired = RunCtl(port + "config import " + file + " --verify");
    EXPECT_EQ(repaired.exitCode, 0) << repaired.err;
    auto after = RunCtl(port + "config show");
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(FieldOf(after.out, "net.node-id"), "42");
    EXPECT_EQ(FieldOf(after.out, "ptp.retries"), "7");
    // Back to the first image for the next moment.
    WriteText(TempPath("before.bin"), before);
    ASSERT_EQ(RunCtl(port + "config import --raw " + TempPath("before.bin")).exitCode, 0);
    server.SetFaults(slow);
  }
  unlink(file.c_str());
  unlink(TempPath("before.bin").c_str());
}

TEST_F(InterruptedWrite, TheFirstSignalWaitsForTheBlockInFlightASecondStopsAtOnce) {
  const size_t readRequests = 1 + (ModemImage().size() + 31) / 32;
  sim::Faults slow;
  slow.delayMs = 40;
  server.SetFaults(slow);
  const uint64_t base = server.RequestsSeen();
  Spawned ctl = SpawnCtl(port + "--attempts 20 config set net.node-id=3");
  // Once the size is written, the modem stops answering: the next block
  // waits out attempt after attempt (20 x 2 s).
  ASSERT_TRUE(WaitForRequests(base + readRequests + 1));
  sim::Faults silent;
  silent.dropNextAnswers = 1000;
  server.SetFaults(silent);
  ASSERT_TRUE(WaitForRequests(base + readRequests + 2));
  kill(ctl.pid, SIGINT);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  int status = 0;
  EXPECT_EQ(waitpid(ctl.pid, &status, WNOHANG), 0) << "the first signal lets the block in flight finish";
  const auto start = std::chrono::steady_clock::now();
  kill(ctl.pid, SIGINT);
  auto [code, err] = Reap(ctl);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << err;
  EXPECT_NE(code, 0);
  EXPECT_NE(err.find("configuration is incomplete"), std::string::npos) << err;
}

TEST_F(InterruptedWrite, DamagedImageIsReportedNotShownAsDefaults) {
  std::string image = ModemImage();
  ASSERT_GT(image.size(), 40u);
  server.WithModem([&](sim::SimModem &m) { m.State().memory.config[image.size() - 3] ^= 0x5A; });

  auto show = RunCtl(port + "config show");
  EXPECT_EQ(show.exitCode, 1);
  EXPECT_EQ(show.out, "");
  EXPECT_NE(show.err.find("повреждён раздел"), std::string::npos) << show.err;
  auto set = RunCtl(port + "config set net.node-id=3");
  EXPECT_EQ(set.exitCode, 1);
  EXPECT_NE(set.err.find("повреждён"), std::string::npos) << set.err;
  const std::string raw = TempPath("damaged.bin");
  auto rawExport = RunCtl(port + "config export --raw " + raw);
  EXPECT_EQ(rawExport.exitCode, 1);
  EXPECT_NE(rawExport.err.find("warning"), std::string::npos);

  // Importing damaged or truncated bytes as an image is refused, unsent.
  const uint64_t seen = server.RequestsSeen();
  WriteText(raw, image.substr(0, image.size() - 10));
  auto truncated = RunCtl(port + "config import --raw " + raw);
  EXPECT_NE(truncated.exitCode, 0);
  EXPECT_NE(truncated.err.find("no configuration image"), std::string::npos) << truncated.err;
  EXPECT_EQ(server.RequestsSeen(), seen);

  // A whole image repairs it.
  WriteText(raw, image);
  EXPECT_EQ(RunCtl(port + "config import --raw " + raw).exitCode, 0);
  EXPECT_EQ(RunCtl(port + "config show").exitCode, 0);
  unlink(raw.c_str());
}

}  // namespace
