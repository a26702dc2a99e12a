#pragma once
// The serial channel a modem carries through the mesh: a virtual COM port,
// a route, a UART along a route, or a terminal connection. While one is
// open the modem on the cable loops raw bytes back, standing in for the far
// end; an idle channel closes itself after its close time-out.
#include <cstdint>
#include <string>

namespace sim {

struct ChannelState {
  enum class Kind : uint8_t { kNone, kVcomm, kRoute, kUart, kTerm };

  Kind kind = Kind::kNone;
  uint8_t speedCode = 0;
  uint16_t closeTimeoutUnits = 0;  // 5 ms each; 0 never closes
  std::string route;               // count byte and the nodes
  uint8_t termAddress = 0;
  int64_t lastTrafficMs = 0;

  // Closes the channel when its time-out has run out; true while it is open.
  bool StillOpen(int64_t nowMs) {
    if (kind == Kind::kNone) return false;
    if (closeTimeoutUnits != 0 && nowMs - lastTrafficMs >= int64_t{closeTimeoutUnits} * 5) kind = Kind::kNone;
    return kind != Kind::kNone;
  }
  void Close() { kind = Kind::kNone; }
};

}  // namespace sim
