#pragma once
// The radio debug trace the firmware keeps in RAM: a write index and a ring
// of 32 entries (event type, packet type, 16-bit time mark).
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace modem {

inline constexpr int kRadioTraceEntries = 32;
inline constexpr int kRadioTraceBytes = 1 + 4 * kRadioTraceEntries;
// The RAM region's offsets count from this chip address.
inline constexpr int kRamBaseAddress = 0x60;
inline constexpr int kRadioTraceDefaultAddress = 0x4E1;

struct RadioTraceEntry {
  uint8_t EventType = 0;
  uint8_t PacketType = 0;
  uint16_t TimeMark = 0;
};

struct RadioTrace {
  uint8_t WriteIndex = 0;
  std::array<RadioTraceEntry, kRadioTraceEntries> Entries{};
};

enum class RadioTraceError { None, ShortRecord, WriteIndexOutOfRing };

// The trace in `bytes` (at least kRadioTraceBytes of them). A short record
// or a write index above 31 is an error: the ring cannot be read then.
RadioTraceError DecodeRadioTrace(const std::string &bytes, RadioTrace &trace);

// The event's words as the list shows them, before the packet type:
// 8 "TX старт тип пакета:" ... 11 "принят пакет не для меня :"; nothing
// for other types.
const char *RadioTraceEventName(uint8_t eventType);

}  // namespace modem
