// Who the modem is, and the commands that change what it is doing.
#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"
#include "util/codepage.h"

namespace modem {

using device::TResultCode;

bool ZIZ2400::ReadVersion(TVersion &version) {
  version = TVersion{};
  // The modem writes its version text in the DOS Cyrillic code page. Only
  // the version is known to be text: a stored name may hold any byte.
  return RunOperation("Чтение версии устройства", "1501", TAnswerForm::Text(), [&](const std::string &data) -> std::optional<TResultCode> {
    version.VersionStr = util::HexToBytes(data, static_cast<uint16_t>(DataByteCount(data)), true);
    return std::nullopt;
  });
}

bool ZIZ2400::ReadDeviceName(std::string &name) {
  name.clear();
  // Device names are kept in the Windows Cyrillic code page.
  return RunOperation("Чтение названия устройства", "1503", [&](const std::string &data) -> std::optional<TResultCode> {
    name = util::Cp1251ToUtf8(DataBytes(data));
    return std::nullopt;
  });
}

bool ZIZ2400::Identify() { return RunOperation("Визуальная идентификация ", "1A01"); }

bool ZIZ2400::Restart() { return RunOperation("Restart ", "FD"); }

bool ZIZ2400::SetMode(uint8_t mode) {
  static const char *const kModes[] = {" рабочего ", " технологического "};
  // Two-value switches: anything else is refused unsent.
  if (mode > 1) return RefuseOperation("Установление режима " + std::to_string(mode), device::rcBadParams);
  return RunOperation(std::string("Установление") + kModes[mode] + "режима", "2C" + util::HexByte(mode));
}

bool ZIZ2400::SetTransceiver(uint8_t on) {
  static const char *const kActions[] = {"Выключение", "Включение"};
  if (on > 1) return RefuseOperation("Переключение трансивера " + std::to_string(on), device::rcBadParams);
  return RunOperation(std::string(kActions[on]) + " трансивера", "1C04" + util::HexByte(on));
}

}  // namespace modem
