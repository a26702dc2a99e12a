#include "ui/main/config_tab_logic.h"

#include <vector>

#include "modem/config_text.h"
#include "modem/route.h"
#include "ruvezivevo/fe_root_section.h"
#include "util/number_text.h"

namespace config_tab {

int Clamp(long long value, Range r) {
  if (value < r.min) return r.min;
  if (value > r.max) return r.max;
  return static_cast<int>(value);
}

int ValueFromText(const std::string &text, Range r) {
  const util::IntegerText read = util::ReadInteger(text);
  // Too large or too small still says which bound the user meant.
  return read.status == util::IntegerText::NotANumber ? r.min : Clamp(read.value, r);
}

Form ShowConfig(config::IZTConfig &config) {
  Form f;
  auto uart = config.GetUartSettings();
  f.netAddress = uart->GetNetAddress();
  f.baudRateIndex = uart->GetBaudRateIndex();
  f.dataFormat = uart->GetDataFormat();
  auto net = config.GetZTNETSettings();
  f.netId = net->GetNetId();
  f.nodeId = net->GetNodeId();
  auto channel = config.GetZTUARTSettings();
  f.byteTimeout = channel->GetByteTimeout();
  f.packetTimeout = channel->GetPacketTimeout();
  f.nodeName = config.GetUserSettings()->GetNodeName();
  auto ptp = config.GetPTPSettings();
  auto route = modem::Route::FromRecord(ptp->GetRoute());
  f.route = route ? route->Text() : std::string();
  f.ptpTimeout = ptp->GetTimeout();
  f.pingPeriod = ptp->GetPingPeriod();
  f.retries = ptp->GetRetries();
  f.ptpEnabled = ptp->GetEnabled();
  return f;
}

namespace {

// Every field of the form: how to tell a change and how to write it, in the
// documented order of writing.
struct FieldOps {
  Field field;
  bool (*differs)(const Form &a, const Form &b);
  void (*write)(config::IZTConfig &c, const Form &f);
};

const FieldOps kFields[kFieldCount] = {
    {Field::NetAddress, [](const Form &a, const Form &b) { return a.netAddress != b.netAddress; },
     [](config::IZTConfig &c, const Form &f) { c.GetUartSettings()->SetNetAddress(static_cast<uint8_t>(f.netAddress)); }},
    {Field::BaudRate, [](const Form &a, const Form &b) { return a.baudRateIndex != b.baudRateIndex; },
     [](config::IZTConfig &c, const Form &f) {
       c.GetUartSettings()->SetBaudRateIndex(static_cast<uint8_t>(f.baudRateIndex));
     }},
    {Field::DataFormat, [](const Form &a, const Form &b) { return a.dataFormat != b.dataFormat; },
     [](config::IZTConfig &c, const Form &f) { c.GetUartSettings()->SetDataFormat(static_cast<uint8_t>(f.dataFormat)); }},
    {Field::NetId, [](const Form &a, const Form &b) { return a.netId != b.netId; },
     [](config::IZTConfig &c, const Form &f) { c.GetZTNETSettings()->SetNetId(static_cast<uint8_t>(f.netId)); }},
    {Field::NodeId, [](const Form &a, const Form &b) { return a.nodeId != b.nodeId; },
     [](config::IZTConfig &c, const Form &f) { c.GetZTNETSettings()->SetNodeId(static_cast<uint8_t>(f.nodeId)); }},
    {Field::ByteTimeout, [](const Form &a, const Form &b) { return a.byteTimeout != b.byteTimeout; },
     [](config::IZTConfig &c, const Form &f) {
       c.GetZTUARTSettings()->SetByteTimeout(static_cast<uint8_t>(f.byteTimeout));
     }},
    {Field::PacketTimeout, [](const Form &a, const Form &b) { return a.packetTimeout != b.packetTimeout; },
     [](config::IZTConfig &c, const Form &f) {
       c.GetZTUARTSettings()->SetPacketTimeout(static_cast<uint16_t>(f.packetTimeout));
     }},
    {Field::NodeName, [](const Form &a, const Form &b) { return a.nodeName != b.nodeName; },
     [](config::IZTConfig &c, const Form &f) { c.GetUserSettings()->SetNodeName(f.nodeName); }},
    {Field::PtpEnabled, [](const Form &a, const Form &b) { return a.ptpEnabled != b.ptpEnabled; },
     [](config::IZTConfig &c, const Form &f) { c.GetPTPSettings()->SetEnabled(f.ptpEnabled); }},
    {Field::PtpTimeout, [](const Form &a, const Form &b) { return a.ptpTimeout != b.ptpTimeout; },
     [](config::IZTConfig &c, const Form &f) { c.GetPTPSettings()->SetTimeout(static_cast<uint16_t>(f.ptpTimeout)); }},
    {Field::PingPeriod, [](const Form &a, const Form &b) { return a.pingPeriod != b.pingPeriod; },
     [](config::IZTConfig &c, const Form &f) {
       c.GetPTPSettings()->SetPingPeriod(static_cast<uint16_t>(f.pingPeriod));
     }},
    {Field::Retries, [](const Form &a, const Form &b) { return a.retries != b.retries; },
     [](config::IZTConfig &c, const Form &f) { c.GetPTPSettings()->SetRetries(static_cast<uint8_t>(f.retries)); }},
    {Field::Route, [](const Form &a, const Form &b) { return a.route != b.route; },
     [](config::IZTConfig &c, const Form &f) {
       // WriteRefusal has turned away a text that is no route.
       auto route = modem::ParseRouteText(f.route, modem::kPtpRouteNodes).route;
       if (route) c.GetPTPSettings()->SetRoute(route->Record());
     }},
};

}  // namespace

std::vector<Field> ChangedFields(const Form &a, const Form &b) {
  std::vector<Field> changed;
  for (const FieldOps &f : kFields)
    if (f.differs(a, b)) changed.push_back(f.field);
  return changed;
}

void WriteForm(config::IZTConfig &config, const Form &now, const Form *shown) {
  for (const FieldOps &f : kFields)
    if (!shown || f.differs(*shown, now)) f.write(config, now);
}

std::optional<std::string> WriteRefusal(const Form &now, const Form *shown) {
  if (shown && shown->route == now.route) return std::nullopt;
  const modem::ParsedRoute parsed = modem::ParseRouteText(now.route, modem::kPtpRouteNodes);
  if (parsed.route) return std::nullopt;
  return "Конфигурация не записана: " + modem::RouteProblemText(parsed.problem) +
         ". Исправьте маршрут PTP (узлы через дефис, например 1-5-9) и запишите снова.";
}

// Why a configuration on show cannot be copied to be saved or loaded over.
constexpr char kNoImage[] = "конфигурация на странице не складывается в образ";

std::string FormText(const config::IZTConfig &current, const Form &now, const Form *shown, std::string *refusal) {
  if (auto refused = WriteRefusal(now, shown)) {
    *refusal = *refused;
    return {};
  }
  auto copy = modem::CopyConfig(current);
  if (!copy) {
    *refusal = kNoImage;
    return {};
  }
  WriteForm(*copy, now, shown);
  return modem::ExportConfigText(*copy);
}

std::shared_ptr<config::IZTConfig> LoadedConfig(const config::IZTConfig *base, const std::string &text,
                                                std::string *why) {
  auto loaded = base ? modem::CopyConfig(*base) : config::CreateConfig(ruvezivevo::CreateRootSection());
  if (!loaded) {
    *why = kNoImage;
    return nullptr;
  }
  if (!modem::ImportConfigText(*loaded, text, why)) return nullptr;
  return loaded;
}

std::string SavedText(const std::string &file) { return "Конфигурация сохранена в " + file + "."; }

std::string SaveFailedText(const std::string &file, const std::string &why) {
  return "Конфигурация не сохранена в " + file + ": " + why + ". Выберите другую папку или имя.";
}

std::string LoadedText(const std::string &file) {
  return "Конфигурация загружена из " + file + ". Чтобы модем получил её, нажмите «Записать».";
}

std::string LoadFailedText(const std::string &file, const std::string &why) {
  return "Конфигурация не загружена из " + file + ": " + why + ". На странице прежние значения.";
}

std::string ReadFailedText(const std::string &why) {
  return "Конфигурация не прочитана: " + why + ". На странице прежние значения.";
}

std::string WriteEndedEarlyText(const std::string &why) {
  return "Запись конфигурации не завершена (" + why +
         "): модем может теперь хранить смесь старых и новых настроек.";
}

}  // namespace config_tab
