#include "sim/memory_commands.h"

#include <algorithm>

#include "sim/record_bytes.h"
#include "sim/mesh_layout.h"
#include "sim/node_state.h"

namespace sim {

namespace {

// Memory types and modes of the request.
enum MemType : uint8_t {
  kConfig = 0x00, kConfigSize = 0x01, kNodeTable = 0x03, kNodeTableSize = 0x04, kNodeTableCount = 0x05,
  kNodeTableItem = 0x07, kRoutePair = 0x10, kRoutePairCnt = 0x11, kWorkParams = 0x31, kWorkParamsSize = 0x32,
  kProductionInfo = 0x35, kProdInfoSize = 0x36, kProdInfoCommit = 0x37, kEeprom = 0x85, kEepromSize = 0x86,
  kRam = 0x88, kRamSize = 0x89, kFram = 0x90, kFramSize = 0x91,
};
enum Mode : uint8_t { kRead = 0, kWrite = 1, kParam = 2, kErase = 3 };

struct Request {
  uint8_t type = 0;
  uint8_t mode = 0;
  uint32_t address = 0;
  uint8_t count = 0;
  std::string_view data;
};

CommandResult Bytes(std::string bytes) { return Answered(std::move(bytes)); }
CommandResult Bad() { return Failed(status::kBadParams); }

// `count` items of `itemBytes` from `address` (in items), or "bad
// parameters" when they do not all lie in the region.
CommandResult ReadItems(const std::string &region, const Request &r, size_t itemBytes = 1) {
  const uint64_t start = uint64_t{r.address} * itemBytes, length = uint64_t{r.count} * itemBytes;
  if (r.count == 0 || start + length > region.size()) return Bad();
  return Bytes(region.substr(start, length));
}

CommandResult WriteBytes(std::string &region, size_t end, const Request &r) {
  if (r.data.empty() || r.data.size() != r.count || uint64_t{r.address} + r.data.size() > end) return Bad();
  region.replace(r.address, r.data.size(), r.data);
  return Answered();
}

std::string U16Bytes(uint16_t v) {
  std::string out;
  util::AppendLe16(out, v);
  return out;
}

std::string SizeAndFlag(size_t size, bool flag) {
  return std::string{static_cast<char>(size), static_cast<char>(flag ? 1 : 0)};
}

// The EEPROM holds the configuration region, the work parameters and the
// production record; the rest is erased.
std::string EepromView(const MemoryState &m) {
  std::string out(MemoryState::kEepromSize, '\xFF');
  out.replace(0, m.config.size(), m.config);
  out.replace(MemoryState::kEepromWorkParamsAt, m.workParams.size(), m.workParams);
  out.replace(MemoryState::kEepromProductionAt, m.production.size(), m.production);
  return out;
}

// The direct modem's routes follow its mesh; a remote node keeps its own.
std::string RouteRecords(const CommandContext &context) {
  if (context.mesh == nullptr) return context.node.memory.routes;
  std::string out;
  for (const MeshLink &link : MeshLinks(*context.mesh)) {
    util::AppendLe16(out, link.address);
    util::AppendLe16(out, link.nextHop);
  }
  return out;
}

// The direct modem's node table follows its mesh too; a remote node keeps its own.
std::string NodeTableRecords(const CommandContext &context) {
  const std::string &own = context.node.memory.nodeTable;
  return context.mesh == nullptr ? own : DirectNodeTable(*context.mesh, own);
}

CommandResult Config(MemoryState &m, const Request &r) {
  if (r.mode == kRead) return ReadItems(m.config, r);
  if (r.mode == kWrite) return WriteBytes(m.config, m.configSize, r);
  return Bad();
}

CommandResult ConfigSize(MemoryState &m, const Request &r) {
  if (r.mode == kRead) return r.count == 2 ? Bytes(U16Bytes(m.configSize)) : Bad();
  if (r.mode != kWrite || r.data.size() != 2) return Bad();
  // A new image is announced: it must fit the region, and a modem never
  // takes an empty configuration.
  const uint16_t size = util::LeU16(r.data, 0);
  if (size == 0 || size > MemoryState::kConfigCapacity) return Bad();
  m.configSize = size;
  return Answered();
}

CommandResult Production(MemoryState &m, const Request &r) {
  if (r.mode == kRead) return ReadItems(m.production, r);
  if (r.mode != kWrite) return Bad();
  CommandResult result = WriteBytes(m.productionStaged, MemoryState::kProductionCapacity, r);
  if (result.status == status::kOk) m.productionStagedEnd = std::max<size_t>(m.productionStagedEnd, r.address + r.count);
  return result;
}

CommandResult CommitProduction(MemoryState &m, const Request &r) {
  if (r.mode != kWrite || m.productionStagedEnd == 0) return Bad();
  m.production = m.productionStaged.substr(0, m.productionStagedEnd);
  m.productionValid = m.production.size() >= 6 && util::LeU16(m.production, 4) == ProductionCheckWord(m.production);
  m.productionStaged.assign(MemoryState::kProductionCapacity, '\xFF');
  m.productionStagedEnd = 0;
  return Answered();
}

CommandResult Erase(std::string &region, const Request &r) {
  if (r.count != 1 || !r.data.empty()) return Bad();
  std::fill(region.begin(), region.end(), '\xFF');
  return Answered();
}

CommandResult Run(CommandContext &context, const Request &r) {
  MemoryState &m = context.node.memory;
  // Parameter reads name how many parameter items they want.
  const bool param = r.mode == kParam;
  switch (r.type) {
    case kConfig: return Config(m, r);
    case kConfigSize: return ConfigSize(m, r);
    case kNodeTable: return r.mode == kRead ? ReadItems(NodeTableRecords(context), r) : Bad();
    case kNodeTableItem:
      return r.mode == kRead ? ReadItems(NodeTableRecords(context), r, MemoryState::kNodeTableItemBytes) : Bad();
    case kNodeTableSize: {
      if (!param || r.count != 4) return Bad();
      std::string out;
      util::AppendLe32(out, static_cast<uint32_t>(NodeTableRecords(context).size()));
      return Bytes(out);
    }
    case kNodeTableCount:
      return param && r.count == 1
                 ? Bytes(U16Bytes(static_cast<uint16_t>(NodeTableRecords(context).size() / MemoryState::kNodeTableItemBytes)))
                 : Bad();
    case kRoutePair: return r.mode == kRead ? ReadItems(RouteRecords(context), r, 4) : Bad();
    case kRoutePairCnt:
      return param && r.count == 1 ? Bytes(std::string(1, static_cast<char>(RouteRecords(context).size() / 4))) : Bad();
    case kWorkParams:
      if (r.mode == kRead) return ReadItems(m.workParams, r);
      if (r.mode != kErase) return Bad();
      m.workParamsValid = false;
      return Erase(m.workParams, r);
    case kWorkParamsSize: return param && r.count == 2 ? Bytes(SizeAndFlag(m.workParams.size(), m.workParamsValid)) : Bad();
    case kProductionInfo: return Production(m, r);
    case kProdInfoSize: return param && r.count == 2 ? Bytes(SizeAndFlag(m.production.size(), m.productionValid)) : Bad();
    case kProdInfoCommit: return CommitProduction(m, r);
    case kEeprom: return r.mode == kRead ? ReadItems(EepromView(m), r) : Bad();
    case kEepromSize: return param && r.count == 1 ? Bytes(U16Bytes(MemoryState::kEepromSize)) : Bad();
    case kRam: return r.mode == kRead ? ReadItems(m.ram, r) : Bad();
    case kRamSize: return param && r.count == 1 ? Bytes(U16Bytes(MemoryState::kRamSize)) : Bad();
    case kFram:
      if (r.mode == kRead) return ReadItems(m.fram, r);
      return r.mode == kErase ? Erase(m.fram, r) : Bad();
    case kFramSize: return param && r.count == 1 ? Bytes(U16Bytes(MemoryState::kFramSize)) : Bad();
    default: return Bad();
  }
}

CommandResult MemoryCommand(CommandContext &context, std::string_view params) {
  if (params.size() < 7) return Bad();
  Request r;
  r.type = ByteAt(params, 0);
  r.mode = ByteAt(params, 1);
  r.address = util::LeU16(params, 2) | (uint32_t{util::LeU16(params, 4)} << 16);
  r.count = ByteAt(params, 6);
  r.data = params.substr(7);
  return Run(context, r);
}

}  // namespace

void AddMemoryCommands(CommandTable &table) { table.Add("\x40", MemoryCommand, CommandTable::kAnyLength); }

}  // namespace sim
