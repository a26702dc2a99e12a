#pragma once
// One frame an action sent or received, kept on the action's log node so the
// log can show the bytes behind a result.
#include <cstdint>
#include <string>

struct TLogFrame {
  bool sent = false;     // to the modem; else from it
  std::string bytes;     // as they went over the line
  int64_t unixMs = 0;    // wall-clock time, milliseconds since 1970
};
