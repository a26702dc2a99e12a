#pragma once
// The "RTC" page without Qt: the comparison of the modem's clock with the
// computer's, and the drift of the one against the other.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modem/rtc_record.h"

namespace modem::clock_text {

inline constexpr char kNoClock[] = "No info";

// "dd/mm/yyyy  hh:nn:ss.zzz"
std::string ClockText(const modem::TDateTime &t);
// |device - computer| in whole milliseconds, in 64 bits: a clock never set
// is centuries off.
int64_t ClockDeltaMs(const modem::TDateTime &device, const modem::TDateTime &computer);
// "Device: …   Computer: …  Delta: … msec"
std::string ComparisonText(const modem::TDateTime &device, const modem::TDateTime &computer);

// How fast the modem's clock runs against the computer's, from successive
// readings: the slope of (device - computer) over computer time, by least
// squares, in ms per hour. Setting the clock starts a new series.
class ClockDrift {
 public:
  void AddReading(const modem::TDateTime &device, const modem::TDateTime &computer);
  void Reset() { readings_.clear(); }
  // Nothing until two readings lie at least kMinSpanMs apart.
  std::optional<double> MsPerHour() const;
  // "Дрейф часов: +12.3 мс/ч (чтений: 5, за 600 с)", or what is missing.
  std::string Text() const;

  static constexpr int64_t kMinSpanMs = 10'000;

 private:
  struct Reading {
    int64_t computerMs;
    int64_t offsetMs;  // device minus computer, signed
  };
  int64_t SpanMs() const;
  std::vector<Reading> readings_;
};

}  // namespace modem::clock_text
