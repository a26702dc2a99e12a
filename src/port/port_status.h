#pragma once

namespace port {

// The modem-status lines as last reported; all false until the first change.
struct TPortStatus {
  bool CTS = false;
  bool DSR = false;
  bool Ring = false;
  bool RLSD = false;  // carrier detect
  bool DTR = false;
  bool operator==(const TPortStatus &) const = default;
};

// Bits of a modem-status word as the line reports them.
inline constexpr unsigned kStatusCts = 0x10;
inline constexpr unsigned kStatusDsr = 0x20;
inline constexpr unsigned kStatusRing = 0x40;
inline constexpr unsigned kStatusRlsd = 0x80;

}  // namespace port
