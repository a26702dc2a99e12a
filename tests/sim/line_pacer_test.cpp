#include "sim/line_pacer.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

TEST(LinePacer, WireTimeIsTenBitsPerByte) {
  EXPECT_EQ(WireTime(96, 9600), milliseconds(100));
  EXPECT_EQ(WireTime(1, 115200), Nanos(86805));
  EXPECT_EQ(WireTime(1000, 0), Nanos(0));
}

TEST(LinePacer, PacedPlanFollowsTheByteClockInChunks) {
  struct Case {
    size_t length;
    uint32_t baud;
    bool split;
  };
  for (const Case c : {Case{100, 9600, false}, Case{1000, 115200, false}, Case{7, 9600, true}, Case{1, 300, false}}) {
    const auto plan = PlanTransmission(c.length, c.baud, c.split);
    ASSERT_FALSE(plan.empty());
    EXPECT_EQ(plan.back().end, c.length);
    // The last byte arrives exactly when the line would deliver it.
    EXPECT_EQ(plan.back().at, WireTime(c.length, c.baud));
    size_t previous = 0;
    for (const WriteStep &step : plan) {
      EXPECT_GT(step.end, previous);
      // No byte leaves before it could have crossed the line.
      EXPECT_GE(step.at, WireTime(step.end, c.baud));
      if (c.split) {
        EXPECT_EQ(step.end, previous + 1);
      }
      previous = step.end;
    }
    // Few wake-ups: about one per kPacedChunk of line time, not one per byte.
    if (!c.split) {
      EXPECT_LE(plan.size(), WireTime(c.length, c.baud) / (kPacedChunk / 2) + 2);
    }
  }
}

TEST(LinePacer, UnpacedPlans) {
  auto plan = PlanTransmission(20, 0, false);
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].end, 20u);
  EXPECT_EQ(plan[0].at, Nanos(0));
  plan = PlanTransmission(3, 0, true);
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[2].end, 3u);
  EXPECT_EQ(plan[2].at, 2 * kSplitGap);
  EXPECT_TRUE(PlanTransmission(0, 9600, false).empty());
}

}  // namespace
}  // namespace sim
