#include "config/zt_layout.h"
#include "config/zt_module_settings.h"

namespace config {

uint8_t TZT_ZTUARTSettings::GetByteTimeout() const {
  return Section->GetByteDef(kByteTimeoutParam, kDefaultByteTimeout);
}
uint16_t TZT_ZTUARTSettings::GetPacketTimeout() const {
  return Section->GetWordDef(kPacketTimeoutParam, kDefaultPacketTimeout);
}
void TZT_ZTUARTSettings::SetByteTimeout(uint8_t value) { Section->SetByte(kByteTimeoutParam, value); }
void TZT_ZTUARTSettings::SetPacketTimeout(uint16_t value) { Section->SetWord(kPacketTimeoutParam, value); }

}  // namespace config
