// registers, strobe and transceiver: the radio chip of the node.
#include <cctype>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/field_format.h"
#include "cli/session.h"

namespace cli {

namespace {

struct RegisterWrite {
  uint8_t reg;
  uint8_t value;
};

// The register file as the register page reads it: 32 from 0x00, 27 from 0x20.
struct ReadRange {
  uint8_t first;
  uint8_t count;
};

bool ParseWrite(const std::string &text, RegisterWrite *out) {
  size_t eq = text.find('=');
  long reg = 0, value = 0;
  if (eq == std::string::npos || !ParseNumber(text.substr(0, eq), 0, 0x3F, &reg) ||
      !ParseNumber(text.substr(eq + 1), 0, 255, &value))
    return false;
  *out = {static_cast<uint8_t>(reg), static_cast<uint8_t>(value)};
  return true;
}

int RunRegisters(Session &s, const std::vector<std::string> &args) {
  std::vector<RegisterWrite> writes;
  std::vector<ReadRange> reads;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--write" && i + 1 < args.size()) {
      RegisterWrite w{};
      if (!ParseWrite(args[++i], &w)) return s.UsageError("--write takes REG=VALUE, a register 0..0x3F and a byte");
      writes.push_back(w);
    } else if (args[i] == "--read" && i + 2 < args.size()) {
      long first = 0, count = 0;
      if (!ParseNumber(args[i + 1], 0, 0x3F, &first) || !ParseNumber(args[i + 2], 1, 64 - first, &count))
        return s.UsageError("--read takes FIRST (0..0x3F) and COUNT (1 up to the end of the register file)");
      reads.push_back({static_cast<uint8_t>(first), static_cast<uint8_t>(count)});
      i += 2;
    } else {
      return s.UsageError("registers takes --read FIRST COUNT and --write REG=VALUE");
    }
  }
  if (writes.empty() && reads.empty()) reads = {{0x00, 32}, {0x20, 27}};
  auto &node = s.Node();
  for (const auto &w : writes) {
    if (!node.WriteRegister(w.reg, w.value)) return s.Fail();
    s.Field("written", FormatHexByte(w.reg) + "=" + FormatHexByte(w.value));
  }
  for (const auto &r : reads) {
    modem::TRegisterImage regs;
    if (!node.ReadRegisters(r.first, r.count, regs)) return s.Fail();
    for (int a = r.first; a < r.first + r.count; ++a)
      s.Field(FormatHexByte(static_cast<uint8_t>(a)), FormatHexByte(regs[a]));
  }
  return 0;
}

// The chip's command strobes, SRES (0x30) to SNOP (0x3D).
const char *const kStrobeNames[] = {"SRES", "SFSTXON", "SXOFF", "SCAL",  "SRX",  "STX",     "SIDLE",
                                    "SAFC", "SWOR",    "SPWD",  "SFRX",  "SFTX", "SWORRST", "SNOP"};
constexpr int kFirstStrobe = 0x30;

int StrobeCode(std::string word) {
  for (char &c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (int i = 0; i < 14; ++i) {
    std::string name = kStrobeNames[i];
    // The register page's captions leave out the leading S ("RX", "IDLE").
    if (word == name || word == name.substr(1)) return kFirstStrobe + i;
  }
  long code = 0;
  if (ParseNumber(word, kFirstStrobe, kFirstStrobe + 13, &code)) return static_cast<int>(code);
  return -1;
}

int RunStrobe(Session &s, const std::vector<std::string> &args) {
  int code = args.size() == 1 ? StrobeCode(args[0]) : -1;
  if (code < 0) return s.UsageError("strobe takes a strobe name (SRES ... SNOP) or its code 0x30..0x3D");
  if (!s.Node().Strobe(code)) return s.Fail();
  s.Field("strobe", std::string(kStrobeNames[code - kFirstStrobe]) + " (" + FormatHexByte(static_cast<uint8_t>(code)) + ")");
  return 0;
}

int RunTransceiver(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) return s.UsageError("transceiver takes on or off");
  if (!s.Node().SetTransceiver(args[0] == "on" ? 1 : 0)) return s.Fail();
  s.Field("transceiver", args[0]);
  return 0;
}

const CommandRegistration registers{
    {"registers", "registers [--read FIRST COUNT] [--write REG=VALUE]",
     "write transceiver registers, then read them (all of 0x00..0x3A when nothing is named)", RunRegisters}};
const CommandRegistration strobe{
    {"strobe", "strobe NAME|CODE", "send a command strobe to the transceiver (SIDLE, SRX, 0x36, ...)", RunStrobe}};
const CommandRegistration transceiver{
    {"transceiver", "transceiver on|off", "switch the node's transceiver on or off", RunTransceiver}};

}  // namespace
}  // namespace cli
