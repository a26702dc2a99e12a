#include "modem/rtc_record.h"

#include <chrono>
#include <ctime>
#include "util/little_endian.h"

namespace modem {

namespace {

std::chrono::year_month_day Date(const TDateTime &t) {
  return std::chrono::year_month_day{std::chrono::year{t.Year}, std::chrono::month{static_cast<unsigned>(t.Month)},
                                     std::chrono::day{static_cast<unsigned>(t.Day)}};
}

}  // namespace

bool IsValidDateTime(const TDateTime &t) {
  if (t.Year < 1 || t.Year > 9999 || t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Day > 31) return false;
  if (!Date(t).ok()) return false;
  return t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 && t.Minute < 60 && t.Second >= 0 && t.Second < 60 &&
         t.Millisecond >= 0 && t.Millisecond < 1000;
}

TDateTime LocalNow() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return TDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min,         local.tm_sec,     static_cast<int>(ms < 0 ? ms + 1000 : ms)};
}

int64_t ToMilliseconds(const TDateTime &t) {
  using namespace std::chrono;
  static const sys_days kStart = year_month_day{year{1}, January, day{1}};
  int64_t days = (sys_days{Date(t)} - kStart).count();
  return ((days * 24 + t.Hour) * 60 + t.Minute) * 60000LL + t.Second * 1000LL + t.Millisecond;
}

std::string EncodeRtcRecord(const TDateTime &t) {
  std::string r(kRtcRecordSize, '\0');
  r[0] = static_cast<char>(t.Millisecond / 5);
  r.replace(1, 2, util::LeBytes(static_cast<uint16_t>(t.Year), 2));
  r[3] = static_cast<char>(t.Month);
  r[4] = static_cast<char>(t.Day);
  r[5] = static_cast<char>(t.Hour);
  r[6] = static_cast<char>(t.Minute);
  r[7] = static_cast<char>(t.Second);
  return r;
}

std::optional<TDateTime> DecodeRtcRecord(std::string_view record) {
  if (record.size() != kRtcRecordSize) return std::nullopt;
  auto byte = [&](size_t i) { return static_cast<int>(static_cast<unsigned char>(record[i])); };
  TDateTime t{util::LeU16(record, 1), byte(3), byte(4), byte(5), byte(6), byte(7), byte(0) * 5};
  if (!IsValidDateTime(t)) return std::nullopt;
  return t;
}

}  // namespace modem
