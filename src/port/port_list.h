#pragma once
// The serial ports present on this machine, with what a user needs to tell
// them apart: the device, its USB identity and its stable by-id name.
#include <string>
#include <vector>

namespace port {

struct TPortInfo {
  std::string devicePath;    // /dev/ttyUSB0
  std::string byIdPath;      // /dev/serial/by-id/usb-FTDI_..., when udev made one
  std::string vendorId;      // "0403" (USB only)
  std::string productId;     // "6001"
  std::string manufacturer;  // "FTDI"
  std::string product;       // "FT232R USB UART"
  std::string serialNumber;  // "A50285BI"
  std::string driver;        // "ftdi_sio", "serial8250"
};

// Enumerated through udev; empty when udev cannot be asked.
std::vector<TPortInfo> ListSerialPorts();

// The device a user named: a by-id name with or without its folder, or a USB
// serial number, of a port present; any other name as given (a path, COMn).
std::string ResolvePortName(const std::string &name, const std::vector<TPortInfo> &ports);

}  // namespace port
