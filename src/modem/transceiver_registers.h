#pragma once
// The radio chip's register file as the register page and vovorctl show it:
// 60 rows (configuration registers 0x00..0x2E, an empty address, the status
// registers at 0x30..0x3B), their cell texts, the decoded comments and the
// command strobes. Frequencies assume the modem's 26.208 MHz crystal.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "modem/ziz2400.h"

namespace modem {

inline constexpr int kRegisterRowCount = 60;
inline constexpr uint8_t kLastConfigurationRegister = 0x2E;  // TEST0
inline constexpr uint8_t kFirstStatusRegister = 0x30;        // PARTNUM

// Writable registers: the chip's configuration, not its status or the empty 0x2F.
inline bool IsConfigurationRegister(int address) { return address >= 0 && address <= kLastConfigurationRegister; }

// The row's register name ("FREQ2", "__Not used" at 0x2F); empty outside 0..59.
std::string RegisterName(int address);
// The address of a row name (exact, or in any letter case); -1 for none.
int RegisterAddress(const std::string &name);

// Cell texts of one row.
std::string RegisterCaption(int address);        // "(0x0D) FREQ2"
std::string RegisterHexText(uint8_t value);      // "0x5C"
std::string RegisterBitText(uint8_t value, int bit);  // "1" or "0"
// The decoded meaning of a row, computed from the whole image (the base
// frequency takes three rows); empty for rows without one.
std::string RegisterComment(const TRegisterImage &image, int address);

// MARCSTATE's radio state name, "Unknown!!!!!" past the last state.
std::string RadioStateName(uint8_t state);

// The chip's configuration after a reset, 0x00..0x2E.
const std::array<uint8_t, kLastConfigurationRegister + 1> &PowerOnDefaults();

// The command strobes SRES (0x30) to SNOP (0x3D): the chip's name and the
// caption the page's button carries ("SRX" and "RX").
struct TStrobeCommand {
  uint8_t code;
  const char *name;
  const char *caption;
};
inline constexpr int kStrobeCount = 14;
const std::array<TStrobeCommand, kStrobeCount> &StrobeCommands();
// A strobe by its name or caption in any letter case; none for other words.
std::optional<uint8_t> StrobeByName(const std::string &word);

// Register values of some addresses: what a read delivered, a file held or
// a reference offers for comparison. Absent addresses are unknown.
struct RegisterSnapshot {
  std::array<std::optional<uint8_t>, kRegisterRowCount> values{};

  bool Has(int address) const { return address >= 0 && address < kRegisterRowCount && values[address].has_value(); }
  int Count() const;
  // The power-on defaults of the configuration registers.
  static RegisterSnapshot Defaults();
  // Every row of an image.
  static RegisterSnapshot FromImage(const TRegisterImage &image);
};

}  // namespace modem
