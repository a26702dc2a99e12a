// dump-diff: two dump files compared address by address, as diff does:
// exit 0 when the bytes they share agree, 1 when some differ.
#include "cli/command_registry.h"
#include "cli/session.h"
#include "util/dump_compare.h"
#include "util/dump_file.h"
#include "util/file_read.h"
#include "util/format.h"

namespace cli {

namespace {

// A dump of the largest memory in its widest format is a few MiB; a file far
// beyond that is no dump (or /dev/zero) and is refused unread.
constexpr size_t kMaxDumpFileBytes = 64u << 20;

std::string RangeText(const util::TAddressRange &r) {
  const std::string size = r.Size() == 1 ? "1 byte" : std::to_string(r.Size()) + " bytes";
  if (r.first == r.last) return util::Format("0x%5.5x (%s)", r.first, size);
  return util::Format("0x%5.5x-0x%5.5x (%s)", r.first, r.last, size);
}

bool LoadDump(Session &s, const std::string &path, util::TDumpImage *image) {
  std::string bytes, error;
  if (!util::ReadRegularFile(path, kMaxDumpFileBytes, &bytes, &error)) {
    s.Err() << "dump-diff: " << error << "\n";
    return false;
  }
  auto parsed = util::ParseDumpFile(bytes, path, &error);
  if (!parsed) {
    s.Err() << "dump-diff: " << path << ": " << error << "\n";
    return false;
  }
  *image = std::move(*parsed);
  return true;
}

int RunDumpDiff(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 2) return s.UsageError("dump-diff takes two dump files");
  util::TDumpImage first, second;
  if (!LoadDump(s, args[0], &first) || !LoadDump(s, args[1], &second)) return 2;
  const util::TDumpComparison c = util::CompareDumps(first, second);
  s.Field("common", std::to_string(c.commonBytes));
  s.Field("differing", std::to_string(c.differingBytes));
  for (const auto &r : c.differing) s.Field("differ", RangeText(r));
  for (const auto &r : c.onlyInFirst) s.Field("only-in-first", RangeText(r));
  for (const auto &r : c.onlyInSecond) s.Field("only-in-second", RangeText(r));
  return c.differingBytes == 0 ? 0 : 1;
}

const CommandRegistration dumpDiff{
    {"dump-diff", "dump-diff FILE1 FILE2",
     "compare two dumps (raw, Intel HEX or text; a raw dump starts at the address its name carries, as in "
     "eeprom_0x0100.map) and print the ranges that differ; exit 1 when some do",
     RunDumpDiff, false}};

}  // namespace
}  // namespace cli
