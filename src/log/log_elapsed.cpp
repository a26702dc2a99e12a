#include "log/log_elapsed.h"

std::string FormatElapsedDetail(uint32_t elapsedMs, const util::FormatSettings &settings) {
  return util::FormatWith(settings, "%3.3f сек", elapsedMs / 1000.0);
}
