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
  f.netAddress = Clamp(uart->GetNetAddress(), kNetAddress);
  f.baudRateIndex = uart->GetBaudRateIndex() < kBaudRateItemCount ? uart->GetBaudRateIndex() : -1;
  f.dataFormat = uart->GetDataFormat() < 3 ? uart->GetDataFormat() : -1;
  auto net = config.GetZTNETSettings();
  f.netId = Clamp(net->GetNetId(), kNetId);
  f.nodeId = Clamp(net->GetNodeId(), kNodeId);
  auto channel = config.GetZTUARTSettings();
  f.byteTimeout = Clamp(channel->GetByteTimeout(), kByteTimeout);
  f.packetTimeout = Clamp(channel->GetPacketTimeout(), kPacketTimeout);
  f.nodeName = config.GetUserSettings()->GetNodeName();
  auto ptp = config.GetPTPSettings();
  f.route = RouteText(ptp->GetRoute());
  f.ptpTimeout = Clamp(ptp->GetTimeout(), kPtpTimeout);
  f.pingPeriod = Clamp(ptp->GetPingPeriod(), kPingPeriod);
  f.retries = Clamp(ptp->GetRetries(), kRetries);
  f.ptpEnabled = ptp->GetEnabled();
  return f;
}

void WriteForm(config::IZTConfig &config, const Form &f) {
  auto uart = config.GetUartSettings();
  uart->SetNetAddress(static_cast<uint8_t>(f.netAddress));
  uart->SetBaudRateIndex(static_cast<uint8_t>(f.baudRateIndex));
  uart->SetDataFormat(static_cast<uint8_t>(f.dataFormat));
  auto net = config.GetZTNETSettings();
  net->SetNetId(static_cast<uint8_t>(f.netId));
  net->SetNodeId(static_cast<uint8_t>(f.nodeId));
  auto channel = config.GetZTUARTSettings();
  channel->SetByteTimeout(static_cast<uint8_t>(f.byteTimeout));
  channel->SetPacketTimeout(static_cast<uint16_t>(f.packetTimeout));
  config.GetUserSettings()->SetNodeName(f.nodeName);
  auto ptp = config.GetPTPSettings();
  ptp->SetEnabled(f.ptpEnabled);
  ptp->SetTimeout(static_cast<uint16_t>(f.ptpTimeout));
  ptp->SetPingPeriod(static_cast<uint16_t>(f.pingPeriod));
  ptp->SetRetries(static_cast<uint8_t>(f.retries));
  if (auto route = ParseRouteText(f.route)) ptp->SetRoute(*route);
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
