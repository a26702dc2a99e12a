// Names and decoded comments of the radio chip's registers.
#include "modem/transceiver_registers.h"

#include <cctype>

#include "util/format.h"

namespace modem {

namespace {

const char *const kRegisterNames[kRegisterRowCount] = {
    "IOCFG2",  "IOCFG1",  "IOCFG0",  "FIFOTHR",  "SYNC1",      "SYNC0",     "PKTLEN",   "PKTCTRL1",   "PKTCTRL0",
    "ADDR",    "CHANNR",  "FSCTRL1", "FSCTRL0",  "FREQ2",      "FREQ1",     "FREQ0",    "MDMCFG4",    "MDMCFG3",
    "MDMCFG2", "MDMCFG1", "MDMCFG0", "DEVIATN",  "MCSM2",      "MCSM1",     "MCSM0",    "FOCCFG",     "BSCFG",
    "AGCTRL2", "AGCTRL1", "AGCTRL0", "WOREVT1",  "WOREVT0",    "WORCTRL",   "FREND1",   "FREND0",     "FSCAL3",
    "FSCAL2",  "FSCAL1",  "FSCAL0",  "RCCTRL1",  "RCCTRL0",    "FSTEST",    "PTEST",    "AGCTEST",    "TEST2",
    "TEST1",   "TEST0",   "__Not used", "PARTNUM", "VERSION",  "FREQEST",   "LQI",      "RSSI",       "MARCSTATE",
    "WORTIME1", "WORTIME0", "PKTSTATUS", "VCO_VC_DAC", "TXBYTES", "RXBYTES"};

const char *const kRadioStates[] = {"SLEEP",   "IDLE",     "XOFF",        "VCOON_MC",    "REGON_MC",    "MANCAL",
                                    "VCOON",   "REGON",    "STARTCAL",    "BWBOOST",     "FS_LOCK",     "IFADCON",
                                    "ENDCAL",  "RX",       "RX_END",      "RX_RST",      "TXRX_SWITCH", "RX_OVERFLOW",
                                    "FSTXON",  "TX",       "TX_END",      "RXTX_SWITCH", "TX_UNDERFLOW"};

// Each set bit of PKTSTATUS adds its word, spaces included.
const char *const kPacketStatusBits[8] = {"GDO0 ", "bit1 ", "GDO2 ", "SFD ", "CCA ", "PQT ", "CS ", "bit7 "};

constexpr std::array<uint8_t, kLastConfigurationRegister + 1> kPowerOnDefaults = {
    0x29, 0x2E, 0x3F, 0x07, 0xD3, 0x91, 0xFF, 0x04,  // IOCFG2 .. PKTCTRL1
    0x45, 0x00, 0x00, 0x0F, 0x00, 0x5E, 0xC4, 0xEC,  // PKTCTRL0 .. FREQ0
    0x8C, 0x22, 0x02, 0x22, 0xF8, 0x47, 0x07, 0x30,  // MDMCFG4 .. MCSM1
    0x04, 0x36, 0x6C, 0x03, 0x40, 0x91, 0x87, 0x6B,  // MCSM0 .. WOREVT0
    0xF8, 0x56, 0x10, 0xA9, 0x0A, 0x20, 0x0D, 0x41,  // WORCTRL .. RCCTRL1
    0x00, 0x59, 0x7F, 0x3F, 0x88, 0x31, 0x0B,        // RCCTRL0 .. TEST0
};

constexpr std::array<TStrobeCommand, kStrobeCount> kStrobes = {{{0x30, "SRES", "SRES"},
                                                                 {0x31, "SFSTXON", "FSTXON"},
                                                                 {0x32, "SXOFF", "XOFF"},
                                                                 {0x33, "SCAL", "CAL"},
                                                                 {0x34, "SRX", "RX"},
                                                                 {0x35, "STX", "TX"},
                                                                 {0x36, "SIDLE", "IDLE"},
                                                                 {0x37, "SAFC", "AFC"},
                                                                 {0x38, "SWOR", "WOR"},
                                                                 {0x39, "SPWD", "PWD"},
                                                                 {0x3A, "SFRX", "FRX"},
                                                                 {0x3B, "SFTX", "FTX"},
                                                                 {0x3C, "SWORRST", "WORRST"},
                                                                 {0x3D, "SNOP", "NOP"}}};

// The chip's frequency steps are 26208 kHz over 2^10, 2^14 and 2^16: exact
// fractions of 819, so integer division gives the truncated kHz directly.
constexpr int kCrystalStepNumerator = 819;

int SignedByte(uint8_t v) { return static_cast<int8_t>(v); }

std::string FrequencyOffsetKhz(uint8_t v) { return std::to_string(SignedByte(v) * kCrystalStepNumerator / 512); }

bool SameWord(const std::string &a, const char *b) {
  std::string other = b;
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(other[i]))) return false;
  return true;
}

}  // namespace

