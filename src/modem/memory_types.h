#pragma once
// The memories and tables behind the modem's memory command (code 0x40):
// their type codes, the request modes, and the production record.
#include <array>
#include <cstdint>
#include <string>

namespace modem {

namespace memtype {
inline constexpr uint8_t kConfig = 0x00;
inline constexpr uint8_t kConfigSize = 0x01;
inline constexpr uint8_t kNodeTable = 0x03;
inline constexpr uint8_t kNodeTableSize = 0x04;
inline constexpr uint8_t kNodeTableCount = 0x05;
inline constexpr uint8_t kNodeTableItemSize = 0x06;
inline constexpr uint8_t kNodeTableItem = 0x07;
inline constexpr uint8_t kRoutePair = 0x10;
inline constexpr uint8_t kRoutePairCnt = 0x11;
inline constexpr uint8_t kWorkParams = 0x31;
inline constexpr uint8_t kWorkParamsSize = 0x32;
inline constexpr uint8_t kProductionInfo = 0x35;
inline constexpr uint8_t kProdInfoSize = 0x36;
inline constexpr uint8_t kProdInfoCommit = 0x37;
inline constexpr uint8_t kPureEEPROM = 0x85;
inline constexpr uint8_t kPureEEPROMSize = 0x86;
inline constexpr uint8_t kPureMemory = 0x88;
inline constexpr uint8_t kPureMemorySize = 0x89;
inline constexpr uint8_t kPureFRAM = 0x90;
inline constexpr uint8_t kPureFRAMSize = 0x91;
inline constexpr uint8_t kPureDataFlash = 0xA0;
inline constexpr uint8_t kPureDataFlashSize = 0xA1;
}  // namespace memtype

namespace memmode {
inline constexpr uint8_t kRead = 0;
inline constexpr uint8_t kWrite = 1;
inline constexpr uint8_t kReadParam = 2;
inline constexpr uint8_t kErase = 3;
}  // namespace memmode

// Bytes per item of the regions counted in items rather than bytes.
inline constexpr uint32_t kNodeTableItemBytes = 9;
inline constexpr uint32_t kRoutePairBytes = 4;
// Writes go out 16 bytes a request whatever the read block size is.
inline constexpr uint32_t kWriteBlockBytes = 16;

// "Config", "NodeTable", ...; "Unknown MT!" for a code of no region.
std::string MemoryTypeName(uint8_t memType);
// "Чтение области", ...; modes 2 and 3 end with a blank.
std::string MemoryModeName(uint8_t mode);

// Bytes 0..3 the production data, bytes 4..5 the check word (little-endian).
using TProductionRecord = std::array<uint8_t, 6>;
// 6 plus the sum of the four data bytes, modulo 65536.
uint16_t ProductionCheckWord(const TProductionRecord &rec);
void FillProductionCheckWord(TProductionRecord &rec);

}  // namespace modem
