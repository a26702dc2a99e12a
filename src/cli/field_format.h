#pragma once
// How vovorctl writes the values it prints.
#include <cstdint>
#include <string>

#include "modem/rtc_record.h"

namespace cli {

// 2024-03-01 12:34:56.785
std::string FormatClock(const modem::TDateTime &t);
// Two decimals, a point as separator, whatever the locale: scripts read it.
std::string FormatVolts(double volts);
// 0x0D
std::string FormatHexByte(uint8_t value);

}  // namespace cli
