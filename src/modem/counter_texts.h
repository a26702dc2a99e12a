#pragma once
// The "Info" page without Qt: tick counter and work time, main-cycle rate,
// EEPROM test time and supply state as their labels show them.
#include <cstdint>
#include <string>

namespace modem::counter_text {

inline constexpr char kNoCycleTime[] = "????";
inline constexpr char kNoSupplyState[] = "???";
inline constexpr char kNoDeviceName[] = "???";

// "<hex> (<tick>) Work time: <s> sec (<d> days, hh h, mm min, ss sec)".
std::string TickText(const std::string &tickHex);
// The cycle timing against the tick counter; "????" unless the timing is
// 5 bytes. A tick count of 0 gives no rate rather than a division by zero.
std::string CycleText(const std::string &cycleHex, uint32_t tick);
std::string EepromText(uint16_t readTime);
std::string SupplyText(bool mains, double externalVolts, double internalVolts);

}  // namespace modem::counter_text
