#pragma once
// What kind of failure a port met, beside the system's own words, so callers
// can act on it (tell the user to join the dialout group, to close another
// program) without parsing a message.
#include <string>

namespace port {

enum class TPortErrorKind {
  peNone,
  peNotFound,            // no such device
  peBusy,                // another program (or another port object) holds it
  peNoPermission,        // the user may not open it
  peNotASerialLine,      // a file or device that is no terminal
  peUnsupportedSetting,  // the line refused a speed or a line setting
  peIO,                  // anything else, including a failed or short write
};

// The step of the line's work a system error came from: the same errno
// means different things on different steps (EINVAL from tcgetattr is "not
// a terminal", from tcsetattr "setting refused").
enum class TLineStep { stOpen, stLock, stGetAttributes, stSetAttributes, stTransfer };

struct TPortError {
  TPortErrorKind Kind = TPortErrorKind::peNone;
  // The system's words, such as "Permission denied" or "wrote 3 of 10 bytes".
  std::string Text;

  bool Failed() const { return Kind != TPortErrorKind::peNone; }
};

// The one place errno becomes a kind.
TPortErrorKind PortErrorKindOf(TLineStep step, int err);
// A failure of `step` with errno `err`, the system's text prefixed by `what`
// when given ("flock: Resource temporarily unavailable").
TPortError PortErrorOf(TLineStep step, int err, const std::string &what = {});

// The kind in plain English words, as vovorctl prints it ("no permission").
const char *PortErrorKindName(TPortErrorKind kind);

}  // namespace port
