#include "modem/memory_dump.h"

#include <algorithm>
#include <cctype>

#include "modem/ziz2400.h"

namespace modem {

namespace {

constexpr uint64_t kWord = 0x10000;
constexpr uint64_t kByte = 0x100;
constexpr uint64_t kNodeTableSpace = 0x80000000;  // its addresses are signed 32-bit

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

using SizeRead = bool (ZIZ2400::*)(uint16_t &);
using BytesRead = bool (ZIZ2400::*)(uint16_t, uint16_t, std::string &);

// A raw memory read whole: its size parameter first; `sizeOnFailure` is
// what a failed size read leaves, and `needsSize` skips a read of nothing.
void ReadRawWhole(ZIZ2400 &node, SizeRead readSize, BytesRead readBytes, uint16_t sizeOnFailure, bool needsSize,
                  TDumpRead &out) {
  uint16_t size = 0;
  if (!(node.*readSize)(size)) {
    size = sizeOnFailure;
    out.sizeGuessed = size > 0;
  }
  if (needsSize && size == 0) return;
  out.attempted = true;
  out.ok = (node.*readBytes)(0, size, out.bytes);
}

void ReadWhole(ZIZ2400 &node, TDumpMemory memory, TDumpRead &out) {
  bool flag = false;
  switch (memory) {
    case TDumpMemory::ConfigUsed:
      out.attempted = true;
      out.ok = node.ReadConfigImage(out.bytes);
      return;
    case TDumpMemory::ConfigFull:
      out.attempted = true;
      out.ok = node.ReadConfigBytes(0, kFullConfigRegionBytes, out.bytes);
      return;
    case TDumpMemory::NodeTable:
      out.attempted = true;
      out.ok = node.ReadNodeTable(out.bytes);
      return;
    case TDumpMemory::WorkParams:
      out.attempted = true;
      out.ok = node.ReadWorkParams(out.bytes, flag);
      return;
    case TDumpMemory::PureEEPROM:
      return ReadRawWhole(node, &ZIZ2400::ReadPureEEPROMSize, &ZIZ2400::ReadPureEEPROM, 0, true, out);
    case TDumpMemory::PureMemory:
      return ReadRawWhole(node, &ZIZ2400::ReadPureMemorySize, &ZIZ2400::ReadPureMemory, 0, true, out);
    case TDumpMemory::PureFRAM:
      // A FRAM that does not say its size is read for one byte: enough to
      // show whether it answers at all.
      return ReadRawWhole(node, &ZIZ2400::ReadPureFRAMSize, &ZIZ2400::ReadPureFRAM, 1, false, out);
    case TDumpMemory::ProductionInfo:
    case TDumpMemory::PureDataFlash:
      return;
  }
}

void ReadPart(ZIZ2400 &node, TDumpMemory memory, TDumpPart part, TDumpRead &out) {
  const auto a16 = static_cast<uint16_t>(part.address), s16 = static_cast<uint16_t>(part.size);
  const auto a8 = static_cast<uint8_t>(part.address), s8 = static_cast<uint8_t>(part.size);
  out.attempted = true;
  switch (memory) {
    case TDumpMemory::ConfigFull: out.ok = node.ReadConfigBytes(a16, s16, out.bytes); return;
    case TDumpMemory::NodeTable:
      out.ok = node.ReadNodeTableBytes(static_cast<int32_t>(part.address), static_cast<int32_t>(part.size), out.bytes);
      return;
    case TDumpMemory::WorkParams: out.ok = node.ReadWorkParamsBytes(a8, s8, out.bytes); return;
    case TDumpMemory::PureEEPROM: out.ok = node.ReadPureEEPROM(a16, s16, out.bytes); return;
    case TDumpMemory::PureMemory: out.ok = node.ReadPureMemory(a16, s16, out.bytes); return;
    case TDumpMemory::PureFRAM: out.ok = node.ReadPureFRAM(a16, s16, out.bytes); return;
    case TDumpMemory::ConfigUsed:
    case TDumpMemory::ProductionInfo:
    case TDumpMemory::PureDataFlash: out.attempted = false; return;
  }
}

}  // namespace

const std::vector<TDumpMemoryInfo> &DumpMemories() {
  static const std::vector<TDumpMemoryInfo> memories{
      {TDumpMemory::ConfigUsed, "Configuration (used part)", "config", kWord, true, false, false},
      {TDumpMemory::ConfigFull, "Configuration (full dump)", "config-full", kWord, true, true, false},
      {TDumpMemory::NodeTable, "Node Table", "node-table", kNodeTableSpace, true, true, false},
      {TDumpMemory::WorkParams, "WorkParams", "work-params", kByte, true, true, true},
      {TDumpMemory::ProductionInfo, "Production Info", "production-info", kByte, false, false, false},
      {TDumpMemory::PureEEPROM, "Pure EEPROM", "eeprom", kWord, true, true, false},
      {TDumpMemory::PureMemory, "Pure Memory", "ram", kWord, true, true, false},
      {TDumpMemory::PureFRAM, "Pure FRAM", "fram", kWord, true, true, true},
      {TDumpMemory::PureDataFlash, "Pure DataFlash", "dataflash", kWord, false, false, false},
  };
  return memories;
}

const TDumpMemoryInfo &DumpMemoryInfo(TDumpMemory memory) { return DumpMemories()[static_cast<size_t>(memory)]; }

const TDumpMemoryInfo *FindDumpMemory(std::string_view name) {
  for (const auto &m : DumpMemories())
    if (SameText(name, m.caption) || SameText(name, m.name)) return &m;
  return nullptr;
}

TDumpPart WrappedPart(const TDumpRequest &request) {
  const uint64_t space = DumpMemoryInfo(request.memory).addressSpace;
  auto wrap = [space](int64_t v) { return static_cast<uint32_t>(static_cast<uint64_t>(v) % space); };
  return {wrap(request.address), wrap(request.size)};
}

TDumpRead ReadDump(ZIZ2400 &node, const TDumpRequest &request) {
  TDumpRead out;
  const TDumpMemoryInfo &info = DumpMemoryInfo(request.memory);
  if (request.whole || !info.partial) {
    ReadWhole(node, request.memory, out);
    return out;
  }
  // The address actually read is where the bytes belong, so offsets never
  // claim an address the request could not carry.
  const TDumpPart part = WrappedPart(request);
  out.address = part.address;
  if (part.size == 0) return out;
  ReadPart(node, request.memory, part, out);
  return out;
}

bool EraseDumpMemory(ZIZ2400 &node, TDumpMemory memory) {
  if (memory == TDumpMemory::WorkParams) return node.EraseWorkParams();
  if (memory == TDumpMemory::PureFRAM) return node.ErasePureFRAM();
  return false;
}

}  // namespace modem
