#include "config/zt_layout.h"
#include "config/zt_module_settings.h"

namespace config {

namespace {
constexpr uint8_t kBaudMask = 0x0F;
constexpr uint8_t kFormatShift = 4;
constexpr uint8_t kFormatMask = 0x03;
}  // namespace

uint8_t TZT_UartSettings::GetLineSettings() const {
  uint8_t line = kDefaultLineByte;
  Section->TryGetByte(kLineByteParam, line);
  return line;
}

uint8_t TZT_UartSettings::GetBaudRateIndex() const { return GetLineSettings() & kBaudMask; }
uint8_t TZT_UartSettings::GetDataFormat() const { return (GetLineSettings() >> kFormatShift) & kFormatMask; }
uint8_t TZT_UartSettings::GetNetAddress() const { return Section->GetByteDef(kNetAddressParam, kDefaultNetAddress); }

// Bits 6..7 of the line byte are not ours; the bit-field writes keep them.
void TZT_UartSettings::SetBaudRateIndex(uint8_t value) {
  SetLineSettings(static_cast<uint8_t>((value & kBaudMask) | (GetLineSettings() & ~kBaudMask)));
}

void TZT_UartSettings::SetDataFormat(uint8_t value) {
  constexpr uint8_t field = kFormatMask << kFormatShift;
  SetLineSettings(static_cast<uint8_t>((GetLineSettings() & ~field) | ((value & kFormatMask) << kFormatShift)));
}

void TZT_UartSettings::SetLineSettings(uint8_t value) { Section->SetByte(kLineByteParam, value); }
void TZT_UartSettings::SetNetAddress(uint8_t value) { Section->SetByte(kNetAddressParam, value); }

}  // namespace config
