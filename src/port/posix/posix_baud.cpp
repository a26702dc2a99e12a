// Speeds without a B-constant go through termios2 (Linux), which cannot
// share a file with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace port::posix {

bool SetCustomBaud(int fd, int baud) {
  if (baud <= 0) return false;
  struct termios2 tio {};
  if (ioctl(fd, TCGETS2, &tio) != 0) return false;
  tio.c_cflag &= ~CBAUD;
  tio.c_cflag |= BOTHER;
  tio.c_ispeed = static_cast<speed_t>(baud);
  tio.c_ospeed = static_cast<speed_t>(baud);
  return ioctl(fd, TCSETS2, &tio) == 0;
}

}  // namespace port::posix
