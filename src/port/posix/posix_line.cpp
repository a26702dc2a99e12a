#include "port/posix/posix_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "util/tick.h"

namespace port::posix {

bool SetCustomBaud(int fd, int baud);  // posix_baud.cpp

namespace {

speed_t StandardSpeed(int baud) {
  switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    default: return 0;
  }
}

void SetModemLine(int fd, int bit, bool on) {
  // Pseudo-terminals have no modem lines; ENOTTY there is expected.
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bit);
}

// Unix98 pseudo-terminal slaves (/dev/pts/N) have majors 136 to 143.
bool IsPseudoTerminal(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned m = major(st.st_rdev);
  return m >= 136 && m <= 143;
}

}  // namespace

bool ApplySettings(int fd, const TPortSettings &settings, TPortError *error) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) {
    if (error) *error = PortErrorOf(TLineStep::stGetAttributes, errno, "not a serial line");
    return false;
  }
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  switch (settings.GetDataBits()) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    default: tio.c_cflag |= CS8; break;
  }
  switch (settings.GetParity()) {
    case TParitys::None: break;
    case TParitys::Odd: tio.c_cflag |= PARENB | PARODD; break;
    case TParitys::Even: tio.c_cflag |= PARENB; break;
    case TParitys::Mark: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case TParitys::Space: tio.c_cflag |= PARENB | CMSPAR; break;
  }
  if ((settings.Dcb().Flags & dcb::fParity) && settings.GetParity() != TParitys::None) tio.c_iflag |= INPCK;
  // termios has no 1.5 stop bits; two is the nearest the receiver accepts.
  if (settings.GetStopBits() != TStopBits::One) tio.c_cflag |= CSTOPB;
  if (settings.GetOutXCTSFlow() || settings.GetRTSControl() == TRTSControl::RTS_HANDHSAKE) tio.c_cflag |= CRTSCTS;
  if (settings.GetOutX()) tio.c_iflag |= IXON;
  if (settings.GetInX()) tio.c_iflag |= IXOFF;
  if (settings.GetXonChar()) tio.c_cc[VSTART] = static_cast<cc_t>(settings.GetXonChar());
  if (settings.GetXoffChar()) tio.c_cc[VSTOP] = static_cast<cc_t>(settings.GetXoffChar());
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;

  bool custom = false;
  speed_t speed = StandardSpeed(settings.GetBaudRate());
  if (speed != 0) {
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
  } else {
    custom = true;
  }
  if (tcsetattr(fd, TCSANOW, &tio) != 0) {
    if (error) *error = PortErrorOf(TLineStep::stSetAttributes, errno, "line settings refused");
    return false;
  }
  if (custom && !SetCustomBaud(fd, settings.GetBaudRate())) {
    if (error) *error = {TPortErrorKind::peUnsupportedSetting, "speed " + std::to_string(settings.GetBaudRate()) + " refused"};
    return false;
  }

  TDTRControl dtr = settings.GetDTRControl();
  SetModemLine(fd, TIOCM_DTR, dtr != TDTRControl::DTR_DISABLE);
  TRTSControl rts = settings.GetRTSControl();
  if (rts == TRTSControl::RTS_ENABLE) SetModemLine(fd, TIOCM_RTS, true);
  if (rts == TRTSControl::RTS_DISABLE || rts == TRTSControl::RTS_TOGGLE) SetModemLine(fd, TIOCM_RTS, false);
  return true;
}

PosixLine::PosixLine() = default;

PosixLine::~PosixLine() { Close(); }

bool PosixLine::Open(const std::string &device, const TPortSettings &settings, TPortError *error) {
  Close();
  int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = PortErrorOf(TLineStep::stOpen, errno);  // the caller names the device
    return false;
  }
  // TIOCEXCL alone does not stop root; the advisory lock does.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (error) {
      *error = PortErrorOf(TLineStep::stLock, errno);
      if (error->Kind == TPortErrorKind::peBusy) error->Text = "in use by another program";
    }
    ::close(fd);
    return false;
  }
  if (!isatty(fd)) {
    if (error) *error = PortErrorOf(TLineStep::stGetAttributes, errno, "not a serial line");
    ::close(fd);
    return false;
  }
  // TIOCEXCL outlives a killed process on a pseudo-terminal and would lock
  // everyone out of it; there the flock, which the kernel drops with the
  // process, has to do.
  const bool exclusive = !IsPseudoTerminal(fd);
  if (exclusive) ioctl(fd, TIOCEXCL);
  termios before{};
  const bool haveBefore = tcgetattr(fd, &before) == 0;
  if (!ApplySettings(fd, settings, error)) {
    if (haveBefore) tcsetattr(fd, TCSANOW, &before);
    if (exclusive) ioctl(fd, TIOCNXCL);
    ::close(fd);
    return false;
  }
  tcflush(fd, TCIOFLUSH);
  if (!Adopt(fd)) {
    if (haveBefore) tcsetattr(fd, TCSANOW, &before);
    if (exclusive) ioctl(fd, TIOCNXCL);
    ::close(fd);
    return false;
  }
  savedState_ = before;
  haveSavedState_ = haveBefore;
  exclusive_ = exclusive;
  return true;
}

