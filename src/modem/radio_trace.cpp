#include "modem/radio_trace.h"

#include "util/little_endian.h"

namespace modem {

RadioTraceError DecodeRadioTrace(const std::string &bytes, RadioTrace &trace) {
  if (bytes.size() < static_cast<size_t>(kRadioTraceBytes)) return RadioTraceError::ShortRecord;
  trace.WriteIndex = static_cast<uint8_t>(bytes[0]);
  if (trace.WriteIndex >= kRadioTraceEntries) return RadioTraceError::WriteIndexOutOfRing;
  for (int k = 0; k < kRadioTraceEntries; ++k) {
    const size_t at = 1 + 4 * static_cast<size_t>(k);
    trace.Entries[k] = {static_cast<uint8_t>(bytes[at]), static_cast<uint8_t>(bytes[at + 1]), util::LeU16(bytes, at + 2)};
  }
  return RadioTraceError::None;
}

const char *RadioTraceEventName(uint8_t eventType) {
  switch (eventType) {
    case 8: return "TX старт тип пакета:";
    case 9: return "TX CCA тип пакета:";
    case 10: return "принят пакет для меня: тип";
    case 11: return "принят пакет не для меня :";
    default: return nullptr;
  }
}

}  // namespace modem
