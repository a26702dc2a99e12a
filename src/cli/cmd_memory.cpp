// dump and erase: the node's memories as raw bytes.
#include <functional>
#include <map>

#include "cli/byte_files.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "util/format.h"

namespace cli {

namespace {

using modem::ZIZ2400;

constexpr uint16_t kFullConfigRegion = 476;

struct Region {
  long maxEnd;  // addresses and sizes of a part must stay below this
  std::function<bool(ZIZ2400 &, std::string &)> whole;
  std::function<bool(ZIZ2400 &, long address, long size, std::string &)> part;
};

// A raw memory: whole is its size parameter, then the memory from 0 on.
using SizeRead = bool (ZIZ2400::*)(uint16_t &);
using BytesRead = bool (ZIZ2400::*)(uint16_t, uint16_t, std::string &);

bool ConfigPart(ZIZ2400 &n, long a, long s, std::string &d) {
  return n.ReadConfigBytes(static_cast<uint16_t>(a), static_cast<uint16_t>(s), d);
}

Region RawMemory(SizeRead readSize, BytesRead readBytes) {
  return {0x10000,
          [=](ZIZ2400 &n, std::string &d) {
            uint16_t size = 0;
            return (n.*readSize)(size) && (n.*readBytes)(0, size, d);
          },
          [=](ZIZ2400 &n, long a, long s, std::string &d) {
            return (n.*readBytes)(static_cast<uint16_t>(a), static_cast<uint16_t>(s), d);
          }};
}

const std::map<std::string, Region> &Regions() {
  static const std::map<std::string, Region> regions{
      {"config", {0x10000, [](ZIZ2400 &n, std::string &d) { return n.ReadConfigImage(d); }, ConfigPart}},
      {"config-full",
       {0x10000, [](ZIZ2400 &n, std::string &d) { return n.ReadConfigBytes(0, kFullConfigRegion, d); }, ConfigPart}},
      {"node-table",
       {0x7FFFFFFF, [](ZIZ2400 &n, std::string &d) { return n.ReadNodeTable(d); },
        [](ZIZ2400 &n, long a, long s, std::string &d) {
          return n.ReadNodeTableBytes(static_cast<int32_t>(a), static_cast<int32_t>(s), d);
        }}},
      {"work-params",
       {0x100,
        [](ZIZ2400 &n, std::string &d) {
          bool flag = false;
          return n.ReadWorkParams(d, flag);
        },
        [](ZIZ2400 &n, long a, long s, std::string &d) {
          return n.ReadWorkParamsBytes(static_cast<uint8_t>(a), static_cast<uint8_t>(s), d);
        }}},
      {"eeprom", RawMemory(&ZIZ2400::ReadPureEEPROMSize, &ZIZ2400::ReadPureEEPROM)},
      {"ram", RawMemory(&ZIZ2400::ReadPureMemorySize, &ZIZ2400::ReadPureMemory)},
      {"fram", RawMemory(&ZIZ2400::ReadPureFRAMSize, &ZIZ2400::ReadPureFRAM)},
  };
  return regions;
}

std::string RegionNames() {
  std::string out;
  for (const auto &[name, region] : Regions()) out += (out.empty() ? "" : ", ") + name;
  return out;
}

int RunDump(Session &s, const std::vector<std::string> &args) {
  if (args.empty()) return s.UsageError("dump takes a region: " + RegionNames());
  auto it = Regions().find(args[0]);
  if (it == Regions().end()) return s.UsageError("dump: unknown region \"" + args[0] + "\"; one of " + RegionNames());
  const Region &region = it->second;
  long address = -1, size = -1;
  std::string file;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string &a = args[i];
    if (i + 1 >= args.size()) return s.UsageError("dump: " + a + " needs a value");
    const std::string &v = args[++i];
    if (a == "--address") {
      if (!ParseNumber(v, 0, region.maxEnd - 1, &address))
        return s.UsageError("dump: --address \"" + v + "\" is outside the region");
    } else if (a == "--size") {
      if (!ParseNumber(v, 1, region.maxEnd - 1, &size)) return s.UsageError("dump: --size \"" + v + "\" is no size here");
    } else if (a == "-o" || a == "--output") {
      file = v;
    } else {
      return s.UsageError("dump: unknown option " + a);
    }
  }
  if (file.empty()) return s.UsageError("dump needs -o FILE");
  if (address >= 0 && size < 0) return s.UsageError("dump: --address needs --size");
  if (address < 0) address = 0;
  if (size >= 0 && address + size > region.maxEnd) return s.UsageError("dump: the part runs past the region");
  std::string data;
  auto &node = s.Node();
  if (!(size < 0 ? region.whole(node, data) : region.part(node, address, size, data))) return s.Fail();
  std::string error;
  if (!WriteByteFile(file, data, &error)) return s.Fail({1, error});
  s.Field("address", util::Format("0x%4.4x", address));
  s.Field("bytes", std::to_string(data.size()));
  s.Field("file", file);
  return 0;
}

int RunErase(Session &s, const std::vector<std::string> &args) {
  const bool yes = args.size() == 2 && args[1] == "--yes";
  if (args.empty() || (args[0] != "work-params" && args[0] != "fram"))
    return s.UsageError("erase takes work-params or fram, and --yes");
  if (!yes) return s.UsageError("erase " + args[0] + " destroys what it holds: add --yes to go ahead");
  auto &node = s.Node();
  if (!(args[0] == "fram" ? node.ErasePureFRAM() : node.EraseWorkParams())) return s.Fail();
  s.Field("erased", args[0]);
  return 0;
}

const CommandRegistration dump{
    {"dump", "dump REGION [--address A --size S] -o FILE",
     "read a memory region (config, config-full, node-table, work-params, eeprom, ram, fram) whole or in part "
     "and save its raw bytes",
     RunDump}};
const CommandRegistration erase{
    {"erase", "erase work-params|fram --yes", "erase the work parameters or the FRAM", RunErase}};

}  // namespace
}  // namespace cli