bool PosixLine::Adopt(int handle) {
  if (handle < 0) return false;
  if (fd_ >= 0 && fd_ != handle) Close();
  // A line released after a hang-up still holds its wake-up descriptor.
  if (wakeFd_ >= 0) {
    ::close(wakeFd_);
    wakeFd_ = -1;
  }
  int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake < 0) return false;
  int flags = fcntl(handle, F_GETFL);
  if (flags >= 0) fcntl(handle, F_SETFL, flags | O_NONBLOCK);
  fd_ = handle;
  wakeFd_ = wake;
  return true;
}

void PosixLine::ReleaseDevice() { CloseDevice(); }

bool PosixLine::CloseDevice() {
  bool ok = true;
  if (fd_ >= 0) {
    // The next program finds the line as it was before us.
    if (haveSavedState_) tcsetattr(fd_, TCSANOW, &savedState_);
    if (exclusive_) ioctl(fd_, TIOCNXCL);
    ok = ::close(fd_) == 0;
    fd_ = -1;
  }
  haveSavedState_ = false;
  exclusive_ = false;
  return ok;
}

bool PosixLine::Close() {
  const bool ok = CloseDevice();
  if (wakeFd_ >= 0) {
    ::close(wakeFd_);
    wakeFd_ = -1;
  }
  return ok;
}

void PosixLine::DrainWake() {
  uint64_t v;
  while (::read(wakeFd_, &v, sizeof v) > 0) {
  }
}

LineEvents PosixLine::WaitEvents(int timeoutMs) {
  LineEvents ev;
  if (fd_ < 0 || wakeFd_ < 0) {
    ev.failed = true;
    return ev;
  }
  pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  int r = ::poll(fds, 2, timeoutMs);
  if (r < 0) {
    if (errno != EINTR) ev.failed = true;
    return ev;
  }
  if (fds[1].revents & POLLIN) {
    DrainWake();
    ev.woken = true;
  }
  if (fds[0].revents & POLLIN) ev.readable = true;
  if (fds[0].revents & (POLLHUP | POLLERR)) {
    // Bytes still queued before a hang-up are delivered first.
    if (!ev.readable || BytesWaiting() == 0) ev.hangUp = true;
  }
  if (fds[0].revents & POLLNVAL) ev.failed = true;
  return ev;
}

void PosixLine::Wake() {
  if (wakeFd_ < 0) return;
  uint64_t one = 1;
  ssize_t n = ::write(wakeFd_, &one, sizeof one);
  (void)n;
}

size_t PosixLine::BytesWaiting() {
  int n = 0;
  if (fd_ < 0 || ioctl(fd_, FIONREAD, &n) != 0 || n < 0) return 0;
  return static_cast<size_t>(n);
}

std::string PosixLine::Read(size_t maxBytes) {
  std::string out;
  if (fd_ < 0 || maxBytes == 0) return out;
  out.resize(maxBytes);
  ssize_t n = ::read(fd_, out.data(), maxBytes);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

bool PosixLine::Write(std::string_view data, uint32_t timeoutMs, TPortError *error) {
  if (fd_ < 0) {
    if (error) *error = {TPortErrorKind::peIO, "the line is not open"};
    return false;
  }
  const uint32_t start = util::TickMs();
  size_t done = 0;
  // Says how far the write got: a short write leaves the far end with a
  // broken frame, which is worth knowing when its answer does not come.
  auto cut = [&](TPortError why) {
    if (error) {
      why.Text += " (wrote " + std::to_string(done) + " of " + std::to_string(data.size()) + " bytes)";
      *error = std::move(why);
    }
    return false;
  };
  while (done < data.size()) {
    ssize_t n = ::write(fd_, data.data() + done, data.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return cut(PortErrorOf(TLineStep::stTransfer, errno, "write"));
    // The line's output queue is full: wait for room until the deadline.
    uint32_t spent = util::TicksSince(start);
    if (spent >= timeoutMs) return cut({TPortErrorKind::peIO, "write timed out after " + std::to_string(spent) + " ms"});
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, static_cast<int>(timeoutMs - spent)) < 0 && errno != EINTR)
      return cut(PortErrorOf(TLineStep::stTransfer, errno, "poll"));
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return cut({TPortErrorKind::peIO, "the line hung up"});
  }
  return true;
}

bool PosixLine::Flush() { return fd_ >= 0 && tcdrain(fd_) == 0; }

bool PosixLine::ModemStatus(unsigned *bits, bool *dtr) {
  int m = 0;
  if (fd_ < 0 || ioctl(fd_, TIOCMGET, &m) != 0) return false;
  unsigned b = 0;
  if (m & TIOCM_CTS) b |= kStatusCts;
  if (m & TIOCM_DSR) b |= kStatusDsr;
  if (m & TIOCM_RNG) b |= kStatusRing;
  if (m & TIOCM_CAR) b |= kStatusRlsd;
  *bits = b;
  *dtr = (m & TIOCM_DTR) != 0;
  return true;
}

}  // namespace port::posix

namespace port {
std::unique_ptr<ISerialLine> CreatePlatformLine() { return std::make_unique<posix::PosixLine>(); }
}  // namespace port
