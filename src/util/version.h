#pragma once
// The programs' version and build date, as `--version` and the about window
// show them.
#include <string>

namespace util {

std::string VersionNumber();  // "0.1"
std::string BuildDate();      // "2026-12-10"
// "NAME 0.1 (built 2026-12-10)"
std::string VersionLine(const std::string &program);

}  // namespace util
