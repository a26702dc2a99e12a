#pragma once
// Test requests for the meters and modems an engineer checks through the
// terminal, and the checksum calculator's message. The terminal window and
// vovorctl build them here, so both give the same bytes and the same words.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modem {

enum class TMeterTest { Vesk, Merc200, Merc230, Psc, SetCs, SetCrc, Ce68 };

// The kind the network-number question is asked with (0 Vesk, 1 Mercury
// 200.02, 2 Mercury 230, 3 PSC, 4 SET-4TM, 5 CE68).
int NetNumberKind(TMeterTest test);
// The largest number the question accepts for a kind. SET-4TM requests carry
// one address byte, so 255 there too.
int64_t NetNumberMaximum(int kind);

struct TMeterRequest {
  std::string text;   // what the send box gets
  bool bin = false;   // the send box's format: BIN (hex text) or ASCII
  std::string bytes;  // a BIN request's bytes (text is their hex)
};

// The request for network number `number`. Only the Vesk test depends on the
// format the send box is in (`binNow`); every other test sets its own.
TMeterRequest BuildMeterTest(TMeterTest test, int64_t number, bool binNow);

// vovorctl's names of the tests: vesk, merc200, merc230, psc, set-cs,
// set-crc, ce68.
std::optional<TMeterTest> MeterTestByName(std::string_view name);

// The calculator's message for a text in the send box's format: four lines
// of checksums over the bytes of a BIN text, one line for an ASCII text.
// After them, a line for each known checksum the last bytes already are.
std::string ChecksumMessage(std::string_view text, bool bin);

// The names of the checksums the last one or two bytes of `bytes` equal,
// computed over the bytes before them ("XorSum", "CRC-16/MODBUS (младший
// байт первым)", ...), comma-separated; empty when none matches.
std::string MatchingChecksums(std::string_view bytes);

}  // namespace modem
