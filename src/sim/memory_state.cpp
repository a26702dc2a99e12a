#include "sim/memory_state.h"

#include "sim/config_image.h"
#include "sim/record_bytes.h"

namespace sim {

namespace {

std::string NodeTableItems() {
  // Item, parent index: a root, three below it, and branches under those;
  // the last two items are free.
  static constexpr uint16_t kNoParent = 0xFFFF;
  static constexpr uint16_t kParents[12] = {kNoParent, 0, 0, 0, 1, 1, 2, 4, 4, 6, 0, 0};
  static constexpr uint8_t kDepth[12] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0};
  std::string out;
  for (size_t i = 0; i < 12; ++i) {
    const bool used = i < 10;
    PutU8(out, used ? 1 : 0);
    PutU8(out, kDepth[i]);
    util::AppendLe16(out, used ? kParents[i] : kNoParent);
    util::AppendLe16(out, used ? static_cast<uint16_t>(i + 1) : 0);  // network address
    PutU8(out, used ? static_cast<uint8_t>(0x40 + 3 * i) : 0);  // last RSSI
    PutU8(out, used ? static_cast<uint8_t>(0x30 - i) : 0);     // last LQI
    PutU8(out, used && i % 3 == 0 ? 0x01 : 0x00);               // flags
  }
  return out;
}

std::string RadioTrace() {
  // Event 8 TX start, 9 TX CCA, 10 received for us, 11 received for others.
  static constexpr uint8_t kEvents[4] = {8, 9, 10, 11};
  std::string out;
  const uint8_t writeIndex = 5;
  PutU8(out, writeIndex);
  for (size_t k = 0; k < MemoryState::kRadioTraceEntries; ++k) {
    // The ring was written oldest first from the write index on.
    const size_t age = (k + MemoryState::kRadioTraceEntries - writeIndex) % MemoryState::kRadioTraceEntries;
    PutU8(out, kEvents[k % 4]);
    PutU8(out, static_cast<uint8_t>(0x0A + k % 3));
    util::AppendLe16(out, static_cast<uint16_t>(4000 + 37 * age));
  }
  return out;
}

std::string Pattern(size_t size, uint8_t seed) {
  std::string out(size, '\0');
  for (size_t k = 0; k < size; ++k) out[k] = static_cast<char>((k * 13 + seed) & 0xFF);
  return out;
}

}  // namespace

uint16_t ProductionCheckWord(const std::string &record) {
  unsigned sum = 6;
  for (size_t k = 0; k < 4 && k < record.size(); ++k) sum += ByteAt(record, k);
  return static_cast<uint16_t>(sum);
}

MemoryState FactoryMemories(const std::string &nodeName, uint8_t nodeId) {
  MemoryState m;
  NodeConfigValues values;
  values.nodeName = nodeName;
  values.nodeId = nodeId;
  values.lineByte = 0x05;  // 9600, 8N1
  // Link enabled, timeout 1024, ping period 12800, 3 retries, route 1 -> 2.
  values.ptpRecord = std::string("\x04\x00\x04\x00\x32\x03\x00\x01\x02", 9);
  const std::string image = BuildNodeConfigImage(values);
  m.config = image + std::string(MemoryState::kConfigCapacity - image.size(), '\xFF');
  m.configSize = static_cast<uint16_t>(image.size());
  m.nodeTable = NodeTableItems();
  m.workParams = Pattern(24, nodeId);
  m.workParamsValid = true;
  std::string record = std::string("\x12\x34\x00\x05", 4);
  util::AppendLe16(record, ProductionCheckWord(record));
  m.production = record;
  m.productionValid = true;
  m.productionStaged.assign(MemoryState::kProductionCapacity, '\xFF');
  m.ram = Pattern(MemoryState::kRamSize, 0x5A);
  m.ram.replace(MemoryState::kRadioTraceAt, 1 + 4 * MemoryState::kRadioTraceEntries, RadioTrace());
  m.fram = Pattern(MemoryState::kFramSize, nodeId);
  return m;
}

}  // namespace sim
