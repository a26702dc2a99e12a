#pragma once
// The modem's real-time clock record: ms/5, year (low byte first), month,
// day, hour, minute, second. Times here are local wall-clock times counted
// in milliseconds from 1970-01-01 00:00, with no time zone attached.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

inline constexpr size_t kClockRecordSize = 8;

std::string EncodeClockRecord(int64_t civilMs);
// Nothing for a record of another size or an impossible date or time.
std::optional<int64_t> DecodeClockRecord(std::string_view record);
// The workstation's local time now.
int64_t LocalCivilNowMs();

}  // namespace sim
