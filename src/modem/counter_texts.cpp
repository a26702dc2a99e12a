#include "modem/counter_texts.h"

#include "modem/run_counters.h"
#include "util/format.h"

namespace modem::counter_text {

std::string TickText(const std::string &tickHex) {
  const uint32_t tick = modem::TickCountFromHex(tickHex);
  const uint32_t seconds = tick / modem::kTicksPerSecond;
  const std::string s = tickHex + " (" + std::to_string(tick) + ") Work time: " + std::to_string(seconds) + " sec";
  const uint32_t ofDay = seconds % 86400;
  return util::Format("%s (%d days, %2.2d h, %2.2d min, %2.2d sec)", s, seconds / 86400, ofDay / 3600,
                      ofDay % 3600 / 60, ofDay % 60);
}

std::string CycleText(const std::string &cycleHex, uint32_t tick) {
  const auto cycle = modem::DecodeCycleTime(cycleHex);
  if (!cycle) return kNoCycleTime;
  if (tick == 0) return util::Format("%s:  %d time, %d cycles (no tick count, no rate)", cycleHex, cycle->Time, cycle->Cycles);
  const auto rate = static_cast<int64_t>(static_cast<double>(cycle->Cycles) / (tick / double(modem::kTicksPerSecond)));
  return util::Format("%s:  %d time, %d cycles (%d cycles/sec)", cycleHex, cycle->Time, cycle->Cycles, rate);
}

std::string EepromText(uint16_t readTime) { return util::Format("Read time: %d", readTime); }

std::string SupplyText(bool mains, double externalVolts, double internalVolts) {
  return util::Format("%s, %3fV ext, %3fV int", mains ? "AC detected" : "no AC", externalVolts, internalVolts);
}

}  // namespace modem::counter_text
