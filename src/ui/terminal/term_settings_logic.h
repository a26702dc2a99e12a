#pragma once
// The terminal's ".settings2" section "TermForm" without Qt: the placement
// keys (each position written twice, under the screen size and plain) and
// the stored properties, in the order they are written.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace util {
class OrderedIni;
}

namespace term {

inline constexpr const char *kTermSection = "TermForm";

struct TWindowPlacement {
  int flags = 0;
  int showCmd = 1;  // 1 normal, 2 minimised, 3 maximised
  int pixelsPerInch = 96;
  std::array<int, 4> minMaxPos{-1, -1, -1, -1};  // minimised x, y; maximised x, y
  std::array<int, 4> normPos{0, 0, 0, 0};         // left, top, right, bottom
};

// The terminal's file beside the main window's: "vovor.settings" gives
// "vovor.settings2" (the name with "2" appended, whatever it is).
std::string TerminalSettingsPath(const std::string &mainSettingsPath);

// "1280x1024"
std::string ScreenSizeText(int width, int height);

// FormVersion, Flags, ShowCmd, PixelsPerInch, MinMaxPos(WxH), MinMaxPos,
// NormPos(WxH), NormPos, Visible: written into `section` of `ini`.
void WritePlacement(util::OrderedIni &ini, const std::string &section, const TWindowPlacement &placement,
                    int screenWidth, int screenHeight);
// The stored placement when the section's FormVersion is at least 0; the
// positions under the current screen size are preferred to the plain ones.
// Fields that are missing or unreadable keep their defaults.
std::optional<TWindowPlacement> ReadPlacement(const util::OrderedIni &ini, const std::string &section, int screenWidth,
                                              int screenHeight);

// "True"/"False" as stored Booleans read.
std::string BoolText(bool value);
std::optional<bool> ParseBool(const std::string &text);
std::optional<int> ParseInt(const std::string &text);

}  // namespace term
