// dump and erase: the node's memories saved to files, and erased.
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/memory_dump.h"
#include "util/dump_file.h"
#include "util/file_write.h"
#include "util/format.h"

namespace cli {

namespace {

using modem::TDumpMemoryInfo;

std::string MemoryNames() {
  std::string out;
  for (const auto &m : modem::DumpMemories())
    if (m.readable) out += (out.empty() ? "" : ", ") + std::string(m.name);
  return out;
}

bool ParseFormat(const std::string &text, util::TDumpFormat *format) {
  if (text == "raw") *format = util::TDumpFormat::Raw;
  else if (text == "ihex") *format = util::TDumpFormat::IntelHex;
  else if (text == "hex") *format = util::TDumpFormat::HexText;
  else return false;
  return true;
}

int RunDump(Session &s, const std::vector<std::string> &args) {
  if (args.empty()) return s.UsageError("dump takes a memory: " + MemoryNames());
  const TDumpMemoryInfo *memory = modem::FindDumpMemory(args[0]);
  if (!memory) return s.UsageError("dump: unknown memory \"" + args[0] + "\"; one of " + MemoryNames());
  if (!memory->readable) return s.UsageError("dump: \"" + args[0] + "\" is not read by this program");
  const long space = static_cast<long>(memory->addressSpace);
  long address = -1, size = -1;
  util::TDumpFormat format = util::TDumpFormat::Raw;
  std::string file;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string &a = args[i];
    if (i + 1 >= args.size()) return s.UsageError("dump: " + a + " needs a value");
    const std::string &v = args[++i];
    if (a == "--address") {
      if (!ParseNumber(v, 0, space - 1, &address))
        return s.UsageError("dump: --address \"" + v + "\" is outside the memory");
    } else if (a == "--size") {
      if (!ParseNumber(v, 1, space - 1, &size)) return s.UsageError("dump: --size \"" + v + "\" is no size here");
    } else if (a == "--format") {
      if (!ParseFormat(v, &format)) return s.UsageError("dump: --format is raw, ihex or hex");
    } else if (a == "-o" || a == "--output") {
      file = v;
    } else {
      return s.UsageError("dump: unknown option " + a);
    }
  }
  if (file.empty()) return s.UsageError("dump needs -o FILE");
  if (address >= 0 && size < 0) return s.UsageError("dump: --address needs --size");
  if (size >= 0 && !memory->partial)
    return s.UsageError(std::string("dump: ") + memory->name + " is read whole; config-full reads a part");
  if (address < 0) address = 0;
  if (size >= 0 && address + size > space) return s.UsageError("dump: the part runs past the memory");
  auto &node = s.Node();
  const modem::TDumpRead read = modem::ReadDump(node, {memory->memory, size < 0, address, size});
  // A size that was not told is a failure here: a script must not take the
  // one byte read in its place for the memory.
  if (read.sizeGuessed) return s.Fail({1, std::string(memory->name) + " did not tell its size"});
  if (!read.attempted) return s.Fail({1, std::string(memory->name) + " reports a size of 0: nothing to read"});
  if (!read.ok) return s.Fail();
  std::string error;
  if (!util::WriteFileAtomically(file, util::DumpFileText({read.address, read.bytes}, format), &error)) return s.Fail({1, error});
  s.Field("address", util::Format("0x%4.4x", read.address));
  s.Field("bytes", std::to_string(read.bytes.size()));
  s.Field("file", file);
  return 0;
}

int RunErase(Session &s, const std::vector<std::string> &args) {
  const bool yes = args.size() == 2 && args[1] == "--yes";
  const TDumpMemoryInfo *memory = args.empty() ? nullptr : modem::FindDumpMemory(args[0]);
  if (!memory || !memory->erasable || args.size() > 2) return s.UsageError("erase takes work-params or fram, and --yes");
  if (!yes) return s.UsageError("erase " + args[0] + " destroys what it holds: add --yes to go ahead");
  if (!modem::EraseDumpMemory(s.Node(), memory->memory)) return s.Fail();
  s.Field("erased", memory->name);
  return 0;
}

const CommandRegistration dump{
    {"dump", "dump MEMORY [--address A --size S] [--format raw|ihex|hex] -o FILE",
     "read a memory (config, config-full, node-table, work-params, eeprom, ram, fram, or its name in the dump "
     "window's list) whole or in part and save it as raw bytes, Intel HEX or a text hex dump",
     RunDump}};
const CommandRegistration erase{
    {"erase", "erase work-params|fram --yes", "erase the work parameters or the FRAM", RunErase}};

}  // namespace
}  // namespace cli
