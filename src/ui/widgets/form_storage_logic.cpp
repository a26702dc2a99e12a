#include "ui/widgets/form_storage_logic.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "ui/main/shell_logic.h"

namespace form_storage {

namespace {

using shell::ParseSettingInteger;

std::string Join(const std::array<int, 4> &v) {
  return std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "," +
         std::to_string(v[3]);
}

std::optional<std::array<int, 4>> ParseFour(const std::string &text) {
  std::array<int, 4> v{};
  std::istringstream in(text);
  std::string part;
  for (int k = 0; k < 4; ++k) {
    if (!std::getline(in, part, ',')) return std::nullopt;
    auto n = ParseSettingInteger(part);
    if (!n || *n < -100000 || *n > 100000) return std::nullopt;
    v[k] = static_cast<int>(*n);
  }
  if (std::getline(in, part, ',')) return std::nullopt;
  return v;
}

std::string ScreenKey(const std::string &name, TScreenSize screen) {
  return name + "(" + std::to_string(screen.width) + "x" + std::to_string(screen.height) + ")";
}

// The key of this screen size when it is there, else the plain one.
std::optional<std::string> PreferScreen(const util::OrderedIni &ini, const std::string &section,
                                        const std::string &name, TScreenSize screen) {
  if (auto v = ini.Get(section, ScreenKey(name, screen))) return v;
  return ini.Get(section, name);
}

}  // namespace

void WritePlacement(util::OrderedIni &ini, const std::string &section, const TPlacement &p, TScreenSize screen) {
  ini.Set(section, "FormVersion", "0");
  ini.Set(section, "Flags", std::to_string(p.flags));
  ini.Set(section, "ShowCmd", std::to_string(p.showCmd));
  ini.Set(section, "PixelsPerInch", std::to_string(p.pixelsPerInch));
  ini.Set(section, ScreenKey("MinMaxPos", screen), Join(p.minMaxPos));
  ini.Set(section, "MinMaxPos", Join(p.minMaxPos));
  ini.Set(section, ScreenKey("NormPos", screen), Join(p.normPos));
  ini.Set(section, "NormPos", Join(p.normPos));
  ini.Set(section, "Visible", p.visible ? "1" : "0");
}

bool SectionApplies(const util::OrderedIni &ini, const std::string &section) {
  auto version = ini.Get(section, "FormVersion");
  if (!version) return true;
  auto n = ParseSettingInteger(*version);
  return n && *n >= 0;
}

std::optional<TPlacement> ReadPlacement(const util::OrderedIni &ini, const std::string &section, TScreenSize screen) {
  if (!SectionApplies(ini, section)) return std::nullopt;
  auto norm = PreferScreen(ini, section, "NormPos", screen);
  auto rect = norm ? ParseFour(*norm) : std::nullopt;
  if (!rect || (*rect)[2] <= (*rect)[0] || (*rect)[3] <= (*rect)[1]) return std::nullopt;
  TPlacement p;
  p.normPos = *rect;
  if (auto minMax = PreferScreen(ini, section, "MinMaxPos", screen))
    if (auto v = ParseFour(*minMax)) p.minMaxPos = *v;
  auto integer = [&](const char *key, int fallback) {
    auto v = ini.Get(section, key);
    auto n = v ? ParseSettingInteger(*v) : std::nullopt;
    return n && *n >= -100000 && *n <= 100000 ? static_cast<int>(*n) : fallback;
  };
  p.flags = integer("Flags", 0);
  p.showCmd = integer("ShowCmd", kShowNormal);
  p.pixelsPerInch = integer("PixelsPerInch", 96);
  p.visible = integer("Visible", 0) != 0;
  return p;
}

std::string PropertyKey(const std::string &component, const std::string &property) {
  return component + "_" + property;
}

std::string BoolText(bool value) { return value ? "True" : "False"; }

std::optional<bool> ParseBool(const std::string &text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower == "true") return true;
  if (lower == "false") return false;
  return std::nullopt;
}

}  // namespace form_storage
