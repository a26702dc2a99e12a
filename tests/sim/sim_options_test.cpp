#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include "sim/sim_modem.h"

namespace sim {
namespace {

TEST(SimOptions, ParsesEveryOption) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(ParseSimOptions({"--address", "0x1B", "--baud", "9600", "--ascii-lowercase", "--no-zero-runs",
                               "--drop", "2", "--corrupt-check", "--noise", "55 AA:00", "--split", "--busy", "3",
                               "--status", "4", "--from-address", "9", "--flood", "5001", "--delay", "120",
                               "--hang-up-after", "7", "--exit-on-stdin-eof"},
                              &options, &error))
      << error;
  EXPECT_EQ(options.address, 0x1B);
  EXPECT_TRUE(options.asciiLowercase);
  EXPECT_FALSE(options.zeroRuns);
  EXPECT_TRUE(options.exitOnStdinEof);
  const Faults &f = options.faults;
  EXPECT_EQ(f.baud, 9600u);
  EXPECT_EQ(f.dropNextAnswers, 2);
  EXPECT_TRUE(f.corruptCheck);
  EXPECT_EQ(f.noiseBefore, std::string("\x55\xAA\x00", 3));
  EXPECT_TRUE(f.splitAnswer);
  EXPECT_EQ(f.busyNextAnswers, 3);
  EXPECT_EQ(f.statusOverride, 4);
  EXPECT_EQ(f.answerFromAddress, 9);
  EXPECT_EQ(f.floodNextBytes, 5001u);
  EXPECT_EQ(f.delayMs, 120u);
  EXPECT_EQ(f.hangUpAfterAnswers, 7);
}

TEST(SimOptions, RejectsBadInputWithAReason) {
  struct Case {
    std::vector<std::string> args;
    const char *reason;
  };
  const Case cases[] = {
      {{"--address", "256"}, "--address: 256 is not a number from 0 to 255"},
      {{"--address", "-1"}, "--address: -1 is not a number from 0 to 255"},
      {{"--baud"}, "--baud needs a value"},
      {{"--delay", "12ms"}, "--delay: 12ms is not a number from 0 to 3600000"},
      {{"--noise", "ABC"}, "--noise: ABC is not a sequence of hex bytes"},
      {{"--frobnicate"}, "unknown option --frobnicate"},
      {{"--nodes", "1,,2"}, "--nodes: 1,,2 is not a list of node addresses such as 1,2,3"},
      {{"--node", "70000"}, "--node: 70000 is not a node address from 0 to 65535"},
      {{"--node", "4:polls"}, "--node: polls is not a node setting"},
      {{"--node", "4:no-answer=1"}, "--node: no-answer=1 is not a node setting"},
      {{"--node", "4:remote-status=300"}, "--node: remote-status=300 is not a node setting"},
  };
  for (const Case &c : cases) {
    SimOptions options;
    options.address = 77;
    std::string error;
    EXPECT_FALSE(ParseSimOptions(c.args, &options, &error));
    EXPECT_EQ(error, c.reason);
    EXPECT_EQ(options.address, 77);  // untouched on failure
  }
}

TEST(SimOptions, SetsUpTheMesh) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(ParseSimOptions({"--address", "5", "--polls", "2", "--nodes", "4,0x10", "--node", "4:polls=0:no-answer",
                               "--mesh-delay", "15", "--node", "16:delay=020", "--node", "9:remote-status=0x13:answer-status=66:empty-answer", "--restart-silence",
                               "50"},
                              &options, &error))
      << error;
  SimModem modem([] { return int64_t{0}; });
  ConfigureModem(options, modem);
  EXPECT_EQ(modem.Address(), 5);
  EXPECT_EQ(modem.State().restartSilenceMs, 50u);
  Mesh &mesh = modem.GetMesh();
  EXPECT_EQ(mesh.Addresses(), (std::vector<uint16_t>{4, 9, 16}));
  EXPECT_EQ(mesh.FindNode(4)->pendingPolls, 0);
  EXPECT_TRUE(mesh.FindNode(4)->faults.noAnswer);
  EXPECT_EQ(mesh.FindNode(16)->pendingPolls, 2);
  EXPECT_EQ(mesh.FindNode(16)->meshDelayMs, 20);  // a leading zero is still decimal
  EXPECT_EQ(mesh.FindNode(4)->meshDelayMs, 15);
  const NodeFaults &f = mesh.FindNode(9)->faults;
  EXPECT_EQ(f.remoteStatus, 0x13);
  EXPECT_EQ(f.answerStatus, 66);
  EXPECT_TRUE(f.emptyAnswer);
  EXPECT_FALSE(f.noAnswer);

  // Without mesh options the default nodes stay; --no-nodes removes them all.
  SimModem plain([] { return int64_t{0}; });
  ASSERT_TRUE(ParseSimOptions({"--polls", "3"}, &options, &error));
  ConfigureModem(options, plain);
  EXPECT_EQ(plain.GetMesh().Addresses(), (std::vector<uint16_t>{1, 2, 3}));
  EXPECT_EQ(plain.GetMesh().FindNode(3)->pendingPolls, 3);
  ASSERT_TRUE(ParseSimOptions({"--no-nodes"}, &options, &error));
  ConfigureModem(options, plain);
  EXPECT_TRUE(plain.GetMesh().Addresses().empty());
}

}  // namespace
}  // namespace sim
