#pragma once
// Line settings of a serial port: the port name, one line-state record laid
// out like the classic DCB (so the same flag bits and codes mean the same
// thing wherever the settings travel), and a pause before sending.
#include <cstdint>
#include <string>

namespace port {

enum class TStopBits : uint8_t { One, OneAndHalf, Two };
enum class TParitys : uint8_t { None, Odd, Even, Mark, Space };
enum class TDTRControl : uint8_t { DTR_DISABLE, DTR_ENABLE, DTR_HANDHSAKE };
enum class TRTSControl : uint8_t { RTS_DISABLE, RTS_ENABLE, RTS_HANDHSAKE, RTS_TOGGLE };

// Flag bits of TDcb::Flags.
namespace dcb {
inline constexpr uint32_t fBinary = 0x0001;
inline constexpr uint32_t fParity = 0x0002;
inline constexpr uint32_t fOutxCtsFlow = 0x0004;
inline constexpr uint32_t fOutxDsrFlow = 0x0008;
inline constexpr uint32_t fDtrControlShift = 4;  // two bits
inline constexpr uint32_t fDtrControlMask = 0x0030;
inline constexpr uint32_t fDsrSensitivity = 0x0040;
inline constexpr uint32_t fTXContinueOnXoff = 0x0080;
inline constexpr uint32_t fOutX = 0x0100;
inline constexpr uint32_t fInX = 0x0200;
inline constexpr uint32_t fErrorChar = 0x0400;
inline constexpr uint32_t fNull = 0x0800;
inline constexpr uint32_t fRtsControlShift = 12;  // two bits
inline constexpr uint32_t fRtsControlMask = 0x3000;
inline constexpr uint32_t fAbortOnError = 0x4000;
}  // namespace dcb

struct TDcb {
  uint32_t DCBlength = 28;
  uint32_t BaudRate = 0;
  uint32_t Flags = 0;
  uint16_t wReserved = 0;
  uint16_t XonLim = 0;
  uint16_t XoffLim = 0;
  uint8_t ByteSize = 0;
  uint8_t Parity = 0;
  uint8_t StopBits = 0;
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
  uint16_t wReserved1 = 0;
};

class TPortSettings {
 public:
  TPortSettings();

  // Copies the line-state record and the port name; the line pause stays.
  void Assign(const TPortSettings &other);

  const TDcb &Dcb() const { return dcb_; }

  const std::string &GetPortName() const { return portName_; }
  void SetPortName(const std::string &v) { portName_ = v; }
  int GetBaudRate() const { return static_cast<int>(dcb_.BaudRate); }
  void SetBaudRate(int v) { dcb_.BaudRate = static_cast<uint32_t>(v); }
  uint8_t GetDataBits() const { return dcb_.ByteSize; }
  void SetDataBits(uint8_t v) { dcb_.ByteSize = v; }
  TStopBits GetStopBits() const { return static_cast<TStopBits>(dcb_.StopBits); }
  void SetStopBits(TStopBits v) { dcb_.StopBits = static_cast<uint8_t>(v); }
  TParitys GetParity() const { return static_cast<TParitys>(dcb_.Parity); }
  void SetParity(TParitys v) { dcb_.Parity = static_cast<uint8_t>(v); }

  bool GetOutXCTSFlow() const { return Flag(dcb::fOutxCtsFlow); }
  void SetOutXCTSFlow(bool v) { SetFlag(dcb::fOutxCtsFlow, v); }
  bool GetOutXDSRFlow() const { return Flag(dcb::fOutxDsrFlow); }
  void SetOutXDSRFlow(bool v) { SetFlag(dcb::fOutxDsrFlow, v); }
  TDTRControl GetDTRControl() const;
  void SetDTRControl(TDTRControl v);
  TRTSControl GetRTSControl() const;
  void SetRTSControl(TRTSControl v);
  bool GetDSRSensitivity() const { return Flag(dcb::fDsrSensitivity); }
  void SetDSRSensitivity(bool v) { SetFlag(dcb::fDsrSensitivity, v); }
  bool GetTXConfinueOnXOFF() const { return Flag(dcb::fTXContinueOnXoff); }
  void SetTXConfinueOnXOFF(bool v) { SetFlag(dcb::fTXContinueOnXoff, v); }
  bool GetOutX() const { return Flag(dcb::fOutX); }
  void SetOutX(bool v) { SetFlag(dcb::fOutX, v); }
  bool GetInX() const { return Flag(dcb::fInX); }
  void SetInX(bool v) { SetFlag(dcb::fInX, v); }
  bool GetErrorCharReplace() const { return Flag(dcb::fErrorChar); }
  void SetErrorCharReplace(bool v) { SetFlag(dcb::fErrorChar, v); }
  bool GetDiscardNulls() const { return Flag(dcb::fNull); }
  void SetDiscardNulls(bool v) { SetFlag(dcb::fNull, v); }
  bool GetAbortOnError() const { return Flag(dcb::fAbortOnError); }
  void SetAbortOnError(bool v) { SetFlag(dcb::fAbortOnError, v); }

  uint16_t GetXonLimit() const { return dcb_.XonLim; }
  void SetXonLimit(uint16_t v) { dcb_.XonLim = v; }
  uint16_t GetXoffLimit() const { return dcb_.XoffLim; }
  void SetXoffLimit(uint16_t v) { dcb_.XoffLim = v; }
  char GetXonChar() const { return dcb_.XonChar; }
  void SetXonChar(char v) { dcb_.XonChar = v; }
  char GetXoffChar() const { return dcb_.XoffChar; }
  void SetXoffChar(char v) { dcb_.XoffChar = v; }
  char GetErrorChar() const { return dcb_.ErrorChar; }
  void SetErrorChar(char v) { dcb_.ErrorChar = v; }
  char GetEOFChar() const { return dcb_.EofChar; }
  void SetEOFChar(char v) { dcb_.EofChar = v; }
  char GetEventChar() const { return dcb_.EvtChar; }
  void SetEventChar(char v) { dcb_.EvtChar = v; }

  uint32_t GetLinePause() const { return linePause_; }
  void SetLinePause(uint32_t ms) { linePause_ = ms; }

  // "COM3, 19200, 8O1" with every part selected and short parity names.
  std::string GetDescription(bool name, bool baud, bool dataBits, bool parity, bool stopBits, bool shortParity) const;

 private:
  bool Flag(uint32_t bit) const { return (dcb_.Flags & bit) != 0; }
  void SetFlag(uint32_t bit, bool v) { dcb_.Flags = v ? (dcb_.Flags | bit) : (dcb_.Flags & ~bit); }

  std::string portName_ = "COM1";
  TDcb dcb_;
  uint32_t linePause_ = 0;
};

}  // namespace port
