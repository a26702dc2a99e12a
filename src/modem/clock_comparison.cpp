#include "modem/clock_comparison.h"

#include <cmath>

#include "util/format.h"

namespace modem::clock_text {

std::string ClockText(const modem::TDateTime &t) {
  return util::Format("%2.2d/%2.2d/%4.4d  %2.2d:%2.2d:%2.2d.%3.3d", t.Day, t.Month, t.Year, t.Hour, t.Minute, t.Second,
                      t.Millisecond);
}

int64_t ClockDeltaMs(const modem::TDateTime &device, const modem::TDateTime &computer) {
  const int64_t d = modem::ToMilliseconds(device) - modem::ToMilliseconds(computer);
  return d < 0 ? -d : d;
}

std::string ComparisonText(const modem::TDateTime &device, const modem::TDateTime &computer) {
  return util::Format("Device: %s   Computer: %s  Delta: %d msec", ClockText(device), ClockText(computer),
                      ClockDeltaMs(device, computer));
}

void ClockDrift::AddReading(const modem::TDateTime &device, const modem::TDateTime &computer) {
  const int64_t computerMs = modem::ToMilliseconds(computer);
  // A reading older than the last (the computer's clock was put back) makes
  // the series meaningless.
  if (!readings_.empty() && computerMs < readings_.back().computerMs) readings_.clear();
  readings_.push_back({computerMs, modem::ToMilliseconds(device) - computerMs});
}

int64_t ClockDrift::SpanMs() const {
  return readings_.size() < 2 ? 0 : readings_.back().computerMs - readings_.front().computerMs;
}

std::optional<double> ClockDrift::MsPerHour() const {
  if (SpanMs() < kMinSpanMs) return std::nullopt;
  // Times relative to the first reading keep the sums small and exact.
  const auto &first = readings_.front();
  double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const auto &r : readings_) {
    const double x = static_cast<double>(r.computerMs - first.computerMs);
    const double y = static_cast<double>(r.offsetMs - first.offsetMs);
    n += 1;
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  const double denominator = n * sxx - sx * sx;
  if (denominator <= 0) return std::nullopt;
  return (n * sxy - sx * sy) / denominator * 3'600'000.0;
}

std::string ClockDrift::Text() const {
  if (readings_.empty()) return "Дрейф часов: нет измерений";
  const auto drift = MsPerHour();
  if (!drift)
    return util::Format("Дрейф часов: нужно ещё чтение, не раньше чем через %d с после первого", kMinSpanMs / 1000);
  return util::Format("Дрейф часов: %s%.1f мс/ч (чтений: %d, за %d с)", *drift >= 0 ? "+" : "", *drift,
                      static_cast<int64_t>(readings_.size()), SpanMs() / 1000);
}

}  // namespace modem::clock_text
