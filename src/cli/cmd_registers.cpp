// registers: the radio chip's register table as the register page shows it,
// register files saved, compared and written back.
#include <ostream>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/field_format.h"
#include "cli/session.h"
#include "modem/register_file_text.h"
#include "modem/register_transfer.h"
#include "util/file_read.h"
#include "util/file_write.h"
#include "util/format.h"

namespace cli {

namespace {

// A register file is a few kilobytes; anything far larger is not one.
constexpr std::streamsize kLargestRegisterFile = 1 << 20;
// Exit status of --compare when registers differ (0: all equal; 3 is taken
// by a line that cannot be had).
constexpr int kRegistersDiffer = 4;

struct RegisterWrite {
  uint8_t reg;
  uint8_t value;
};

struct ReadRange {
  uint8_t first;
  uint8_t count;
};

struct RegistersRequest {
  std::vector<RegisterWrite> writes;
  std::vector<ReadRange> reads;
  std::string save, compare, load;
  bool yes = false;
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

// An empty text when the words are fine, else what is wrong with them.
std::string ParseRequest(const std::vector<std::string> &args, RegistersRequest *r) {
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--write" && hasValue) {
      RegisterWrite w{};
      if (!ParseWrite(args[++i], &w)) return "--write takes REG=VALUE, a register 0..0x3F and a byte";
      r->writes.push_back(w);
    } else if (args[i] == "--read" && i + 2 < args.size()) {
      long first = 0, count = 0;
      if (!ParseNumber(args[i + 1], 0, 0x3F, &first) || !ParseNumber(args[i + 2], 1, 64 - first, &count))
        return "--read takes FIRST (0..0x3F) and COUNT (1 up to the end of the register file)";
      r->reads.push_back({static_cast<uint8_t>(first), static_cast<uint8_t>(count)});
      i += 2;
    } else if (args[i] == "--save" && hasValue) {
      r->save = args[++i];
    } else if (args[i] == "--compare" && hasValue) {
      r->compare = args[++i];
    } else if (args[i] == "--load" && hasValue) {
      r->load = args[++i];
    } else if (args[i] == "--yes") {
      r->yes = true;
    } else {
      return "registers takes --read FIRST COUNT, --write REG=VALUE, --save FILE, --compare FILE|defaults "
             "or --load FILE --yes";
    }
  }
  const int fileActions = !r->save.empty() + !r->compare.empty() + !r->load.empty();
  if (fileActions > 1 || (fileActions == 1 && (!r->writes.empty() || !r->reads.empty())))
    return "--save, --compare and --load each go alone";
  if (r->yes && r->load.empty()) return "--yes goes with --load";
  return "";
}

std::string TableLine(const std::string &caption, const std::string &hex, const std::string &dec,
                      const std::vector<std::string> &bits, const std::string &comment) {
  std::string line = util::Format("%-17s  %-4s  %3s ", caption, hex, dec);
  for (const auto &b : bits) line += util::Format(" %3s", b);
  if (!comment.empty()) line += "  " + comment;
  return line + "\n";
}

// A file that cannot be read or taken; exit status 1.
int FileError(Session &s, const std::string &message) {
  s.Err() << "error: " << message << "\n";
  if (auto *report = s.Report()) report->Error(message);
  return 1;
}

void PrintTableHeader(Session &s) {
  if (s.Report()) return;  // --json gives each row as a record
  std::vector<std::string> bits;
  for (int k = 0; k < 8; ++k) bits.push_back("b." + std::to_string(k));
  s.Out() << TableLine("Register", "Hex", "Dec", bits, "Comment");
}

void PrintRow(Session &s, const modem::TRegisterImage &image, int address) {
  const uint8_t v = image[address];
  std::vector<std::string> bits;
  for (int k = 0; k < 8; ++k) bits.push_back(modem::RegisterBitText(v, k));
  if (s.Report()) {
    std::vector<std::pair<std::string, std::string>> fields = {
        {"register", modem::RegisterCaption(address)}, {"hex", modem::RegisterHexText(v)}, {"dec", std::to_string(v)}};
    for (int k = 0; k < 8; ++k) fields.emplace_back("b." + std::to_string(k), bits[k]);
    fields.emplace_back("comment", modem::RegisterComment(image, address));
    s.Record("registers", fields);
    return;
  }
  s.Out() << TableLine(modem::RegisterCaption(address), modem::RegisterHexText(v), std::to_string(v), bits,
                       modem::RegisterComment(image, address));
}

std::optional<modem::RegisterSnapshot> LoadFile(Session &s, const std::string &path) {
  // A folder, a FIFO or a device is refused unread, as is a file too large.
  std::string text, refused;
  if (!util::ReadRegularFile(path, static_cast<size_t>(kLargestRegisterFile), &text, &refused)) {
    FileError(s, refused);
    return std::nullopt;
  }
  std::string why;
  auto values = modem::ParseRegisterFile(text, &why);
  if (!values) FileError(s, path + ": " + why);
  return values;
}

std::string ChangeText(const modem::RegisterDifference &d) {
  return modem::RegisterHexText(d.value) + " -> " + modem::RegisterHexText(d.reference);
}

int Compare(Session &s, const modem::RegisterSnapshot &now, const std::string &against) {
  std::optional<modem::RegisterSnapshot> reference =
      against == "defaults" ? modem::RegisterSnapshot::Defaults() : LoadFile(s, against);
  if (!reference) return 1;
  const auto result = modem::CompareRegisters(now, *reference);
  for (const auto &d : result.differences)
    s.Field(modem::RegisterCaption(d.address),
            modem::RegisterHexText(d.value) + ", reference " + modem::RegisterHexText(d.reference));
  s.Field("differ", util::Format("%d of %d", static_cast<int>(result.differences.size()), result.compared));
  return result.differences.empty() ? 0 : kRegistersDiffer;
}

int Load(Session &s, const modem::RegisterSnapshot &now, const std::string &path, bool yes) {
  auto wanted = LoadFile(s, path);
  if (!wanted) return 1;
  const auto plan = modem::PlanRegisterWrite(now, *wanted);
  for (const auto &d : plan) s.Field(modem::RegisterCaption(d.address), ChangeText(d));
  if (plan.empty()) {
    s.Field("written", "0 of 0 (the registers already hold the file's values)");
    return 0;
  }
  if (!yes) return s.UsageError("nothing written: --load writes these registers only with --yes");
  const auto outcome = modem::WriteRegisterChanges(s.Node(), plan);
  s.Field("written", util::Format("%d of %d", outcome.written, static_cast<int>(plan.size())));
  if (outcome.writeFailed || outcome.readBackFailed) return s.Fail();
  for (const auto &m : outcome.mismatches)
    s.Field("reads back", modem::RegisterCaption(m.address) + " " + modem::RegisterHexText(m.value) + " instead of " +
                              modem::RegisterHexText(m.reference));
  s.Field("verified", outcome.mismatches.empty() ? "yes" : "no");
  return outcome.mismatches.empty() ? 0 : 1;
}

int RunRegisters(Session &s, const std::vector<std::string> &args) {
  RegistersRequest r;
  if (auto problem = ParseRequest(args, &r); !problem.empty()) return s.UsageError(problem);
  auto &node = s.Node();
  for (const auto &w : r.writes) {
    if (!node.WriteRegister(w.reg, w.value)) return s.Fail();
    s.Field("written", FormatHexByte(w.reg) + "=" + FormatHexByte(w.value));
  }
  if (!r.reads.empty()) {
    PrintTableHeader(s);
    for (const auto &range : r.reads) {
      modem::TRegisterImage image;
      if (!node.ReadRegisters(range.first, range.count, image)) return s.Fail();
      for (int a = range.first; a < range.first + range.count; ++a) PrintRow(s, image, a);
    }
    return 0;
  }
  modem::TRegisterImage image;
  modem::RegisterSnapshot read;
  if (!modem::ReadRegisterFile(node, image, read)) return s.Fail();
  if (!r.compare.empty()) return Compare(s, read, r.compare);
  if (!r.load.empty()) return Load(s, read, r.load, r.yes);
  if (!r.save.empty()) {
    std::string why;
    if (!util::WriteFileAtomically(r.save, modem::FormatRegisterFile(read), &why)) return FileError(s, why);
    s.Field("saved", util::Format("%s (%d registers)", r.save, read.Count()));
    return 0;
  }
  PrintTableHeader(s);
  for (int a = 0; a < modem::kRegisterRowCount; ++a)
    if (read.Has(a)) PrintRow(s, image, a);
  return 0;
}

const CommandRegistration registers{
    {"registers",
     "registers [--read FIRST COUNT] [--write REG=VALUE] | --save FILE | --compare FILE|defaults | --load FILE --yes",
     "the transceiver's register table (0x00..0x3A when no range is named); write registers first; save the "
     "registers to a file, compare them with a file or the power-on defaults (exit status 4 when they differ), "
     "or write a file's configuration registers back and check them by reading",
     RunRegisters}};

}  // namespace

}  // namespace cli
