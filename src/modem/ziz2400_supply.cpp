// The supply sensor and the two supply voltages.
#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"

namespace modem {

using device::rcBadCommandParams;
using device::TResultCode;

namespace {
// One count of the voltage readings is 0.01525 V.
constexpr double kCountsPerVolt = 65.57377;

double Volts(const std::string &dataHex, int firstPair) {
  int raw = util::HexPairValue(dataHex, firstPair) + 256 * util::HexPairValue(dataHex, firstPair + 1);
  return raw / kCountsPerVolt;
}
}  // namespace

bool ZIZ2400::ReadVoltageSensor(uint8_t &state) {
  state = 0;
  return RunOperation("Чтение состояния датчика напряжения", "3101",
                      [&](const std::string &data) -> std::optional<TResultCode> {
                        if (data.size() != 2) return rcBadCommandParams;  // exactly one data byte
                        state = util::HexPairValue(data, 0) != 0 ? 1 : 0;
                        return std::nullopt;
                      });
}

bool ZIZ2400::ReadVoltages(double &v1, double &v2) {
  v1 = 0;
  v2 = 0;
  return RunOperation("Чтение напряжений устройства", "3102", [&](const std::string &data) -> std::optional<TResultCode> {
    if (data.size() != 8) return rcBadCommandParams;
    v1 = Volts(data, 0);
    v2 = Volts(data, 2);
    return std::nullopt;
  });
}

}  // namespace modem
