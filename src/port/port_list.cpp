#include "port/port_list.h"

namespace port {

std::string ResolvePortName(const std::string &name, const std::vector<TPortInfo> &ports) {
  for (const auto &p : ports) {
    if (p.byIdPath.empty()) continue;
    if (p.byIdPath == name || p.byIdPath.substr(p.byIdPath.rfind('/') + 1) == name) return p.devicePath;
  }
  for (const auto &p : ports)
    if (!p.serialNumber.empty() && p.serialNumber == name) return p.devicePath;
  return name;
}

}  // namespace port
