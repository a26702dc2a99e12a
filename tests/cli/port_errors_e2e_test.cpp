// A port that will not open says why on the error stream, with the kind of
// failure scripts and people can act on; the exit status stays 3.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "port/port.h"
#include "run_ctl.h"
#include "support/pty_pair.h"

using cli_test::RunCommand;
using cli_test::RunCtl;

TEST(CtlPortErrors, EachRefusedPortNamesItsKind) {
  // A line held by another program: this test's own open of it.
  testing_support::PtyPair pty;
  ASSERT_TRUE(pty.ok());
  port::TPort holder;
  holder.Settings().SetPortName(pty.SlavePath());
  holder.SetActive(true);
  ASSERT_TRUE(holder.GetActive()) << holder.LastError();

  const struct {
    std::string port;
    std::string kind;
  } cases[] = {
      {"/dev/no-such-modem-line", "not found"},
      {"/dev/null", "not a serial line"},
      {pty.SlavePath(), "busy"},
  };
  for (const auto &c : cases) {
    auto run = RunCtl("--port " + c.port + " version");
    EXPECT_EQ(run.exitCode, 3) << c.port;
    EXPECT_EQ(run.err.rfind("error: cannot open " + c.port + ": " + c.kind + ": ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find("dialout"), std::string::npos) << "the group hint is for refused permission only";
  }
}

TEST(CtlPortErrors, ASimulatedModemThatCannotStartSaysWhy) {
#ifdef VOVOR_SANITIZED
  // vovorctl's sanitizer runtime needs descriptors and misreports when starved of them.
  GTEST_SKIP() << "not meaningful under a sanitizer";
#endif
  // Without a free descriptor no pseudo-terminal can be had: descriptors
  // 3 and 4 are all vovorctl gets (its signal watch takes them).
  auto run = RunCommand("(exec 3>&- 4>&-; ulimit -n 5; exec " + std::string(VOVOR_BIN_DIR) + "/vovorctl --sim version)");
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_EQ(run.err.rfind("error: the simulated modem could not start: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("Too many open files"), std::string::npos) << run.err;
}

TEST(CtlPortErrors, NoPermissionTellsHowToJoinTheDialoutGroup) {
  char path[] = "/tmp/vovorctl_lockedXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  chmod(path, 0000);
  // Root may open anything; the refusal is tried as "nobody".
  std::string as;
  if (geteuid() == 0) {
    if (std::system("command -v setpriv >/dev/null 2>&1") != 0) {
      unlink(path);
      GTEST_SKIP() << "setpriv is not installed";
    }
    as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  auto run = RunCommand(as + VOVOR_BIN_DIR + "/vovorctl --port " + path + " version");
  unlink(path);
  if (run.exitCode == 126 || run.exitCode == 127) GTEST_SKIP() << "vovorctl cannot be run as nobody here: " << run.err;
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_EQ(run.err.rfind("error: cannot open " + std::string(path) + ": no permission: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("sudo usermod -aG dialout $USER"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("log in again"), std::string::npos) << run.err;
}
