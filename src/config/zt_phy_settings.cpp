#include "config/zt_layout.h"
#include "config/zt_module_settings.h"

namespace config {

uint8_t TZT_CC1100PHYSettings::GetPhyByte2() const { return Section->GetByteDef(kPhyByte2Param, kDefaultPhyByte2); }
uint8_t TZT_CC1100PHYSettings::GetPhyByte3() const { return Section->GetByteDef(kPhyByte3Param, kDefaultPhyByte3); }
void TZT_CC1100PHYSettings::SetPhyByte2(uint8_t value) { Section->SetByte(kPhyByte2Param, value); }
void TZT_CC1100PHYSettings::SetPhyByte3(uint8_t value) { Section->SetByte(kPhyByte3Param, value); }

}  // namespace config
