#pragma once
// The transceiver's register file as a CC2500-family chip keeps it: the
// configuration registers from 0x00, status registers from 0x30, the PA table
// and the FIFO at the top. Command strobes share the status addresses and
// move the radio state machine (MARCSTATE).
#include <array>
#include <cstddef>
#include <cstdint>

namespace sim {

namespace reg {
inline constexpr uint8_t kChannel = 0x0A;     // CHANNR
inline constexpr uint8_t kLastConfig = 0x2E;  // TEST0
inline constexpr uint8_t kPartNumber = 0x30;
inline constexpr uint8_t kVersion = 0x31;
inline constexpr uint8_t kFreqEstimate = 0x32;
inline constexpr uint8_t kLqi = 0x33;
inline constexpr uint8_t kRssi = 0x34;
inline constexpr uint8_t kMarcState = 0x35;
inline constexpr uint8_t kWorTime1 = 0x36;
inline constexpr uint8_t kWorTime0 = 0x37;
inline constexpr uint8_t kPacketStatus = 0x38;
inline constexpr uint8_t kVcoDac = 0x39;
inline constexpr uint8_t kTxBytes = 0x3A;
inline constexpr uint8_t kRxBytes = 0x3B;
inline constexpr uint8_t kPaTable = 0x3E;
inline constexpr uint8_t kFifo = 0x3F;
}  // namespace reg

namespace strobe {
inline constexpr uint8_t kReset = 0x30;    // SRES
inline constexpr uint8_t kFsTxOn = 0x31;   // SFSTXON
inline constexpr uint8_t kXOff = 0x32;     // SXOFF
inline constexpr uint8_t kCalibrate = 0x33;
inline constexpr uint8_t kRx = 0x34;
inline constexpr uint8_t kTx = 0x35;
inline constexpr uint8_t kIdle = 0x36;
inline constexpr uint8_t kAfc = 0x37;
inline constexpr uint8_t kWor = 0x38;
inline constexpr uint8_t kPowerDown = 0x39;
inline constexpr uint8_t kFlushRx = 0x3A;
inline constexpr uint8_t kFlushTx = 0x3B;
inline constexpr uint8_t kWorReset = 0x3C;
inline constexpr uint8_t kNop = 0x3D;
}  // namespace strobe

namespace marc {
inline constexpr uint8_t kSleep = 0;
inline constexpr uint8_t kIdle = 1;
inline constexpr uint8_t kXOff = 2;
inline constexpr uint8_t kRx = 13;
inline constexpr uint8_t kRxOverflow = 17;
inline constexpr uint8_t kFsTxOn = 18;
inline constexpr uint8_t kTx = 19;
inline constexpr uint8_t kTxUnderflow = 22;
}  // namespace marc

class RegisterFile {
 public:
  static constexpr size_t kSize = 64;
  using Image = std::array<uint8_t, kSize>;

  RegisterFile() { PowerOn(); }

  // The chip's reset values, with the radio listening as the firmware leaves it.
  void PowerOn();
  const Image &Values() const { return regs_; }
  uint8_t Get(uint8_t address) const { return address < kSize ? regs_[address] : 0; }
  // False for an address that holds no writable register (0x2F, the status
  // registers, anything past 0x3F). A write to the FIFO queues one byte.
  bool Write(uint8_t address, uint8_t value);
  // False for a code that is not a strobe (0x30..0x3D).
  bool Strobe(uint8_t code);
  // Any address as the chip would report it (a status register too), for
  // tests that need a value byte by byte.
  void Set(uint8_t address, uint8_t value) {
    if (address < kSize) regs_[address] = value;
  }
  uint8_t MarcState() const { return regs_[reg::kMarcState]; }
  void SetMarcState(uint8_t state) { regs_[reg::kMarcState] = state; }

 private:
  void ResetConfiguration();

  Image regs_{};
};

}  // namespace sim