std::string RegisterName(int address) {
  return address >= 0 && address < kRegisterRowCount ? kRegisterNames[address] : "";
}

int RegisterAddress(const std::string &name) {
  for (int a = 0; a < kRegisterRowCount; ++a)
    if (SameWord(name, kRegisterNames[a])) return a;
  return -1;
}

std::string RegisterCaption(int address) {
  return "(0x" + util::Format("%2.2x", address) + ") " + RegisterName(address);
}

std::string RegisterHexText(uint8_t value) { return "0x" + util::Format("%2.2x", value); }

std::string RegisterBitText(uint8_t value, int bit) { return (value >> bit) & 1 ? "1" : "0"; }

std::string RadioStateName(uint8_t state) {
  return state < std::size(kRadioStates) ? kRadioStates[state] : "Unknown!!!!!";
}

std::string RegisterComment(const TRegisterImage &image, int address) {
  const uint8_t v = address >= 0 && address < static_cast<int>(image.size()) ? image[address] : 0;
  switch (address) {
    case 0x0B: return "IF Freq: " + std::to_string(v * kCrystalStepNumerator / 32) + " kHz";
    case 0x0C: return "Freq offset: " + FrequencyOffsetKhz(v) + " kHz";
    case 0x0D: return "Base freq [23:0] ($0D:$0F), HIGH byte";
    case 0x0E: return "Freq step: " + util::Format("%3.3f", 26208000.0 / 65536) + " Hz";
    case 0x0F: {
      const int64_t word = image[0x0D] * 65536 + image[0x0E] * 256 + image[0x0F];
      return "Base freq: " + std::to_string(word * kCrystalStepNumerator / 2048) + " kHz";
    }
    case 0x32: return "Est. Freq offset: " + FrequencyOffsetKhz(v) + " kHz";
    case 0x34: return "RSSI: " + std::to_string(SignedByte(v) / 2 - 72) + " dbm";
    case 0x35: return RadioStateName(v);
    case 0x38: {
      std::string words;
      for (int bit = 0; bit < 8; ++bit)
        if ((v >> bit) & 1) words += kPacketStatusBits[bit];
      return words;
    }
    case 0x3A: return "TX FIFO Length";
    case 0x3B: return "RX FIFO Length";
    default: return "";
  }
}

const std::array<uint8_t, kLastConfigurationRegister + 1> &PowerOnDefaults() { return kPowerOnDefaults; }

const std::array<TStrobeCommand, kStrobeCount> &StrobeCommands() { return kStrobes; }

std::optional<uint8_t> StrobeByName(const std::string &word) {
  for (const auto &s : kStrobes)
    if (SameWord(word, s.name) || SameWord(word, s.caption)) return s.code;
  return std::nullopt;
}

int RegisterSnapshot::Count() const {
  int n = 0;
  for (const auto &v : values) n += v.has_value();
  return n;
}

RegisterSnapshot RegisterSnapshot::Defaults() {
  RegisterSnapshot s;
  for (size_t a = 0; a < kPowerOnDefaults.size(); ++a) s.values[a] = kPowerOnDefaults[a];
  return s;
}

RegisterSnapshot RegisterSnapshot::FromImage(const TRegisterImage &image) {
  RegisterSnapshot s;
  for (int a = 0; a < kRegisterRowCount; ++a) s.values[a] = image[a];
  return s;
}

}  // namespace modem
