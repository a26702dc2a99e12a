#include "ui/main/config_tab_logic.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace config_tab {

int Clamp(long long value, Range r) {
  if (value < r.min) return r.min;
  if (value > r.max) return r.max;
  return static_cast<int>(value);
}

int ValueFromText(const std::string &text, Range r) {
  if (text.empty()) return r.min;
  errno = 0;
  char *end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 10);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  if (end == text.c_str() || (end && *end != '\0')) return r.min;
  if (errno == ERANGE) return v < 0 ? r.min : r.max;
  return Clamp(v, r);
}

const char *const *BaudRateItems() {
  static const char *const items[kBaudRateItemCount] = {
      "--поумолчанию", "115200", "57600", "38400", "19200", "9600",  "4800",       "2400",
      "1200",          "600",    "300",   "150",   "100",   "50",    "---резерв1", "---резерв2"};
  return items;
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
  f.route = RouteText(ptp->GetRoute());
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
       if (auto route = ParseRouteText(f.route)) c.GetPTPSettings()->SetRoute(*route);
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

std::string ReadFailedText(const std::string &why) {
  return "Конфигурация не прочитана: " + why + ". На странице прежние значения.";
}

std::string WriteEndedEarlyText(const std::string &why) {
  return "Запись конфигурации не завершена (" + why +
         "): модем может теперь хранить смесь старых и новых настроек.";
}

std::string RouteText(const std::string &route) {
  if (route.size() < 3) return {};
  std::string text;
  for (size_t i = 1; i < route.size(); ++i) {
    if (i > 1) text += "-";
    text += std::to_string(static_cast<unsigned char>(route[i]));
  }
  return text;
}

std::optional<std::string> ParseRouteText(const std::string &text, BadRoutePart bad) {
  static const std::string kDelimiters = "-,./\\ ";
  std::vector<int> nodes;
  std::string part;
  bool refused = false;
  auto take = [&] {
    if (part.empty()) return;
    // Read saturating, so leading zeros do not make a small number "too long".
    bool digits = true;
    int v = 0;
    for (char c : part) {
      digits = digits && c >= '0' && c <= '9';
      if (digits) v = std::min(v * 10 + (c - '0'), 256);
    }
    if (digits && v < 256)
      nodes.push_back(v);
    else
      refused = refused || bad == BadRoutePart::Refuse;
    part.clear();
  };
  for (char c : text) {
    if (kDelimiters.find(c) != std::string::npos)
      take();
    else
      part.push_back(c);
  }
  take();
  if (refused || nodes.size() < 2 || nodes.size() > 29) return std::nullopt;
  std::string route(1, static_cast<char>(nodes.size() - 2));
  for (int n : nodes) route.push_back(static_cast<char>(n));
  return route;
}

}  // namespace config_tab
