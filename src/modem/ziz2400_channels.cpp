// Virtual serial channels, routes, UART and terminal connections through the mesh.
#include "modem/ziz2400.h"
#include "modem/route.h"
#include "util/hex.h"
#include "util/little_endian.h"

namespace modem {

namespace {

constexpr uint8_t kLastSpeedCode = 14;

// A route as the modem takes it: upper-case hex of a whole record.
std::optional<std::string> NormalisedRoute(const std::string &route) {
  auto parsed = Route::FromHex(route);
  if (!parsed) return std::nullopt;
  return parsed->Hex();
}

std::string TimeOutHex(uint16_t closeTimeOut) { return util::LeHex16(closeTimeOut); }

}  // namespace

bool ZIZ2400::OpenVComm(uint8_t speedCode, uint16_t closeTimeOut) {
  const std::string caption = "Open ZTUART:";
  if (speedCode > kLastSpeedCode) return RefuseOperation(caption, device::rcBadParams);
  return RunOperation(caption, "1202" + util::HexByte(speedCode) + TimeOutHex(closeTimeOut));
}

bool ZIZ2400::CloseVComm() { return RunOperation("Close VCOMM ", "12820000"); }

bool ZIZ2400::OpenRoute(uint8_t routeKind, const std::string &route) {
  const auto hex = NormalisedRoute(route);
  if (!hex) return RefuseOperation("Open ZT Route:" + route, device::rcBadParams);
  return RunOperation("Open ZT Route:" + *hex, "1201000000" + util::HexByte(routeKind) + *hex);
}

bool ZIZ2400::OpenUart(uint8_t speedCode, uint16_t closeTimeOut, const std::string &route, uint8_t routeKind) {
  const auto hex = NormalisedRoute(route);
  if (!hex || speedCode > kLastSpeedCode) return RefuseOperation("Open ZT UART:" + route, device::rcBadParams);
  return RunOperation("Open ZT UART:" + *hex,
                      "1203" + util::HexByte(speedCode) + TimeOutHex(closeTimeOut) + util::HexByte(routeKind) + *hex);
}

bool ZIZ2400::CloseRoute(const std::string &route) {
  const auto hex = NormalisedRoute(route);
  if (!hex) return RefuseOperation("CloseRoute:" + route, device::rcBadParams);
  return RunOperation("CloseRoute:" + *hex, "128103" + *hex);
}

bool ZIZ2400::OpenTerm(uint8_t address) { return RunOperation("Open Term:", "1204" + util::HexByte(address)); }

bool ZIZ2400::CloseTerm() { return RunOperation("CloseTerm", "1284"); }

}  // namespace modem
