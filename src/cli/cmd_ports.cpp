// ports: the serial ports present, told apart by their USB identity.
#include "cli/command_registry.h"
#include "cli/session.h"
#include "port/port_list.h"

namespace cli {

namespace {

int RunPorts(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("ports takes no arguments");
  const auto ports = port::ListSerialPorts();
  if (ports.empty() && !s.Report()) s.Out() << "no serial ports found\n";
  for (const auto &p : ports) {
    std::vector<std::pair<std::string, std::string>> fields{{"port", p.devicePath}};
    if (!p.vendorId.empty()) fields.emplace_back("usb", p.vendorId + ":" + p.productId);
    if (!p.manufacturer.empty()) fields.emplace_back("manufacturer", p.manufacturer);
    if (!p.product.empty()) fields.emplace_back("product", p.product);
    if (!p.serialNumber.empty()) fields.emplace_back("serial", p.serialNumber);
    if (!p.byIdPath.empty()) fields.emplace_back("by-id", p.byIdPath);
    fields.emplace_back("driver", p.driver);
    s.Record("ports", fields);
  }
  return 0;
}

const CommandRegistration ports{{"ports", "ports",
                                 "list the serial ports present (device, USB vendor:product, maker, product, "
                                 "serial number, /dev/serial/by-id name)",
                                 RunPorts, false}};

}  // namespace

}  // namespace cli
