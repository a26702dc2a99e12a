#pragma once
// What the port needs of the platform's serial line. The POSIX termios line
// lives in port/posix; tests put a stub in its place to drive line events.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "port/port_error.h"
#include "port/port_settings.h"

namespace port {

struct LineEvents {
  bool readable = false;  // bytes are waiting
  bool hangUp = false;    // the other end went away; the line is unusable
  bool woken = false;     // Wake() was called
  bool failed = false;    // the line cannot be waited on any more
};

class ISerialLine {
 public:
  virtual ~ISerialLine() = default;

  // Opens the device exclusively and applies the settings. False on failure,
  // with its kind and the reason in *error.
  virtual bool Open(const std::string &device, const TPortSettings &settings, TPortError *error) = 0;
  // Takes over an already open descriptor (the settings are left as they are).
  virtual bool Adopt(int handle) = 0;
  virtual bool IsOpen() const = 0;
  virtual int Handle() const = 0;  // -1 when closed
  // True when the line was closed without error (and when nothing was open).
  virtual bool Close() = 0;
  // After a hang-up, on the reader's thread: lets go of the device itself,
  // keeping what Wake() needs until Close.
  virtual void ReleaseDevice() {}

  // Blocks until bytes arrive, the line hangs up, Wake() is called, or
  // `timeoutMs` passes (-1: no limit).
  virtual LineEvents WaitEvents(int timeoutMs) = 0;
  // Makes a pending or the next WaitEvents return at once. Any thread.
  virtual void Wake() = 0;
  virtual size_t BytesWaiting() = 0;
  virtual std::string Read(size_t maxBytes) = 0;
  // Writes everything within `timeoutMs`; false when the deadline or an error
  // cut the write short, with how far it got in *error.
  virtual bool Write(std::string_view data, uint32_t timeoutMs, TPortError *error) = 0;
  virtual bool Flush() = 0;

  // Modem-status bits (kStatusCts...) and the DTR line. False when the line
  // has no such lines (a pseudo-terminal): then the status never changes.
  virtual bool ModemStatus(unsigned *bits, bool *dtr) = 0;
};

using SerialLineFactory = std::function<std::unique_ptr<ISerialLine>()>;

// The platform's line (POSIX termios on this platform).
std::unique_ptr<ISerialLine> CreatePlatformLine();

}  // namespace port
