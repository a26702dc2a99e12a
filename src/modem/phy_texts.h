#pragma once
// The "PHY" page without Qt: the texts of its labels, with the label markup
// where the label renders it.
#include <cstdint>
#include <string>

#include "modem/ziz2400.h"

namespace modem::phy_text {

// What a label shows when its read failed.
inline constexpr char kNoErrorStats[] = "???";
inline constexpr char kNoTemperature[] = "No info";

// The PHY status record as marked text for `PHYS_L`.
std::string PhyStatusText(const modem::TPhyStatus &buf);
std::string ErrorStatsText(const modem::TPhyErrorStats &buf);
// "CC2500 crystal Temp: 24"
std::string TemperatureText(int16_t degrees);
// The four offsets and their mean in kHz, one a line.
std::string CarrierText(const modem::TCarrierOffsets &buf);
std::string LastPacketText(const modem::TLastPacketStatus &buf);

}  // namespace modem::phy_text
