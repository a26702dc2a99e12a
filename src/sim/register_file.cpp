#include "sim/register_file.h"

namespace sim {

namespace {

// CC2500 configuration registers 0x00..0x2E after reset.
constexpr uint8_t kResetValues[reg::kLastConfig + 1] = {
    0x29, 0x2E, 0x3F, 0x07, 0xD3, 0x91, 0xFF, 0x04,  // IOCFG2 .. PKTCTRL1
    0x45, 0x00, 0x00, 0x0F, 0x00, 0x5E, 0xC4, 0xEC,  // PKTCTRL0 .. FREQ0
    0x8C, 0x22, 0x02, 0x22, 0xF8, 0x47, 0x07, 0x30,  // MDMCFG4 .. MCSM1
    0x04, 0x36, 0x6C, 0x03, 0x40, 0x91, 0x87, 0x6B,  // MCSM0 .. WOREVT0
    0xF8, 0x56, 0x10, 0xA9, 0x0A, 0x20, 0x0D, 0x41,  // WORCTRL .. RCCTRL1
    0x00, 0x59, 0x7F, 0x3F, 0x88, 0x31, 0x0B,        // RCCTRL0 .. TEST0
};

constexpr uint8_t kFifoDepth = 64;

}  // namespace

void RegisterFile::ResetConfiguration() {
  for (uint8_t a = 0; a <= reg::kLastConfig; ++a) regs_[a] = kResetValues[a];
  regs_[reg::kTxBytes] = 0;
  regs_[reg::kRxBytes] = 0;
  regs_[reg::kMarcState] = marc::kIdle;
}

void RegisterFile::PowerOn() {
  regs_.fill(0);
  ResetConfiguration();
  regs_[reg::kPartNumber] = 0x80;
  regs_[reg::kVersion] = 0x03;
  regs_[reg::kFreqEstimate] = 0x02;
  regs_[reg::kLqi] = 0x9E;
  regs_[reg::kRssi] = 0xC4;
  regs_[reg::kWorTime1] = 0x00;
  regs_[reg::kWorTime0] = 0x00;
  regs_[reg::kPacketStatus] = 0x10;  // CCA: the channel is clear
  regs_[reg::kVcoDac] = 0x94;
  regs_[reg::kPaTable] = 0xFE;
  regs_[reg::kMarcState] = marc::kRx;
}

bool RegisterFile::Write(uint8_t address, uint8_t value) {
  if (address <= reg::kLastConfig || address == reg::kPaTable) {
    regs_[address] = value;
    return true;
  }
  if (address == reg::kFifo) {
    regs_[reg::kFifo] = value;
    if (regs_[reg::kTxBytes] < kFifoDepth) ++regs_[reg::kTxBytes];
    return true;
  }
  return false;
}

bool RegisterFile::Strobe(uint8_t code) {
  uint8_t &state = regs_[reg::kMarcState];
  switch (code) {
    case strobe::kReset: ResetConfiguration(); break;
    case strobe::kFsTxOn: state = marc::kFsTxOn; break;
    case strobe::kXOff: state = marc::kXOff; break;
    case strobe::kCalibrate: state = marc::kIdle; break;  // calibrates, then idles
    case strobe::kRx: state = marc::kRx; break;
    case strobe::kTx: state = marc::kTx; break;
    case strobe::kIdle: state = marc::kIdle; break;
    case strobe::kWor:
    case strobe::kPowerDown: state = marc::kSleep; break;
    case strobe::kFlushRx:
      regs_[reg::kRxBytes] = 0;
      if (state == marc::kRxOverflow) state = marc::kIdle;
      break;
    case strobe::kFlushTx:
      regs_[reg::kTxBytes] = 0;
      if (state == marc::kTxUnderflow) state = marc::kIdle;
      break;
    case strobe::kWorReset:
      regs_[reg::kWorTime1] = 0;
      regs_[reg::kWorTime0] = 0;
      break;
    case strobe::kAfc:
    case strobe::kNop: break;
    default: return false;
  }
  return true;
}

}  // namespace sim
