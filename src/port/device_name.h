#pragma once
#include <cstdint>
#include <string>

namespace port {

// The number read from the fourth character of a port name on (COM12 -> 12),
// 0 when that tail is not a decimal number.
int PortNumberOf(const std::string &portName);

// Windows' rule: names of ports above 9 need the "\\.\" prefix.
std::string WindowsDeviceName(const std::string &portName);

// This platform's rule: COMn is /dev/ttyS(n-1); any other name is a path.
std::string PosixDeviceName(const std::string &portName);

// The /dev/serial/by-id link that names `device` (a USB adapter's serial
// number), or "" when none does.
std::string SerialIdLinkOf(const std::string &device);
// The link when it names a device now (opening it reaches that device), or
// "" when it names none.
std::string DeviceOfSerialIdLink(const std::string &link);
bool DeviceExists(const std::string &device);

// Time-out multiplier, ms per byte written: max(1, round(10000 / baud + 0.5))
// with halves rounded to even (1 at 19200, 2 at 9600 and 10000, 9 at 1200).
uint32_t WriteTimeoutPerByte(int baudRate);

}  // namespace port
