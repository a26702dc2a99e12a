#pragma once
// The settings section a window keeps in its own file (".settings2",
// ".settings3"): "FormVersion", the window placement, "Visible", then one key
// per stored property, named component + "_" + property. Free of Qt, so the
// key order and the value texts are tested without a display.
#include <array>
#include <optional>
#include <string>

#include "util/ini_file.h"

namespace form_storage {

// Show states as the placement keeps them.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

struct TPlacement {
  int flags = 0;
  int showCmd = kShowNormal;
  int pixelsPerInch = 96;
  std::array<int, 4> minMaxPos{-1, -1, -1, -1};  // minimised x, y; maximised x, y
  std::array<int, 4> normPos{0, 0, 0, 0};         // left, top, right, bottom of the normal rectangle
  bool visible = false;
};

struct TScreenSize {
  int width = 0;
  int height = 0;
};

// Writes "FormVersion" 0, "Flags", "ShowCmd", "PixelsPerInch",
// "MinMaxPos(WxH)", "MinMaxPos", "NormPos(WxH)", "NormPos" and "Visible", in
// that order; the stored properties follow with Set.
void WritePlacement(util::OrderedIni &ini, const std::string &section, const TPlacement &placement,
                    TScreenSize screen);
// The stored placement, the keys of this screen size preferred; nothing
// when the section holds none, its "FormVersion" is below 0 or its normal
// rectangle is no rectangle.
std::optional<TPlacement> ReadPlacement(const util::OrderedIni &ini, const std::string &section, TScreenSize screen);
// True when the section may be applied at all ("FormVersion" missing or >= 0).
bool SectionApplies(const util::OrderedIni &ini, const std::string &section);

// "AddrRxSpinEdit_Value"
std::string PropertyKey(const std::string &component, const std::string &property);
// Booleans as "True" and "False"; reading also takes any letter case.
std::string BoolText(bool value);
std::optional<bool> ParseBool(const std::string &text);

}  // namespace form_storage
