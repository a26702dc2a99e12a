// What the service pages read from a simulated modem over time: the last
// frame's level wanders, the clock drifts at its crystal's rate, the tick
// counter runs.
#include <gtest/gtest.h>

#include <set>

#include "answer_decoder.h"
#include "sim/clock_record.h"
#include "sim/sim_modem.h"

namespace sim {
namespace {

using sim_test::Bytes;
using sim_test::DecodeBinAnswer;

class ServiceAnswersTest : public ::testing::Test {
 protected:
  int64_t now_ = 50000;
  SimModem modem{[this] { return now_; }};

  std::string Data(const std::string &command) {
    RequestFrame frame;
    frame.destination = 255;
    frame.command = command;
    auto reply = modem.Answer(frame);
    if (!reply) return {};
    auto answer = DecodeBinAnswer(reply->bytes);
    EXPECT_TRUE(answer.ok && answer.status == 0);
    return answer.data;
  }
  static uint32_t U32(const std::string &b, size_t at) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<uint8_t>(b[at + k]);
    return v;
  }
};

TEST_F(ServiceAnswersTest, LastFrameLevelWandersAroundItsCentre) {
  std::set<int> rssi, lqi;
  for (int i = 0; i < 240; ++i) {
    now_ += 250;
    const std::string lps = Data(Bytes({0x1C, 0x06}));
    ASSERT_EQ(lps.size(), 7u);
    rssi.insert(static_cast<uint8_t>(lps[2]));
    lqi.insert(static_cast<uint8_t>(lps[3]));
    // The state holds what was answered.
    EXPECT_EQ(modem.State().lastPacket.rssi, static_cast<uint8_t>(lps[2]));
  }
  EXPECT_GT(rssi.size(), 20u);
  EXPECT_GT(lqi.size(), 3u);
  EXPECT_GE(*rssi.begin(), 0x50 - 24);
  EXPECT_LE(*rssi.rbegin(), 0x50 + 24);
  EXPECT_LE(*lqi.rbegin(), 0x2F);

  // Held still, it answers exactly what it was given.
  modem.State().lastPacket.varies = false;
  modem.State().lastPacket.rssi = 0x12;
  now_ += 250;
  EXPECT_EQ(static_cast<uint8_t>(Data(Bytes({0x1C, 0x06}))[2]), 0x12);
}

TEST_F(ServiceAnswersTest, ClockDriftsAtItsCrystalsRateFromTheTimeItWasSet) {
  // 2024-03-01 12:00:00.000 set, read an hour later: 72 ms fast at 20 ppm.
  const std::string set = Bytes({0x24, 0x02, 0x00, 0xE8, 0x07, 0x03, 0x01, 0x0C, 0x00, 0x00});
  Data(set);
  now_ += 3'600'000;
  const auto clock = Data(Bytes({0x24, 0x01}));
  ASSERT_EQ(clock.size(), 8u);
  EXPECT_EQ(Bytes({72 / 5, 0xE8, 0x07, 0x03, 0x01, 0x0D, 0x00, 0x00}), clock);
  modem.State().clockDriftPpm = 0;
  Data(set);
  now_ += 3'600'000;
  EXPECT_EQ(Bytes({0x00, 0xE8, 0x07, 0x03, 0x01, 0x0D, 0x00, 0x00}), Data(Bytes({0x24, 0x01})));
}

TEST_F(ServiceAnswersTest, TickCounterRunsInFiveMillisecondSteps) {
  const uint32_t first = U32(Data(Bytes({0x16, 0x02})), 0);
  now_ += 1000;
  EXPECT_EQ(U32(Data(Bytes({0x16, 0x02})), 0), first + 200);
}

}  // namespace
}  // namespace sim
