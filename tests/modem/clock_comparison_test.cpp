// The "RTC" page: the clock comparison and the drift estimate.
#include <gtest/gtest.h>

#include "modem/clock_comparison.h"

using modem::TDateTime;
using namespace modem::clock_text;

namespace {
TDateTime At(int64_t msFromEpoch2024) {
  // 2024-03-01 00:00:00.000 plus the milliseconds (within that day).
  TDateTime t{2024, 3, 1, 0, 0, 0, 0};
  t.Hour = static_cast<int>(msFromEpoch2024 / 3'600'000);
  t.Minute = static_cast<int>(msFromEpoch2024 / 60'000 % 60);
  t.Second = static_cast<int>(msFromEpoch2024 / 1000 % 60);
  t.Millisecond = static_cast<int>(msFromEpoch2024 % 1000);
  return t;
}
}  // namespace

TEST(RtcTabLogic, ComparisonLine) {
  const TDateTime device{2024, 3, 1, 12, 34, 56, 785};
  const TDateTime computer{2024, 3, 1, 12, 35, 0, 5};
  EXPECT_EQ(ComparisonText(device, computer),
            "Device: 01/03/2024  12:34:56.785   Computer: 01/03/2024  12:35:00.005  Delta: 3220 msec");
  EXPECT_EQ(ClockDeltaMs(computer, device), 3220);
}

TEST(RtcTabLogic, AClockNeverSetIsCenturiesOffWithoutOverflow) {
  const TDateTime never{2000, 1, 1, 0, 0, 0, 0};
  const TDateTime now{2024, 3, 1, 12, 0, 0, 0};
  EXPECT_EQ(ClockDeltaMs(never, now), 762'609'600'000);
  EXPECT_NE(ComparisonText(never, now).find("Delta: 762609600000 msec"), std::string::npos);
  const TDateTime first{1, 1, 1, 0, 0, 0, 0};
  const TDateTime last{9999, 12, 31, 23, 59, 59, 995};
  EXPECT_EQ(ClockDeltaMs(first, last), 315'537'897'599'995);
}

TEST(RtcTabLogic, DriftIsTheSlopeOfTheOffset) {
  ClockDrift drift;
  EXPECT_EQ(drift.Text(), "Дрейф часов: нет измерений");
  // The modem gains 10 ms every minute (600 ms an hour), with ±5 ms of
  // reading noise that a least-squares slope averages out (this noise has
  // no trend of its own).
  const int noise[] = {0, 5, -5, 0, -5, 5, 0};
  for (int i = 0; i < 7; ++i) {
    int64_t computer = 1000 + i * 60'000;
    drift.AddReading(At(computer + 2000 + 10 * i + noise[i]), At(computer));
    if (i == 0) {
      EXPECT_FALSE(drift.MsPerHour());
      EXPECT_NE(drift.Text().find("нужно ещё чтение"), std::string::npos);
    }
  }
  ASSERT_TRUE(drift.MsPerHour());
  EXPECT_NEAR(*drift.MsPerHour(), 600.0, 1.0);
  EXPECT_EQ(drift.Text(), "Дрейф часов: +600.0 мс/ч (чтений: 7, за 360 с)");

  // Readings within the minimum span give no figure; a computer clock put
  // back starts the series anew.
  drift.AddReading(At(100), At(50));
  EXPECT_FALSE(drift.MsPerHour());
  drift.Reset();
  drift.AddReading(At(0), At(0));
  drift.AddReading(At(3'600'000 - 900), At(3'600'000));
  EXPECT_NEAR(*drift.MsPerHour(), -900.0, 1e-6);
  EXPECT_EQ(drift.Text(), "Дрейф часов: -900.0 мс/ч (чтений: 2, за 3600 с)");
}
