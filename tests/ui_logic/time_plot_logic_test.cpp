// The plot model: its time window, axis ranges and summary.
#include <gtest/gtest.h>

#include "ui/widgets/time_plot_logic.h"

using namespace time_plot;

TEST(TimePlot, KeepsOnlyTheWindowBeforeTheNewestSample) {
  PlotModel m(60);
  auto rssi = m.AddSeries("RSSI, dBm");
  auto lqi = m.AddSeries("LQI");
  EXPECT_TRUE(m.Empty());
  for (int t = 0; t <= 100; t += 10) m.Add(rssi, t, -90 - t / 10);
  m.Add(lqi, 95, 47);
  EXPECT_EQ(m.Samples(rssi).size(), 7u);  // 40 .. 100
  EXPECT_EQ(m.Samples(rssi).front().tSec, 40);
  EXPECT_EQ(m.TimeRange().lo, 40);
  EXPECT_EQ(m.TimeRange().hi, 100);
  EXPECT_EQ(m.Summary(), "RSSI, dBm: -100 (min -100, max -94); LQI: 47 (min 47, max 47); 60 с");
  m.Clear();
  EXPECT_TRUE(m.Empty());
  EXPECT_EQ(m.Summary(), "RSSI, dBm: нет данных; LQI: нет данных");
}

TEST(TimePlot, ValueAxisOnNiceSteps) {
  PlotModel m(300);
  auto v = m.AddSeries("ext, V");
  m.Add(v, 0, 11.93);
  m.Add(v, 1, 12.07);
  const auto r = m.ValueRange();
  EXPECT_LE(r.lo, 11.93);
  EXPECT_GE(r.hi, 12.07);
  EXPECT_LT(r.hi - r.lo, 1.0);
  const auto ticks = m.ValueTicks(5);
  ASSERT_GE(ticks.size(), 2u);
  EXPECT_EQ(TickText(ticks[0], ticks[1] - ticks[0]).find('.') != std::string::npos, true);

  PlotModel flat(300);
  auto s = flat.AddSeries("LQI");
  flat.Add(s, 0, 47);
  flat.Add(s, 1, 47);
  EXPECT_LT(flat.ValueRange().lo, 47);
  EXPECT_GT(flat.ValueRange().hi, 47);
  // A value that is no number is left out rather than bending the axis.
  flat.Add(s, 2, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(flat.Samples(s).size(), 2u);

  EXPECT_EQ(NiceStep(7, 5), 2);
  EXPECT_EQ(NiceStep(0.14, 5), 0.05);
  EXPECT_EQ(NiceStep(100, 5), 20);
  EXPECT_EQ(TickText(-96, 2), "-96");
  EXPECT_EQ(TickText(12.05, 0.05), "12.05");
}
