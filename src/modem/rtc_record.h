#pragma once
// The modem's clock record, 8 bytes in both directions: milliseconds / 5,
// year (low byte first), month, day, hour, minute, second.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modem {

// A calendar date and time of day, as the clock and the workstation keep it
// (local time, no zone).
struct TDateTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
  bool operator==(const TDateTime &) const = default;
};

// A date that exists (years 1..9999) and a time of day below 24:00.
bool IsValidDateTime(const TDateTime &t);

// The workstation's current local date and time.
TDateTime LocalNow();

// Milliseconds from 0001-01-01 00:00 to `t`; differences give the gap
// between two valid times.
int64_t ToMilliseconds(const TDateTime &t);

inline constexpr size_t kRtcRecordSize = 8;

// The 8-byte record of a valid time; the milliseconds lose their last 5 ms.
std::string EncodeRtcRecord(const TDateTime &t);

// The time in a record; nothing when the record is not 8 bytes long or
// holds an impossible date or time (month 0, 31 April, 25 o'clock, ...).
std::optional<TDateTime> DecodeRtcRecord(std::string_view record);

}  // namespace modem
