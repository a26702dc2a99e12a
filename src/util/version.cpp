#include "util/version.h"

namespace util {

std::string VersionNumber() { return VOVOR_VERSION; }
std::string BuildDate() { return VOVOR_BUILD_DATE; }
std::string VersionLine(const std::string &program) {
  return program + " " + VersionNumber() + " (built " + BuildDate() + ")";
}

}  // namespace util
