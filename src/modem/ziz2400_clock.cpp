// The real-time clock and the run-time counters.
#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"

namespace modem {

using device::rcBadDateTime;
using device::rcBadFormat;
using device::TResultCode;

bool ZIZ2400::ReadRtc(TDateTime &dateTime) {
  return RunOperation("Чтение RTC", "2401", TAnswerForm::Exactly(kRtcRecordSize), [&](const std::string &data) -> std::optional<TResultCode> {
    // A short or long record is a failure the log must show, not an "OK"
    // that returns false; an impossible date fails as one.
    if (DataByteCount(data) != kRtcRecordSize) return rcBadFormat;
    auto decoded = DecodeRtcRecord(DataBytes(data));
    if (!decoded) return rcBadDateTime;
    dateTime = *decoded;
    return std::nullopt;
  });
}

bool ZIZ2400::WriteRtc(const TDateTime &dateTime) {
  // A time that does not exist has no record to send.
  if (!IsValidDateTime(dateTime)) return RefuseOperation("Установка RTC", rcBadDateTime);
  return RunOperation("Установка RTC", "2402" + util::BytesToHex(EncodeRtcRecord(dateTime)));
}

bool ZIZ2400::ReadTickCounter(std::string &text) {
  text.clear();
  return RunOperation("Чтение счетчика выполнения ", "1602", [&](const std::string &data) -> std::optional<TResultCode> {
    text = data;
    return std::nullopt;
  });
}

bool ZIZ2400::ReadCycleTime(std::string &text) {
  text.clear();
  return RunOperation("Время выполнения цикла ", "1603", [&](const std::string &data) -> std::optional<TResultCode> {
    text = data;
    return std::nullopt;
  });
}

bool ZIZ2400::ReadEepromTestTime(uint16_t &value) {
  value = 0;
  // The same action text as the clock read: that is how the log names it.
  return RunOperation("Чтение RTC", "26", [&](const std::string &data) -> std::optional<TResultCode> {
    if (DataByteCount(data) < 1) return rcBadFormat;
    value = util::HexPairValue(data, 0);
    return std::nullopt;
  });
}

}  // namespace modem
