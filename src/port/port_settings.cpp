#include "port/port_settings.h"

namespace port {

TPortSettings::TPortSettings() {
  dcb_.DCBlength = 28;
  dcb_.Flags = dcb::fBinary | dcb::fParity;
  dcb_.BaudRate = 19200;
  dcb_.ByteSize = 8;
  dcb_.StopBits = static_cast<uint8_t>(TStopBits::One);
  dcb_.Parity = static_cast<uint8_t>(TParitys::None);
  SetDTRControl(TDTRControl::DTR_ENABLE);
  SetRTSControl(TRTSControl::RTS_DISABLE);
}

void TPortSettings::Assign(const TPortSettings &other) {
  dcb_ = other.dcb_;
  portName_ = other.portName_;
}

TDTRControl TPortSettings::GetDTRControl() const {
  return static_cast<TDTRControl>((dcb_.Flags & dcb::fDtrControlMask) >> dcb::fDtrControlShift);
}

void TPortSettings::SetDTRControl(TDTRControl v) {
  dcb_.Flags = (dcb_.Flags & ~dcb::fDtrControlMask) | ((static_cast<uint32_t>(v) << dcb::fDtrControlShift) & dcb::fDtrControlMask);
}

TRTSControl TPortSettings::GetRTSControl() const {
  return static_cast<TRTSControl>((dcb_.Flags & dcb::fRtsControlMask) >> dcb::fRtsControlShift);
}

void TPortSettings::SetRTSControl(TRTSControl v) {
  dcb_.Flags = (dcb_.Flags & ~dcb::fRtsControlMask) | ((static_cast<uint32_t>(v) << dcb::fRtsControlShift) & dcb::fRtsControlMask);
}

std::string TPortSettings::GetDescription(bool name, bool baud, bool dataBits, bool parity, bool stopBits,
                                          bool shortParity) const {
  static const char *const kShort[] = {"N", "O", "E", "M", "S"};
  static const char *const kLong[] = {"None", "Odd", "Even", "Mark", "Single"};
  static const char *const kStop[] = {"1", "1.5", "2"};
  const bool anyFrame = dataBits || parity || stopBits;
  std::string out;
  if (name) {
    out += portName_;
    if (baud || anyFrame) out += ", ";
  }
  if (baud) {
    out += std::to_string(dcb_.BaudRate);
    if (anyFrame) out += ", ";
  }
  if (dataBits) out += std::to_string(dcb_.ByteSize);
  if (parity && dcb_.Parity < 5) out += shortParity ? kShort[dcb_.Parity] : kLong[dcb_.Parity];
  if (stopBits && dcb_.StopBits < 3) out += kStop[dcb_.StopBits];
  return out;
}

}  // namespace port
