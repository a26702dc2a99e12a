#include "port/device_name.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cmath>

namespace port {

int PortNumberOf(const std::string &portName) {
  if (portName.size() <= 3) return 0;
  int value = 0;
  for (size_t i = 3; i < portName.size(); ++i) {
    char c = portName[i];
    if (c < '0' || c > '9') return 0;
    if (value > 100000000) return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string WindowsDeviceName(const std::string &portName) {
  return PortNumberOf(portName) > 9 ? "\\\\.\\" + portName : portName;
}

std::string PosixDeviceName(const std::string &portName) {
  bool com = portName.size() > 3 && (portName.compare(0, 3, "COM") == 0 || portName.compare(0, 3, "com") == 0);
  int n = PortNumberOf(portName);
  if (com && n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
  return portName;
}

uint32_t WriteTimeoutPerByte(int baudRate) {
  if (baudRate <= 0) return 1;
  double m = std::nearbyint(10000.0 / baudRate + 0.5);  // default rounding mode: half to even
  return m < 1 ? 1u : static_cast<uint32_t>(m);
}

namespace {
constexpr char kSerialIdFolder[] = "/dev/serial/by-id";
}  // namespace

bool DeviceExists(const std::string &device) {
  struct stat st {};
  return !device.empty() && ::stat(device.c_str(), &st) == 0;
}

// Devices are compared by their device numbers, through plain stat():
// path resolution by realpath is not safe under every preloaded library
// (device emulators in tests wrap it).
std::string SerialIdLinkOf(const std::string &device) {
  struct stat target {};
  if (::stat(device.c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) return {};
  std::string found;
  if (DIR *dir = ::opendir(kSerialIdFolder)) {
    while (dirent *entry = ::readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      const std::string link = std::string(kSerialIdFolder) + "/" + entry->d_name;
      struct stat st {};
      if (::stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == target.st_rdev) {
        found = link;
        break;
      }
    }
    ::closedir(dir);
  }
  return found;
}

std::string DeviceOfSerialIdLink(const std::string &link) { return DeviceExists(link) ? link : std::string(); }

}  // namespace port
