#include "config/zt_layout.h"
#include "config/zt_module_settings.h"
#include "util/little_endian.h"

namespace config {

namespace {

// Offsets in the PTP record.
constexpr size_t kFlagsAt = 0;
constexpr size_t kTimeoutAt = 1;
constexpr size_t kPingPeriodAt = 3;
constexpr size_t kRetriesAt = 5;
constexpr size_t kRouteAt = 6;  // the route's count byte, then the nodes
constexpr size_t kFixedBytes = kRouteAt;
constexpr size_t kMinCompleteRecord = 9;  // with the route's count byte and two nodes
constexpr uint8_t kEnabledFlag = 0x04;

}  // namespace

std::string TZT_PTPSettings::GetRecord() const {
  std::string record = Section->GetStringDef(kPtpRecordParam, kDefaultPtpRecord);
  // A record too short for the fixed fields cannot be read or patched in
  // place; treat it as absent.
  if (record.size() < kFixedBytes) return std::string(kDefaultPtpRecord);
  return record;
}

std::string TZT_PTPSettings::GetRoute() const {
  const std::string record = GetRecord();
  if (record.size() < kMinCompleteRecord) return {};
  if (record.size() != static_cast<uint8_t>(record[kRouteAt]) + kMinCompleteRecord) return {};
  return record.substr(kRouteAt);
}

uint16_t TZT_PTPSettings::WordAt(size_t offset) const {
  const std::string record = GetRecord();
  return util::LeU16(record, offset);
}

bool TZT_PTPSettings::GetEnabled() const { return (static_cast<uint8_t>(GetRecord()[kFlagsAt]) & kEnabledFlag) != 0; }
uint16_t TZT_PTPSettings::GetTimeout() const { return WordAt(kTimeoutAt); }
uint16_t TZT_PTPSettings::GetPingPeriod() const { return WordAt(kPingPeriodAt); }
uint8_t TZT_PTPSettings::GetRetries() const { return static_cast<uint8_t>(GetRecord()[kRetriesAt]); }

void TZT_PTPSettings::PutByteAt(size_t offset, uint8_t value) {
  std::string record = GetRecord();
  record[offset] = static_cast<char>(value);
  Section->SetString(kPtpRecordParam, record);
}

void TZT_PTPSettings::PutWordAt(size_t offset, uint16_t value) {
  std::string record = GetRecord();
  record.replace(offset, 2, util::LeBytes(value, 2));
  Section->SetString(kPtpRecordParam, record);
}

void TZT_PTPSettings::SetPingPeriod(uint16_t value) { PutWordAt(kPingPeriodAt, value); }
void TZT_PTPSettings::SetTimeout(uint16_t value) { PutWordAt(kTimeoutAt, value); }
// The other flag bits are not kept: the link flag is the only one defined.
void TZT_PTPSettings::SetEnabled(bool value) { PutByteAt(kFlagsAt, value ? kEnabledFlag : 0); }
void TZT_PTPSettings::SetRetries(uint8_t value) { PutByteAt(kRetriesAt, value); }

void TZT_PTPSettings::SetRoute(std::string_view route) {
  std::string record = GetRecord().substr(0, kFixedBytes);
  record.append(route);
  Section->SetString(kPtpRecordParam, record);
}

}  // namespace config
