#include "modem/config_text.h"

#include <functional>
#include <set>
#include <sstream>

#include "modem/route.h"
#include "ruvezivevo/fe_root_section.h"
#include "util/number_text.h"

namespace modem {

namespace {

using config::IZTConfig;

std::optional<std::string> Number(const std::string &text, long min, long max, long *value) {
  if (auto v = util::ParseInteger(text, min, max)) {
    *value = static_cast<long>(*v);
    return std::nullopt;
  }
  return "\"" + text + "\" is not a number from " + std::to_string(min) + " to " + std::to_string(max);
}

// A setting held in a number of [min, max] with a getter and a setter.
#define NUMBER_SETTING(NAME, MEANING, MIN, MAX, GET, SET)                                             \
  ConfigSetting {                                                                                    \
    NAME, MEANING, [](IZTConfig &c) { return std::to_string(GET); },                                 \
        [](IZTConfig &c, const std::string &text) -> std::optional<std::string> {                    \
          long v = 0;                                                                                \
          if (auto bad = Number(text, MIN, MAX, &v)) return bad;                                     \
          SET;                                                                                       \
          return std::nullopt;                                                                       \
        }                                                                                            \
  }

std::optional<std::string> SetEnabled(IZTConfig &c, const std::string &text) {
  if (text == "1" || text == "yes" || text == "on") c.GetPTPSettings()->SetEnabled(true);
  else if (text == "0" || text == "no" || text == "off") c.GetPTPSettings()->SetEnabled(false);
  else return "\"" + text + "\" is not one of yes, no, on, off, 1, 0";
  return std::nullopt;
}

std::optional<std::string> SetRoute(IZTConfig &c, const std::string &text) {
  std::string why;
  auto route = ParseRouteArgument(text, kPtpRouteNodes, &why);
  if (!route) return why;
  c.GetPTPSettings()->SetRoute(route->Record());
  return std::nullopt;
}

// The stored route as a node list; empty for a damaged record.
std::string RouteText(IZTConfig &c) {
  auto route = Route::FromRecord(c.GetPTPSettings()->GetRoute());
  return route ? route->Text() : std::string();
}

std::optional<std::string> SetSpeed(IZTConfig &c, const std::string &text) {
  auto index = UartSpeedIndex(text);
  if (!index) return "\"" + text + "\" is no speed of the list (default, 115200 ... 50) nor index-N (0 to 15)";
  c.GetUartSettings()->SetBaudRateIndex(static_cast<uint8_t>(*index));
  return std::nullopt;
}

std::optional<std::string> SetNodeName(IZTConfig &c, const std::string &text) {
  c.GetUserSettings()->SetNodeName(text);
  return std::nullopt;
}

}  // namespace

const std::vector<ConfigSetting> &ConfigSettings() {
  static const std::vector<ConfigSetting> settings{
      {"user.node-name", "node name", [](IZTConfig &c) { return c.GetUserSettings()->GetNodeName(); }, SetNodeName},
      NUMBER_SETTING("uart.address", "network address on the serial port", 0, 255,
                     c.GetUartSettings()->GetNetAddress(), c.GetUartSettings()->SetNetAddress(static_cast<uint8_t>(v))),
      {"uart.speed", "serial speed: default, 115200, 57600 ... 9600 ... 50 (index-N for a bare index)",
       [](IZTConfig &c) { return UartSpeedText(c.GetUartSettings()->GetBaudRateIndex()); }, SetSpeed},
      NUMBER_SETTING("uart.data-format", "0 8N1, 1 8E1, 2 8O1", 0, 3, int{c.GetUartSettings()->GetDataFormat()},
                     c.GetUartSettings()->SetDataFormat(static_cast<uint8_t>(v))),
      NUMBER_SETTING("phy.byte2", "radio setting byte 2", 0, 255, int{c.GetCC1100PHYSettings()->GetPhyByte2()},
                     c.GetCC1100PHYSettings()->SetPhyByte2(static_cast<uint8_t>(v))),
      NUMBER_SETTING("phy.byte3", "radio setting byte 3", 0, 255, int{c.GetCC1100PHYSettings()->GetPhyByte3()},
                     c.GetCC1100PHYSettings()->SetPhyByte3(static_cast<uint8_t>(v))),
      NUMBER_SETTING("net.net-id", "network number (NET ID)", 0, 255, int{c.GetZTNETSettings()->GetNetId()},
                     c.GetZTNETSettings()->SetNetId(static_cast<uint8_t>(v))),
      NUMBER_SETTING("net.node-id", "node address in the mesh (NodeID)", 0, 255, int{c.GetZTNETSettings()->GetNodeId()},
                     c.GetZTNETSettings()->SetNodeId(static_cast<uint8_t>(v))),
      NUMBER_SETTING("net.param2", "network setting 2", 0, 65535, c.GetZTNETSettings()->GetNetParam2(),
                     c.GetZTNETSettings()->SetNetParam2(static_cast<uint16_t>(v))),
      NUMBER_SETTING("vcomm.byte-timeout", "inter-byte interval of the virtual channel", 0, 255,
                     int{c.GetZTUARTSettings()->GetByteTimeout()},
                     c.GetZTUARTSettings()->SetByteTimeout(static_cast<uint8_t>(v))),
      NUMBER_SETTING("vcomm.packet-timeout", "sequence recovery time of the virtual channel", 0, 65535,
                     c.GetZTUARTSettings()->GetPacketTimeout(),
                     c.GetZTUARTSettings()->SetPacketTimeout(static_cast<uint16_t>(v))),
      {"ptp.enabled", "point-to-point link on (yes) or off (no)",
       [](IZTConfig &c) { return std::string(c.GetPTPSettings()->GetEnabled() ? "yes" : "no"); }, SetEnabled},
      NUMBER_SETTING("ptp.timeout", "link timeout", 0, 65535, c.GetPTPSettings()->GetTimeout(),
                     c.GetPTPSettings()->SetTimeout(static_cast<uint16_t>(v))),
      NUMBER_SETTING("ptp.ping-period", "ping period", 0, 65535, c.GetPTPSettings()->GetPingPeriod(),
                     c.GetPTPSettings()->SetPingPeriod(static_cast<uint16_t>(v))),
      NUMBER_SETTING("ptp.retries", "retries", 0, 255, int{c.GetPTPSettings()->GetRetries()},
                     c.GetPTPSettings()->SetRetries(static_cast<uint8_t>(v))),
      {"ptp.route", "route of the link, nodes in order (1-5-2)",
       RouteText, SetRoute},
  };
  return settings;
}

const ConfigSetting *FindConfigSetting(const std::string &name) {
  for (const auto &s : ConfigSettings())
    if (name == s.name) return &s;
  // Files exported before the speed had a name of its own.
  static const ConfigSetting baudIndex =
      NUMBER_SETTING("uart.baud-index", "speed by the module's index", 0, 15, int{c.GetUartSettings()->GetBaudRateIndex()},
                     c.GetUartSettings()->SetBaudRateIndex(static_cast<uint8_t>(v)));
  if (name == baudIndex.name) return &baudIndex;
  return nullptr;
}

const char *UartSpeedCaption(int index) {
  static const char *const captions[kUartSpeedCount] = {
      "--поумолчанию", "115200", "57600", "38400", "19200", "9600",  "4800",       "2400",
      "1200",          "600",    "300",   "150",   "100",   "50",    "---резерв1", "---резерв2"};
  return index >= 0 && index < kUartSpeedCount ? captions[index] : "";
}

namespace {
constexpr int kFirstReservedSpeed = 14;
}

std::string UartSpeedText(int index) {
  if (index == 0) return "default";
  if (index > 0 && index < kFirstReservedSpeed) return UartSpeedCaption(index);
  return "index-" + std::to_string(index);
}

std::optional<int> UartSpeedIndex(const std::string &text) {
  if (text == "default") return 0;
  for (int i = 1; i < kFirstReservedSpeed; ++i)
    if (text == UartSpeedCaption(i)) return i;
  if (text.rfind("index-", 0) == 0)
    if (auto v = util::ParseInteger(text.substr(6), 0, kUartSpeedCount - 1)) return static_cast<int>(*v);
  return std::nullopt;
}

std::shared_ptr<config::IZTConfig> CopyConfig(const config::IZTConfig &config) {
  const std::string image = config.SaveToString();
  if (image.empty()) return nullptr;
  auto root = ruvezivevo::LoadRootSection(image);
  return root ? config::CreateConfig(root) : nullptr;
}

std::string ExportConfigText(config::IZTConfig &config) {
  std::string out = "# vovorctl configuration: name=value, one setting a line\n";
  for (const auto &s : ConfigSettings()) out += std::string(s.name) + "=" + s.get(config) + "\n";
  return out;
}

bool ApplySetting(config::IZTConfig &config, const std::string &assignment, std::string *error) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos) {
    *error = "\"" + assignment + "\" is not name=value";
    return false;
  }
  const std::string name = assignment.substr(0, eq);
  const ConfigSetting *setting = FindConfigSetting(name);
  if (!setting) {
    *error = "unknown setting \"" + name + "\"";
    return false;
  }
  if (auto bad = setting->set(config, assignment.substr(eq + 1))) {
    *error = name + ": " + *bad;
    return false;
  }
  return true;
}

namespace {

// Calls `take(number, line)` for every line that is no blank or comment
// line, until it returns false; false then.
bool ForEachSettingLine(const std::string &text, const std::function<bool(int, const std::string &)> &take) {
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!take(number, line)) return false;
  }
  return true;
}

}  // namespace

bool ImportConfigText(config::IZTConfig &config, const std::string &text, std::string *error) {
  return ForEachSettingLine(text, [&](int number, const std::string &line) {
    std::string why;
    if (ApplySetting(config, line, &why)) return true;
    *error = "line " + std::to_string(number) + ": " + why;
    return false;
  });
}

std::string FirstUnnamedSetting(const std::string &text) {
  std::set<std::string> named;
  ForEachSettingLine(text, [&](int, const std::string &line) {
    named.insert(line.substr(0, line.find('=')));
    return true;
  });
  for (const auto &setting : ConfigSettings())
    if (!named.count(setting.name)) return setting.name;
  return {};
}

}  // namespace modem
