#pragma once
// The memories a dump is made of, as the dump window lists them and vovorctl
// names them, and how each is read whole or from an address on. The window
// and the command line read through here, so they send the same requests.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace modem {

class ZIZ2400;

enum class TDumpMemory {
  ConfigUsed,
  ConfigFull,
  NodeTable,
  WorkParams,
  ProductionInfo,
  PureEEPROM,
  PureMemory,
  PureFRAM,
  PureDataFlash,
};

struct TDumpMemoryInfo {
  TDumpMemory memory;
  const char *caption;    // the window's list: "Configuration (used part)"
  const char *name;       // vovorctl's and the file names': "config"
  uint64_t addressSpace;  // a part's address and size wrap at this
  bool readable;          // false: the list offers it, nothing is read
  bool partial;           // false: always read whole
  bool erasable;
};

// In the order of the window's list.
const std::vector<TDumpMemoryInfo> &DumpMemories();
const TDumpMemoryInfo &DumpMemoryInfo(TDumpMemory memory);
// By caption or name, in any letter case; null when none matches.
const TDumpMemoryInfo *FindDumpMemory(std::string_view name);

// The configuration region's fixed size, read by the full configuration dump.
inline constexpr uint16_t kFullConfigRegionBytes = 476;

struct TDumpRequest {
  TDumpMemory memory = TDumpMemory::ConfigUsed;
  bool whole = true;
  int64_t address = 0;  // of a part; taken modulo the memory's address space
  int64_t size = 0;
};

// A part's address and size as the memory's requests can carry them.
struct TDumpPart {
  uint32_t address = 0;
  uint32_t size = 0;
};
TDumpPart WrappedPart(const TDumpRequest &request);

struct TDumpRead {
  bool attempted = false;  // a read went out (not for a memory that is not read, or a size of 0)
  bool ok = false;         // it succeeded
  uint32_t address = 0;    // the memory address of the first byte
  std::string bytes;
  bool sizeGuessed = false;  // the memory did not tell its size; a default was read
};

// Reads as the request says; every read is an action in the node's log.
TDumpRead ReadDump(ZIZ2400 &node, const TDumpRequest &request);

// Erases the work parameters or the FRAM; false, with nothing sent, for a
// memory that cannot be erased.
bool EraseDumpMemory(ZIZ2400 &node, TDumpMemory memory);

}  // namespace modem
