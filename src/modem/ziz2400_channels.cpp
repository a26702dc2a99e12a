// Virtual serial channels, routes, UART and terminal connections through the mesh.
#include "modem/ziz2400.h"
#include "util/hex.h"

namespace modem {

namespace {

constexpr uint8_t kLastSpeedCode = 14;

// A route as the modem takes it: upper-case hex of the count byte and at
// least two nodes, the count byte equal to the nodes minus two.
std::optional<std::string> NormalisedRoute(const std::string &route) {
  if (route.size() < 6 || route.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (char c : route) {
    const int v = util::HexDigitValue(c);
    if (v < 0) return std::nullopt;
    out.push_back("0123456789ABCDEF"[v]);
  }
  const size_t nodes = out.size() / 2 - 1;
  if (util::HexPairValue(out, 0) + 2u != nodes) return std::nullopt;
  return out;
}

std::string TimeOutHex(uint16_t closeTimeOut) {
  return util::HexByte(static_cast<uint8_t>(closeTimeOut & 0xFF)) + util::HexByte(static_cast<uint8_t>(closeTimeOut >> 8));
}

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
