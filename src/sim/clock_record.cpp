#include "sim/clock_record.h"

#include <chrono>
#include <ctime>

#include "sim/record_bytes.h"

namespace sim {

namespace {

using namespace std::chrono;

constexpr int kFirstYear = 1970;
constexpr int kLastYear = 9999;

}  // namespace

std::string EncodeClockRecord(int64_t civilMs) {
  const milliseconds t{civilMs};
  const sys_days day = floor<days>(sys_time<milliseconds>(t));
  const year_month_day ymd{day};
  const auto inDay = t - day.time_since_epoch();
  const hh_mm_ss<milliseconds> hms{inDay};
  std::string out;
  PutU8(out, static_cast<uint8_t>(hms.subseconds().count() / 5));
  util::AppendLe16(out, static_cast<uint16_t>(static_cast<int>(ymd.year())));
  PutU8(out, static_cast<uint8_t>(static_cast<unsigned>(ymd.month())));
  PutU8(out, static_cast<uint8_t>(static_cast<unsigned>(ymd.day())));
  PutU8(out, static_cast<uint8_t>(hms.hours().count()));
  PutU8(out, static_cast<uint8_t>(hms.minutes().count()));
  PutU8(out, static_cast<uint8_t>(hms.seconds().count()));
  return out;
}

std::optional<int64_t> DecodeClockRecord(std::string_view record) {
  if (record.size() != kClockRecordSize) return std::nullopt;
  const unsigned fifths = ByteAt(record, 0);
  const int y = util::LeU16(record, 1);
  const unsigned mo = ByteAt(record, 3), d = ByteAt(record, 4);
  const unsigned h = ByteAt(record, 5), mi = ByteAt(record, 6), s = ByteAt(record, 7);
  const year_month_day ymd{year{y}, month{mo}, day{d}};
  if (y < kFirstYear || y > kLastYear || !ymd.ok() || fifths >= 200 || h > 23 || mi > 59 || s > 59)
    return std::nullopt;
  const auto t = sys_days{ymd}.time_since_epoch() + hours{h} + minutes{mi} + seconds{s} + milliseconds{fifths * 5};
  return duration_cast<milliseconds>(t).count();
}

int64_t LocalCivilNowMs() {
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  ::localtime_r(&seconds, &local);
  return duration_cast<milliseconds>(now.time_since_epoch()).count() + static_cast<int64_t>(local.tm_gmtoff) * 1000;
}

}  // namespace sim
