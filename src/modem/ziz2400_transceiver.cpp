// The radio transceiver: its registers and strobes, PHY state, errors,
// carrier offsets, the last received frame, temperature, MAC context.
#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"
#include "util/format.h"

namespace modem {

using device::rcBadCommandParams;
using device::rcBadFormat;
using device::TResultCode;

bool ZIZ2400::ReadRegisters(uint8_t first, uint8_t count, TRegisterImage &regs) {
  regs.fill(0);
  std::string text = util::Format("Чтение регистров (0x%2.2x - 0x%2.2x)", first, first + count - 1);
  std::string command = "EB01" + util::HexByte(first) + util::HexByte(count);
  return RunOperation(text, command, TAnswerForm::Exactly(count), [&](const std::string &data) -> std::optional<TResultCode> {
    if (DataByteCount(data) != count) return rcBadFormat;
    for (size_t i = 0; i < count && first + i < regs.size(); ++i)
      regs[first + i] = util::HexPairValue(data, static_cast<int>(i));
    return std::nullopt;
  });
}

bool ZIZ2400::WriteRegister(uint8_t reg, uint8_t value) {
  return RunOperation(util::Format("Запись регистра (Reg.%2.2x = %2.2x)", reg, value),
                      "1B02" + util::HexByte(reg) + util::HexByte(value));
}

bool ZIZ2400::Strobe(int strobe) {
  // Not a register address at all: nothing sensible to send.
  if (strobe < 0 || strobe > 0xFF) return RefuseOperation(util::Format("0x%x strobe", strobe), device::rcBadParams);
  std::string code = util::HexByte(static_cast<uint8_t>(strobe));
  return RunOperation("0x" + code + " strobe", "1B03" + code);
}

bool ZIZ2400::ReadPhyStatus(TPhyStatus &buf) {
  buf.fill(0);
  return RunOperation("Чтение PHY Status", "1C01", TAnswerForm::Exactly(buf.size()),
                      [&](const std::string &data) { return CopyExactly(data, buf, rcBadFormat); });
}

bool ZIZ2400::ReadTemperature(int16_t &value) {
  value = -100;
  return RunOperation("Чтение температуры CC2500", "1C02", [&](const std::string &data) -> std::optional<TResultCode> {
    if (DataByteCount(data) < 1) return rcBadFormat;
    value = static_cast<int8_t>(util::HexPairValue(data, 0));
    return std::nullopt;
  });
}

bool ZIZ2400::ReadCarrierOffsets(TCarrierOffsets &buf) {
  buf.fill(0);
  return RunOperation("Чтение массива смещений RF-несущей ", "1C05",
                      [&](const std::string &data) -> std::optional<TResultCode> {
                        if (DataByteCount(data) < 4) return rcBadCommandParams;
                        int sum = 0;
                        for (int i = 0; i < 4; ++i) {
                          buf[i] = util::HexPairValue(data, i);
                          sum += static_cast<int8_t>(buf[i]);
                        }
                        buf[4] = static_cast<uint8_t>(static_cast<int8_t>(sum / 4));  // truncates toward zero
                        return std::nullopt;
                      });
}

bool ZIZ2400::ReadLastPacketStatus(TLastPacketStatus &buf) {
  buf.fill(0);
  return RunOperation("Чтение статуса последнего RF-фрейма", "1C06",
                      [&](const std::string &data) { return CopyExactly(data, buf, rcBadCommandParams); });
}

bool ZIZ2400::ReadPhyErrorStats(TPhyErrorStats &buf) {
  buf.fill(0);
  return RunOperation("Чтение PHY Error Statistics", "1CC1", TAnswerForm::Exactly(buf.size()),
                      [&](const std::string &data) { return CopyExactly(data, buf, rcBadFormat); });
}

bool ZIZ2400::ReadMacContext(TMacContext &buf) {
  buf.fill(0);
  return RunOperation("Чтение MAC Context", "1DDF", TAnswerForm::Exactly(buf.size()),
                      [&](const std::string &data) { return CopyExactly(data, buf, rcBadFormat); });
}

}  // namespace modem
