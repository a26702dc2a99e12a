#include "support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "util/tick.h"

namespace testing_support {

PtyPair::PtyPair() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    CloseMaster();
    return;
  }
  const char *name = ptsname(master_);
  if (!name) {
    CloseMaster();
    return;
  }
  path_ = name;
  // Keeping one slave descriptor open means the master never reads EIO while
  // the port under test is closed; raw mode so nothing is echoed or changed.
  keptSlave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  if (keptSlave_ >= 0 && tcgetattr(keptSlave_, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(keptSlave_, TCSANOW, &tio);
  }
}

PtyPair::~PtyPair() { CloseMaster(); }

void PtyPair::CloseMaster() {
  if (keptSlave_ >= 0) close(keptSlave_);
  if (master_ >= 0) close(master_);
  keptSlave_ = master_ = -1;
}

void PtyPair::Write(const std::string &bytes) {
  size_t done = 0;
  while (master_ >= 0 && done < bytes.size()) {
    ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
}

std::string PtyPair::Read(size_t want, int ms) {
  std::string out;
  uint32_t start = util::TickMs();
  while (master_ >= 0 && out.size() < want) {
    int left = ms - static_cast<int>(util::TicksSince(start));
    if (left <= 0) break;
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, left) <= 0) break;
    char buf[4096];
    ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  return out;
}

}  // namespace testing_support
