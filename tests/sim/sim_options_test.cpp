#include "sim/sim_options.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

TEST(SimOptions, ParsesEveryOption) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(ParseSimOptions({"--address", "0x1B", "--baud", "9600", "--ascii-lowercase", "--no-zero-runs",
                               "--drop", "2", "--corrupt-check", "--noise", "55 AA:00", "--split", "--busy", "3",
                               "--status", "4", "--from-address", "9", "--flood", "5001", "--delay", "120",
                               "--exit-on-stdin-eof"},
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

}  // namespace
}  // namespace sim
