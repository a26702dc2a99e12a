#pragma once
// The lines of the "О программе" window, Qt-free so they can be checked
// without a display.
#include <string>
#include <vector>

namespace about_dialog {

struct AboutLine {
  std::string caption;
  std::string value;
};

// Version, build date, licence and the settings file the window uses.
std::vector<AboutLine> AboutLines(const std::string &settingsPath);

}  // namespace about_dialog
