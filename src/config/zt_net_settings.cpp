#include "config/zt_layout.h"
#include "config/zt_module_settings.h"

namespace config {

uint16_t TZT_ZTNETSettings::GetNetWord() const { return Section->GetWordDef(kNetWordParam, kDefaultNetWord); }
uint8_t TZT_ZTNETSettings::GetNetId() const { return static_cast<uint8_t>(GetNetWord() & 0xFF); }
uint8_t TZT_ZTNETSettings::GetNodeId() const { return static_cast<uint8_t>(GetNetWord() >> 8); }
uint16_t TZT_ZTNETSettings::GetNetParam2() const { return Section->GetWordDef(kNetParam2Param, kDefaultNetParam2); }

void TZT_ZTNETSettings::SetNetWord(uint16_t value) { Section->SetWord(kNetWordParam, value); }
void TZT_ZTNETSettings::SetNetId(uint8_t value) { SetNetWord(static_cast<uint16_t>((GetNetWord() & 0xFF00) | value)); }
void TZT_ZTNETSettings::SetNodeId(uint8_t value) {
  SetNetWord(static_cast<uint16_t>((GetNetWord() & 0x00FF) | (value << 8)));
}
void TZT_ZTNETSettings::SetNetParam2(uint16_t value) { Section->SetWord(kNetParam2Param, value); }

}  // namespace config
