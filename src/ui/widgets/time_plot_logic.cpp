#include "ui/widgets/time_plot_logic.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "util/format.h"

namespace time_plot {

size_t PlotModel::AddSeries(const std::string &name) {
  series_.push_back({name, {}});
  return series_.size() - 1;
}

void PlotModel::Add(size_t series, double tSec, double value) {
  if (series >= series_.size() || !std::isfinite(value)) return;
  newest_ = Empty() ? tSec : std::max(newest_, tSec);
  series_[series].samples.push_back({tSec, value});
  for (auto &s : series_)
    while (!s.samples.empty() && s.samples.front().tSec < newest_ - windowSec_) s.samples.pop_front();
}

void PlotModel::Clear() {
  for (auto &s : series_) s.samples.clear();
  newest_ = 0;
}

bool PlotModel::Empty() const {
  return std::all_of(series_.begin(), series_.end(), [](const Series &s) { return s.samples.empty(); });
}

Range PlotModel::TimeRange() const { return {newest_ - windowSec_, newest_}; }

double NiceStep(double span, int maxTicks) {
  if (!(span > 0) || maxTicks < 1) return 1;
  const double raw = span / maxTicks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= raw) return m * power;
  return 10 * power;
}

double PlotModel::Step(int maxTicks) const {
  double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
  for (const auto &s : series_)
    for (const auto &p : s.samples) {
      lo = std::min(lo, p.value);
      hi = std::max(hi, p.value);
    }
  if (lo > hi) return 1;
  return NiceStep(hi > lo ? hi - lo : std::max(1.0, std::fabs(hi)), maxTicks);
}

Range PlotModel::ValueRange() const {
  double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
  for (const auto &s : series_)
    for (const auto &p : s.samples) {
      lo = std::min(lo, p.value);
      hi = std::max(hi, p.value);
    }
  if (lo > hi) return {0, 1};
  const double step = Step(5);
  Range r{std::floor(lo / step) * step, std::ceil(hi / step) * step};
  if (r.hi <= r.lo) {
    r.lo -= step;
    r.hi += step;
  }
  return r;
}

std::vector<double> PlotModel::ValueTicks(int maxTicks) const {
  const Range r = ValueRange();
  const double step = NiceStep(r.hi - r.lo, maxTicks);
  std::vector<double> ticks;
  for (double v = std::ceil(r.lo / step) * step; v <= r.hi + step * 1e-9; v += step)
    ticks.push_back(std::fabs(v) < step * 1e-9 ? 0 : v);
  return ticks;
}

std::string TickText(double value, double step) {
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  return util::Format("%.*f", decimals, value);
}

std::string ValueText(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) return util::Format("%d", static_cast<int64_t>(value));
  return util::Format("%.2f", value);
}

std::string PlotModel::Summary() const {
  std::string out;
  for (const auto &s : series_) {
    if (!out.empty()) out += "; ";
    out += s.name + ": ";
    if (s.samples.empty()) {
      out += "нет данных";
      continue;
    }
    auto [lo, hi] = std::minmax_element(s.samples.begin(), s.samples.end(),
                                        [](const Sample &a, const Sample &b) { return a.value < b.value; });
    out += ValueText(s.samples.back().value) + " (min " + ValueText(lo->value) + ", max " + ValueText(hi->value) + ")";
  }
  if (!Empty()) {
    double first = newest_;
    for (const auto &s : series_)
      if (!s.samples.empty()) first = std::min(first, s.samples.front().tSec);
    out += util::Format("; %d с", static_cast<int64_t>(std::lround(newest_ - first)));
  }
  return out;
}

}  // namespace time_plot
