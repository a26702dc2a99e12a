#include "ui/main/shell_logic.h"

#include <algorithm>
#include <limits>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "util/format.h"
#include "util/number_text.h"

namespace shell {

std::string PortReadyMessage(const port::TPortSettings &settings) {
  return util::Format("Порт настроен: %s", settings.GetDescription(true, true, true, true, true, true));
}

std::string PortFailedMessage(const std::string &portText) { return "Порт " + portText + "не открывается!"; }

std::string PortLostMessage(const std::string &portText) { return "Порт " + portText + " отключён"; }

std::string PortNotOpenMessage(const std::string &portText) {
  return "Порт " + portText + " не открыт: операция не выполнена. Выберите порт на странице «Наст».";
}

std::string PortLostRefusedMessage(const std::string &portText) {
  return "Порт " + portText + " отключён: операция не выполнена. Подключите устройство снова: порт откроется сам.";
}

std::string PortStateText(TPortState state, const port::TPortSettings &settings, const std::string &portText) {
  switch (state) {
    case TPortState::psOpen:
      return util::Format("Порт открыт: %s", settings.GetDescription(true, true, true, true, true, true));
    case TPortState::psLost: return "Порт " + portText + " отключён, ждём возвращения устройства";
    case TPortState::psClosed: break;
  }
  return "Порт " + portText + " не открыт";
}

namespace {

// What each kind of port error is called and what the user can do about it.
struct PortErrorWords {
  const char *kind;
  const char *advice;
};

PortErrorWords WordsOf(port::TPortErrorKind kind) {
  using K = port::TPortErrorKind;
  switch (kind) {
    case K::peNone: return {"", ""};
    case K::peNotFound: return {"порт не найден", "проверьте имя порта и подключение устройства"};
    case K::peBusy:
      return {"порт занят другой программой", "закройте программу, которая держит порт, или выберите другой порт"};
    case K::peNoPermission:
      return {"нет прав на порт",
              "добавьте пользователя в группу dialout: sudo usermod -aG dialout $USER, затем войдите в систему заново"};
    case K::peNotASerialLine: return {"это не последовательный порт", "выберите последовательный порт"};
    case K::peUnsupportedSetting:
      return {"порт не принимает настройки", "выберите другую скорость или формат данных"};
    case K::peIO: break;
  }
  return {"ошибка ввода-вывода", "проверьте подключение устройства и откройте порт снова"};
}

}  // namespace

std::string PortErrorKindText(port::TPortErrorKind kind) { return WordsOf(kind).kind; }

namespace {

FailureRow PortFailureRow(std::string message, const std::string &where, const port::TPortError &error) {
  std::string result = PortErrorKindText(error.Kind);
  if (!where.empty()) result += ": " + where;
  if (!error.Text.empty()) result += ": " + error.Text;
  return {std::move(message), std::move(result), WordsOf(error.Kind).advice};
}

}  // namespace

FailureRow PortOpenFailure(const std::string &portText, const std::string &device, const port::TPortError &error) {
  return PortFailureRow(PortFailedMessage(portText), device, error);
}

std::string PortProblemText(const std::string &device, const port::TPortError &error) {
  if (!error.Failed()) return "";
  const FailureRow row = PortFailureRow("", device, error);
  return row.result + "\nЧто делать: " + row.advice;
}

FailureRow PortWriteFailure(const std::string &portText, const port::TPortError &error) {
  return PortFailureRow("Порт " + portText + ": данные не записаны", "", error);
}

FailureRow SimulatorFailure(const std::string &why) {
  return {std::string(kSimulatedModemCaption) + " не запускается", why,
          "закройте лишние программы или выберите порт с модемом"};
}

FirstStartChoice FirstStartPort(const std::vector<PortCandidate> &ports) {
  std::vector<std::string> usb;
  for (const auto &p : ports)
    if (p.usb) usb.push_back(p.path);
  if (usb.size() == 1) return {usb[0], "Первый запуск: выбран единственный USB-адаптер " + usb[0]};
  if (usb.empty()) return {kSimulatedModemCaption, "Первый запуск: USB-адаптер не найден, выбран имитатор модема"};
  return {kSimulatedModemCaption,
          util::Format("Первый запуск: USB-адаптеров %d, выбран имитатор модема; выберите порт на странице «Наст»",
                       static_cast<int>(usb.size()))};
}

std::string PortBackMessage(const std::string &portText) { return "Порт " + portText + " снова подключён"; }

port::TParitys ParityForDataFormat(int index) {
  if (index == 1) return port::TParitys::Even;
  if (index == 2) return port::TParitys::Odd;
  return port::TParitys::None;
}

std::string ActionCaption(const std::string &timeOfDay, const std::string &text) { return timeOfDay + "  " + text; }
std::string RepeatNote(int tryNumber) { return util::Format("RC:%d", tryNumber + 1); }
std::string WaitNote(int transaction, int transactionCount) {
  return util::Format("RC:%d/%d", transaction, transactionCount);
}

const std::vector<int> &PortSpeeds() {
  static const std::vector<int> speeds{115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200};
  return speeds;
}

std::string FormatSettingNumber(double value, char decimalSeparator) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  std::string s(buf, res.ptr);
  for (char &c : s)
    if (c == '.') c = decimalSeparator;
  return s;
}

std::optional<long long> ParseSettingInteger(const std::string &text) {
  return util::ParseInteger(text, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                            util::NumberBase::Decimal);
}

std::optional<double> ParseSettingNumber(const std::string &text, char decimalSeparator) {
  if (text.empty()) return std::nullopt;
  std::string s = text;
  for (char &c : s)
    if (c == decimalSeparator) c = '.';
  double v = 0;
  const char *first = s.data();
  if (*first == '+') ++first;
  auto res = std::from_chars(first, s.data() + s.size(), v);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

const std::vector<std::string> &DocumentedSettingKeys() {
  static const std::vector<std::string> keys{
      "Panel1.Height",         "CB_Port.Text",          "CB_Speed.ItemIndex",          "SE_UartAddr.Value",
      "CB_DataFormat.ItemIndex", "CB_MeasureDivisor.ItemIndex", "CB_UsedCrystal.ItemIndex", "SE_Temperature.Value",
      "SE_MeasuredFreq.Value", "SE_NetAddr.Value",      "CB_VC_Spd.ItemIndex",         "CB_VC_Fmt.ItemIndex",
      "SE_VC_CloseTO.Value",   "SE_NT_Cnt.Value",       "CB_NT_ReadAll.Checked",       "RG_WorkProt.ItemIndex",
      "SE_PortTimeOut.Value",  "SE_ORVARemCh.Value"};
  return keys;
}

SettingsOrder OrderSettings(const std::vector<std::string> &keys) {
  const auto &documented = DocumentedSettingKeys();
  SettingsOrder order;
  for (const auto &d : documented)
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i] == d) order.documented.push_back(i);
  for (size_t i = 0; i < keys.size(); ++i)
    if (std::find(documented.begin(), documented.end(), keys[i]) == documented.end()) order.own.push_back(i);
  return order;
}

}  // namespace shell
