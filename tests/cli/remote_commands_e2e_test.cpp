// vovorctl on remote nodes of a vovor-modem-sim started on its own: a node
// with a wide address, and a node that never finishes a command.
#include <gtest/gtest.h>

#include "run_ctl.h"
#include "support/modem_sim_child.h"

namespace {

using cli_test::FieldOf;
using cli_test::RunCtl;
using testing_support::Child;

TEST(CtlRemoteNodes, AWideAddressIsReachedAndANodeThatNeverFinishesTimesOut) {
  Child sim = testing_support::SpawnModemSim({"--node", "291", "--node", "292:delay=3600000"});
  ASSERT_GT(sim.pid, 0);
  const std::string path = testing_support::ReadLine(sim.out);
  ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;

  auto reached = RunCtl("--port " + path + " --remote 291 info");
  EXPECT_EQ(reached.exitCode, 0) << reached.err;
  EXPECT_EQ(FieldOf(reached.out, "name"), "ORVA-SIM-291");

  auto stuck = RunCtl("--port " + path + " --remote 292 --remote-timeout 300 version");
  EXPECT_EQ(stuck.exitCode, 1);
  EXPECT_EQ(stuck.err, "error: 2 нет ответа от удаленного узла за 300 мс\n");

  ::kill(sim.pid, SIGTERM);
  EXPECT_EQ(testing_support::WaitExit(sim.pid), 0);
  ::close(sim.out);
}

TEST(CtlRemoteNodes, TheTimeOutTakesMillisecondsOrZeroForNone) {
  for (const char *bad : {"--remote-timeout", "--remote-timeout -1", "--remote-timeout 3600001",
                          "--remote-timeout 1s"}) {
    auto r = RunCtl(std::string("--sim --remote 2 ") + bad + " version");
    EXPECT_EQ(r.exitCode, 2) << bad;
  }
  auto none = RunCtl("--sim --remote 2 --remote-timeout 0 version");
  EXPECT_EQ(none.exitCode, 0) << none.err;
}

}  // namespace
