#include "port/port_error.h"

#include <cerrno>
#include <cstring>

namespace port {

TPortErrorKind PortErrorKindOf(TLineStep step, int err) {
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR: return TPortErrorKind::peNotFound;
    case EBUSY: return TPortErrorKind::peBusy;
    case EACCES:
    case EPERM: return TPortErrorKind::peNoPermission;
    default: break;
  }
  switch (step) {
    case TLineStep::stOpen:
      // A folder given as the port's name.
      if (err == EISDIR) return TPortErrorKind::peNotASerialLine;
      break;
    case TLineStep::stLock:
      // The lock is held by another open of the same line.
      if (err == EWOULDBLOCK || err == EAGAIN) return TPortErrorKind::peBusy;
      break;
    case TLineStep::stGetAttributes:
      if (err == ENOTTY || err == EINVAL) return TPortErrorKind::peNotASerialLine;
      break;
    case TLineStep::stSetAttributes:
      if (err == EINVAL) return TPortErrorKind::peUnsupportedSetting;
      break;
    case TLineStep::stTransfer: break;
  }
  return TPortErrorKind::peIO;
}

TPortError PortErrorOf(TLineStep step, int err, const std::string &what) {
  TPortError e;
  e.Kind = PortErrorKindOf(step, err);
  e.Text = what.empty() ? std::string(std::strerror(err)) : what + ": " + std::strerror(err);
  return e;
}

const char *PortErrorKindName(TPortErrorKind kind) {
  switch (kind) {
    case TPortErrorKind::peNone: return "no error";
    case TPortErrorKind::peNotFound: return "not found";
    case TPortErrorKind::peBusy: return "busy";
    case TPortErrorKind::peNoPermission: return "no permission";
    case TPortErrorKind::peNotASerialLine: return "not a serial line";
    case TPortErrorKind::peUnsupportedSetting: return "unsupported setting";
    case TPortErrorKind::peIO: return "I/O error";
  }
  return "I/O error";
}

}  // namespace port
