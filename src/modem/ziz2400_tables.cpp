// The node table, the work parameters, the production information and the
// raw memories.
#include "modem/ziz2400.h"
#include "util/little_endian.h"

namespace modem {

bool ZIZ2400::ReadNodeTableSize(int32_t &size) {
  size = 0;
  std::string data;
  if (!ReadMemoryParameter(memtype::kNodeTableSize, 4, 4, data)) return false;
  size = static_cast<int32_t>(util::LeU32(data));
  return true;
}

bool ZIZ2400::ReadNodeTableBytes(int32_t address, int32_t count, std::string &data) {
  data.clear();
  if (address < 0 || count < 0) {
    SetResult(device::rcBadParams);
    return false;
  }
  return MemoryTransfer(memmode::kRead, memtype::kNodeTable, data, static_cast<uint32_t>(address),
                        static_cast<uint32_t>(count), 1, BlockSize);
}

bool ZIZ2400::ReadNodeTable(std::string &data) {
  data.clear();
  return RunCompositeOperation(0, "Чтение таблицы узлов", 24, 1, [&] {
    return ReadSizedRegion(
        [&](uint32_t &size) {
          int32_t s = 0;
          bool ok = ReadNodeTableSize(s);
          size = s > 0 ? static_cast<uint32_t>(s) : 0;
          return ok;
        },
        [&](uint32_t size) { return ReadNodeTableBytes(0, static_cast<int32_t>(size), data); });
  });
}

bool ZIZ2400::ReadNodeTableCount(uint16_t &count) { return ReadSizeWord(memtype::kNodeTableCount, count); }

bool ZIZ2400::ReadNodeTableItems(int32_t first, uint16_t count, TZT_NodeTableItems &items) {
  items.clear();
  return RunCompositeOperation(0, "Чтение таблицы узлов", 0, 1, [&] {
    if (first < 0) {
      SetResult(device::rcBadParams);
      return false;
    }
    std::string data;
    if (!MemoryTransfer(memmode::kRead, memtype::kNodeTableItem, data, static_cast<uint32_t>(first), count,
                        kNodeTableItemBytes, BlockSize))
      return false;
    items = NodeTableItemsFromBytes(data);
    return true;
  });
}

// Work parameters and production information announce their size and a
// flag in one two-byte parameter.
bool ZIZ2400::ReadSizeAndFlag(uint8_t memType, uint8_t &size, bool &flag) {
  size = 0;
  flag = false;
  std::string data;
  if (!ReadMemoryParameter(memType, 2, 2, data)) return false;
  size = static_cast<uint8_t>(data[0]);
  flag = data[1] != 0;
  return true;
}

bool ZIZ2400::ReadFlaggedRegion(const std::string &actionText, uint8_t sizeType, uint8_t bytesType,
                                std::string &data, bool &flag) {
  data.clear();
  flag = false;
  return RunCompositeOperation(0, actionText, 24, 1, [&] {
    return ReadSizedRegion(
        [&](uint32_t &size) {
          uint8_t s = 0;
          bool ok = ReadSizeAndFlag(sizeType, s, flag);
          size = s;
          return ok;
        },
        [&](uint32_t size) { return MemoryTransfer(memmode::kRead, bytesType, data, 0, size, 1, BlockSize); });
  });
}

bool ZIZ2400::ReadWorkParamsSize(uint8_t &size, bool &flag) {
  return ReadSizeAndFlag(memtype::kWorkParamsSize, size, flag);
}

bool ZIZ2400::ReadWorkParamsBytes(uint8_t address, uint8_t count, std::string &data) {
  return MemoryTransfer(memmode::kRead, memtype::kWorkParams, data, address, count, 1, BlockSize);
}

bool ZIZ2400::ReadWorkParams(std::string &data, bool &flag) {
  return ReadFlaggedRegion("Чтение рабочих параметров", memtype::kWorkParamsSize, memtype::kWorkParams, data, flag);
}

bool ZIZ2400::EraseWorkParams() {
  std::string none;
  return RunMemoryRequest(memmode::kErase, memtype::kWorkParams, none, 0, 1, std::nullopt);
}

bool ZIZ2400::ReadProductionInfoSize(uint8_t &size, bool &flag) {
  return ReadSizeAndFlag(memtype::kProdInfoSize, size, flag);
}

bool ZIZ2400::ReadProductionBytes(uint8_t address, uint8_t count, std::string &data) {
  return MemoryTransfer(memmode::kRead, memtype::kProductionInfo, data, address, count, 1, BlockSize);
}

bool ZIZ2400::ReadProductionInfo(std::string &data, bool &flag) {
  return ReadFlaggedRegion("Чтение заводских настроек", memtype::kProdInfoSize, memtype::kProductionInfo, data, flag);
}

bool ZIZ2400::ReadProductionRecord(TProductionRecord &rec, bool &flag) {
  std::string data;
  if (!ReadProductionInfo(data, flag)) return false;
  for (size_t k = 0; k < data.size() && k < rec.size(); ++k) rec[k] = static_cast<uint8_t>(data[k]);
  return true;
}

bool ZIZ2400::WriteProductionBytes(uint8_t address, uint8_t count, const std::string &data) {
  if (count == 0) return true;
  std::string bytes = data;
  return MemoryTransfer(memmode::kWrite, memtype::kProductionInfo, bytes, address, count, 1, kWriteBlockBytes);
}

bool ZIZ2400::CommitProductionInfo() {
  std::string none;
  return RunMemoryRequest(memmode::kWrite, memtype::kProdInfoCommit, none, 0, 1, std::nullopt);
}

bool ZIZ2400::WriteProductionInfo(const std::string &data) {
  return RunCompositeOperation(0, "Запись заводских настроек", 22, 1, [&] {
    // Committing nothing, or more than one count byte can say, is no write.
    if (data.empty() || data.size() > 255) {
      SetResult(device::rcBadParams);
      return false;
    }
    return WriteProductionBytes(0, static_cast<uint8_t>(data.size()), data) && CommitProductionInfo();
  });
}

bool ZIZ2400::WriteProductionRecord(TProductionRecord &rec) {
  FillProductionCheckWord(rec);
  return WriteProductionInfo(std::string(rec.begin(), rec.end()));
}

// The node-table count and the raw memories' sizes: one 16-bit parameter.
bool ZIZ2400::ReadSizeWord(uint8_t memType, uint16_t &size) {
  size = 0;
  std::string data;
  if (!ReadMemoryParameter(memType, 1, 2, data)) return false;
  size = util::LeU16(data);
  return true;
}

bool ZIZ2400::ReadPureRegion(uint8_t memType, uint16_t address, uint16_t count, std::string &data) {
  data.clear();
  return RunCompositeOperation(1, "Чтение области памяти", 0, 0, [&] {
    return MemoryTransfer(memmode::kRead, memType, data, address, count, 1, BlockSize);
  });
}

bool ZIZ2400::ReadPureEEPROMSize(uint16_t &size) { return ReadSizeWord(memtype::kPureEEPROMSize, size); }

bool ZIZ2400::ReadPureEEPROM(uint16_t address, uint16_t count, std::string &data) {
  return ReadPureRegion(memtype::kPureEEPROM, address, count, data);
}

bool ZIZ2400::ReadPureMemorySize(uint16_t &size) { return ReadSizeWord(memtype::kPureMemorySize, size); }

bool ZIZ2400::ReadPureMemory(uint16_t address, uint16_t count, std::string &data) {
  return ReadPureRegion(memtype::kPureMemory, address, count, data);
}

bool ZIZ2400::ReadPureFRAMSize(uint16_t &size) { return ReadSizeWord(memtype::kPureFRAMSize, size); }

bool ZIZ2400::ReadPureFRAM(uint16_t address, uint16_t count, std::string &data) {
  return ReadPureRegion(memtype::kPureFRAM, address, count, data);
}

bool ZIZ2400::ErasePureFRAM() {
  std::string none;
  return RunMemoryRequest(memmode::kErase, memtype::kPureFRAM, none, 0, 1, std::nullopt);
}

}  // namespace modem
