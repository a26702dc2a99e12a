#include "modem/memory_types.h"

#include "util/format.h"
#include "util/little_endian.h"

namespace modem {

std::string MemoryTypeName(uint8_t memType) {
  switch (memType) {
    case memtype::kConfig: return "Config";
    case memtype::kConfigSize: return "ConfigSize";
    case memtype::kNodeTable: return "NodeTable";
    case memtype::kNodeTableSize: return "NodeTableSize";
    case memtype::kNodeTableCount: return "NodeTableCount";
    case memtype::kNodeTableItemSize: return "NodeTableItemSize";
    case memtype::kNodeTableItem: return "NodeTableItem";
    case memtype::kRoutePair: return "RoutePair";
    case memtype::kRoutePairCnt: return "RoutePairCnt";
    case memtype::kWorkParams: return "WorkParams";
    case memtype::kWorkParamsSize: return "WorkParamsSize";
    case memtype::kProductionInfo: return "ProductionInfo";
    case memtype::kProdInfoSize: return "ProdInfoSize";
    case memtype::kProdInfoCommit: return "ProdInfoCommit";
    case memtype::kPureEEPROM: return "PureEEPROM";
    case memtype::kPureEEPROMSize: return "PureEEPROMSize";
    case memtype::kPureMemory: return "PureMemory";
    case memtype::kPureMemorySize: return "PureMemorySize";
    case memtype::kPureFRAM: return "PureFRAM";
    case memtype::kPureFRAMSize: return "PureFRAMSize";
    case memtype::kPureDataFlash: return "PureDataFlash";
    case memtype::kPureDataFlashSize: return "PureDataFlashsize";
    default: return "Unknown MT!";
  }
}

std::string MemoryModeName(uint8_t mode) {
  switch (mode) {
    case memmode::kRead: return "Чтение области";
    case memmode::kWrite: return "Запись области";
    case memmode::kReadParam: return "Чтение параметра ";
    case memmode::kErase: return "Стирание области ";
    default: return util::Format("Режим %d", mode);
  }
}

uint16_t ProductionCheckWord(const TProductionRecord &rec) {
  return static_cast<uint16_t>(6 + rec[0] + rec[1] + rec[2] + rec[3]);
}

void FillProductionCheckWord(TProductionRecord &rec) {
  const uint16_t word = ProductionCheckWord(rec);
  util::StoreLe16(&rec[4], word);
}

}  // namespace modem
