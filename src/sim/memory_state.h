#pragma once
// The memories and tables one simulated modem keeps behind its memory
// command: the configuration region, the node table, the route table of a
// node without a mesh of its own, work parameters, production information,
// RAM and FRAM. The EEPROM is a view of what it stores (see memory_commands).
#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

struct MemoryState {
  static constexpr size_t kConfigCapacity = 476;
  static constexpr size_t kNodeTableItemBytes = 9;
  static constexpr size_t kEepromSize = 2048;
  static constexpr size_t kEepromWorkParamsAt = 0x200;
  static constexpr size_t kEepromProductionAt = 0x280;
  static constexpr size_t kRamSize = 0x800;        // addresses 0x60 .. 0x85F of the chip
  static constexpr size_t kRadioTraceAt = 0x4E1 - 0x60;
  static constexpr size_t kRadioTraceEntries = 32;
  static constexpr size_t kFramSize = 8192;
  static constexpr size_t kProductionCapacity = 32;

  std::string config;          // kConfigCapacity bytes; the image is the first configSize
  uint16_t configSize = 0;
  std::string nodeTable;       // items of kNodeTableItemBytes
  std::string routes;          // 4-byte records: destination, next hop
  std::string workParams;
  bool workParamsValid = false;
  std::string production;      // what the last commit stored
  bool productionValid = false;
  std::string productionStaged;  // written but not yet committed
  size_t productionStagedEnd = 0;
  std::string ram;
  std::string fram;
};

// The memories of a modem fresh from the factory: a configuration image
// with all six modules, a node table of a dozen items, work parameters, a
// production record, a radio trace in RAM and a written FRAM.
MemoryState FactoryMemories(const std::string &nodeName, uint8_t nodeId);

// 6 plus the sum of the four data bytes: the production record's check word.
uint16_t ProductionCheckWord(const std::string &record);

}  // namespace sim
