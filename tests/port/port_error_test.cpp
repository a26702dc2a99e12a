#include "port/port_error.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace port;

TEST(PortErrorKind, SystemErrorsByTheStepTheyCameFrom) {
  using K = TPortErrorKind;
  using S = TLineStep;
  struct Case {
    S step;
    int err;
    K kind;
  };
  const Case cases[] = {
      {S::stOpen, ENOENT, K::peNotFound},
      {S::stOpen, ENODEV, K::peNotFound},
      {S::stOpen, ENXIO, K::peNotFound},
      {S::stOpen, ENOTDIR, K::peNotFound},
      {S::stOpen, EBUSY, K::peBusy},  // another program set exclusive use
      {S::stOpen, EACCES, K::peNoPermission},
      {S::stOpen, EPERM, K::peNoPermission},
      {S::stOpen, EISDIR, K::peNotASerialLine},
      {S::stOpen, EAGAIN, K::peIO},  // only the lock means "held" by it
      {S::stOpen, EMFILE, K::peIO},
      {S::stLock, EWOULDBLOCK, K::peBusy},
      {S::stLock, EINTR, K::peIO},
      {S::stGetAttributes, ENOTTY, K::peNotASerialLine},
      {S::stGetAttributes, EINVAL, K::peNotASerialLine},
      {S::stGetAttributes, EIO, K::peIO},
      {S::stSetAttributes, EINVAL, K::peUnsupportedSetting},
      {S::stSetAttributes, EIO, K::peIO},
      {S::stTransfer, EINVAL, K::peIO},
      {S::stTransfer, EIO, K::peIO},
      {S::stTransfer, ENXIO, K::peNotFound},  // the device went away
  };
  for (const Case &c : cases)
    EXPECT_EQ(PortErrorKindOf(c.step, c.err), c.kind) << "step " << static_cast<int>(c.step) << " errno " << c.err;
}

TEST(PortErrorKind, ErrorCarriesTheSystemTextAndTheKindHasAName) {
  TPortError e = PortErrorOf(TLineStep::stLock, EWOULDBLOCK, "flock");
  EXPECT_TRUE(e.Failed());
  EXPECT_EQ(e.Kind, TPortErrorKind::peBusy);
  EXPECT_EQ(e.Text.rfind("flock: ", 0), 0u) << e.Text;
  EXPECT_GT(e.Text.size(), 7u);
  EXPECT_FALSE(TPortError{}.Failed());
  EXPECT_STREQ(PortErrorKindName(TPortErrorKind::peNoPermission), "no permission");
  EXPECT_STREQ(PortErrorKindName(TPortErrorKind::peNotASerialLine), "not a serial line");
}
