#pragma once
// Register files on disk: plain text, one register a line as address, name
// and value ("0x0D FREQ2 0x5C"), lines starting with '#' are remarks. People
// read and diff them; the parser refuses anything it cannot take whole.
#include <optional>
#include <string>
#include <string_view>

#include "modem/transceiver_registers.h"

namespace modem {

// The text of a register file holding the snapshot's registers in address order.
std::string FormatRegisterFile(const RegisterSnapshot &registers);

// The registers of a file's text, or none with the reason (naming the line)
// in *error: a line without address, name and value, an address past 0x3B,
// a name that is not the register at its address, a value past 255, an
// address given twice, or no register at all.
std::optional<RegisterSnapshot> ParseRegisterFile(std::string_view text, std::string *error);

// A C header of `#define` lines for the configuration registers of the
// snapshot, for firmware that sets the chip up the same way.
std::string FormatRegisterHeader(const RegisterSnapshot &registers);

}  // namespace modem
