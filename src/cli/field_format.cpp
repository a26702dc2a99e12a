#include "cli/field_format.h"

#include "util/format.h"

namespace cli {

std::string FormatClock(const modem::TDateTime &t) {
  return util::Format("%4.4d-%2.2d-%2.2d %2.2d:%2.2d:%2.2d.%3.3d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second,
                      t.Millisecond);
}

std::string FormatVolts(double volts) { return util::Format("%3f", volts); }

std::string FormatHexByte(uint8_t value) { return util::Format("0x%2.2x", value); }

}  // namespace cli
