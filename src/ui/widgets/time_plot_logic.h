#pragma once
// A plot of values over the last minutes without Qt: the samples of each
// series within the time window, the axis ranges and tick values, and a
// summary for screen readers.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace time_plot {

struct Sample {
  double tSec;
  double value;
};

struct Range {
  double lo = 0;
  double hi = 1;
};

class PlotModel {
 public:
  explicit PlotModel(double windowSec) : windowSec_(windowSec) {}

  // A series by its name with unit ("RSSI, dBm"); returns its index.
  size_t AddSeries(const std::string &name);
  // A sample at `tSec` (seconds on any steady clock); samples older than the
  // window before the newest are dropped.
  void Add(size_t series, double tSec, double value);
  void Clear();

  size_t SeriesCount() const { return series_.size(); }
  const std::string &SeriesName(size_t series) const { return series_[series].name; }
  const std::deque<Sample> &Samples(size_t series) const { return series_[series].samples; }
  bool Empty() const;

  // The window ending at the newest sample.
  Range TimeRange() const;
  // Min to max of every sample, widened to whole tick steps; a flat series
  // gets one step either side.
  Range ValueRange() const;
  // Tick values at 1, 2 or 5 times a power of ten, at most `maxTicks`.
  std::vector<double> ValueTicks(int maxTicks) const;
  // "RSSI, dBm: -96 (min -100, max -90); LQI: 47 (min 40, max 50); 120 s"
  std::string Summary() const;

 private:
  struct Series {
    std::string name;
    std::deque<Sample> samples;
  };
  double Step(int maxTicks) const;
  double windowSec_;
  double newest_ = 0;
  std::vector<Series> series_;
};

// A tick step of 1, 2 or 5 times a power of ten covering `span` in at most
// `maxTicks` steps.
double NiceStep(double span, int maxTicks);
// A value as the axis shows it: no decimals unless the step needs them.
std::string TickText(double value, double step);
// A sample value: whole numbers without decimals, others with two.
std::string ValueText(double value);

}  // namespace time_plot
