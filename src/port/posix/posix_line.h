#pragma once
// The serial line on POSIX termios: exclusive open (TIOCEXCL plus an advisory
// flock, which also stops a second open by root), raw mode, the settings
// mapped onto termios, and poll() on the line and an eventfd for wake-ups.
#include <termios.h>

#include "port/port_status.h"
#include "port/serial_line.h"

namespace port::posix {

class PosixLine final : public ISerialLine {
 public:
  PosixLine();
  ~PosixLine() override;

  bool Open(const std::string &device, const TPortSettings &settings, TPortError *error) override;
  bool Adopt(int handle) override;
  bool IsOpen() const override { return fd_ >= 0; }
  int Handle() const override { return fd_; }
  bool Close() override;
  void ReleaseDevice() override;

  LineEvents WaitEvents(int timeoutMs) override;
  void Wake() override;
  size_t BytesWaiting() override;
  std::string Read(size_t maxBytes) override;
  bool Write(std::string_view data, uint32_t timeoutMs, TPortError *error) override;
  bool Flush() override;
  bool ModemStatus(unsigned *bits, bool *dtr) override;

 private:
  void DrainWake();
  bool CloseDevice();
  int fd_ = -1;
  int wakeFd_ = -1;
  // The line's state before Open changed it, put back on Close.
  termios savedState_{};
  bool haveSavedState_ = false;
  bool exclusive_ = false;  // TIOCEXCL set by Open
};

// Applies the line-state record to an open terminal; false when the terminal
// refuses the settings (an unsupported speed, say).
bool ApplySettings(int fd, const TPortSettings &settings, TPortError *error);

}  // namespace port::posix
