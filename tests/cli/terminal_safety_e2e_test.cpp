// What vovorctl prints and sends stays within bounds: a device's texts reach
// the terminal with their control characters escaped, and a command longer
// than a frame carries is refused, not cut.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "modem/frame_codec.h"
#include "run_ctl.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

TEST(CtlTerminalSafety, DeviceTextsHaveTheirControlCharactersEscaped) {
  sim::PtyServer server;
  ASSERT_TRUE(server.Start());
  server.WithModem([](sim::SimModem &m) { m.State().deviceName = "EVIL\x1B]0;owned\x07\r"; });
  auto name = RunCtl("--port " + server.DevicePath() + " info");
  EXPECT_EQ(FieldOf(name.out, "name"), "EVIL\\x1B]0;owned\\x07\\x0D") << name.err;
  EXPECT_EQ(name.out.find('\x1B'), std::string::npos);
}

TEST(CtlTerminalSafety, SendRefusesACommandLongerThanAFrameCarries) {
  // Through a file: the shell's own command line could not carry it.
  const std::string file = "/tmp/vovor_send_" + std::to_string(getpid());
  std::ofstream(file) << std::string(2 * (modem::kMaxCommandBytes + 1), 'A');
  auto tooLong = RunCtl("--sim send $(cat " + file + ")");
  std::remove(file.c_str());
  EXPECT_EQ(tooLong.exitCode, 2);
  EXPECT_NE(tooLong.err.find("at most"), std::string::npos) << tooLong.err;
  EXPECT_EQ(tooLong.out, "");
}
