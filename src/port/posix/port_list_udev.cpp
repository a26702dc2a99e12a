#include <libudev.h>

#include <memory>
#include <sstream>

#include "port/port_list.h"

namespace port {

namespace {

std::string Text(const char *s) { return s ? s : ""; }

struct UdevDeleter {
  void operator()(udev *u) const { udev_unref(u); }
  void operator()(udev_enumerate *e) const { udev_enumerate_unref(e); }
  void operator()(udev_device *d) const { udev_device_unref(d); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

std::string ByIdLink(udev_device *device) {
  std::vector<std::string> links;
  for (udev_list_entry *e = udev_device_get_devlinks_list_entry(device); e; e = udev_list_entry_get_next(e))
    links.push_back(Text(udev_list_entry_get_name(e)));
  // Some udev databases keep the links only as the space-separated property.
  if (links.empty()) {
    std::istringstream words(Text(udev_device_get_property_value(device, "DEVLINKS")));
    for (std::string link; words >> link;) links.push_back(link);
  }
  for (const auto &link : links)
    if (link.rfind("/dev/serial/by-id/", 0) == 0) return link;
  return {};
}

}  // namespace

std::vector<TPortInfo> ListSerialPorts() {
  std::vector<TPortInfo> ports;
  UdevPtr<udev> context(udev_new());
  if (!context) return ports;
  UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(context.get()));
  udev_enumerate_add_match_subsystem(enumerate.get(), "tty");
  udev_enumerate_scan_devices(enumerate.get());
  for (udev_list_entry *e = udev_enumerate_get_list_entry(enumerate.get()); e; e = udev_list_entry_get_next(e)) {
    UdevPtr<udev_device> device(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(e)));
    if (!device) continue;
    // Virtual terminals and pseudo-terminals have no parent device; a
    // serial port always sits on some bus.
    udev_device *parent = udev_device_get_parent(device.get());
    const char *node = udev_device_get_devnode(device.get());
    if (!parent || !node) continue;
    TPortInfo info;
    info.devicePath = node;
    info.byIdPath = ByIdLink(device.get());
    info.driver = Text(udev_device_get_driver(parent));
    if (info.driver.empty()) info.driver = Text(udev_device_get_property_value(device.get(), "ID_USB_DRIVER"));
    // A legacy 8250 slot with no chip behind it has no driver and no port;
    // listing all 32 of them only hides the real ones.
    if (info.driver.empty()) continue;
    if (udev_device *usb = udev_device_get_parent_with_subsystem_devtype(device.get(), "usb", "usb_device")) {
      info.vendorId = Text(udev_device_get_sysattr_value(usb, "idVendor"));
      info.productId = Text(udev_device_get_sysattr_value(usb, "idProduct"));
      info.manufacturer = Text(udev_device_get_sysattr_value(usb, "manufacturer"));
      info.product = Text(udev_device_get_sysattr_value(usb, "product"));
      info.serialNumber = Text(udev_device_get_sysattr_value(usb, "serial"));
    }
    ports.push_back(std::move(info));
  }
  return ports;
}

}  // namespace port
