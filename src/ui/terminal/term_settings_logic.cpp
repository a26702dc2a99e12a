#include "ui/terminal/term_settings_logic.h"

#include <cstdint>

#include "ui/main/shell_logic.h"
#include "util/ini_file.h"

namespace term {

namespace {

std::string Four(const std::array<int, 4> &v) {
  return std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "," + std::to_string(v[3]);
}

std::optional<std::array<int, 4>> ParseFour(const std::string &text) {
  std::array<int, 4> out{};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    size_t comma = text.find(',', start);
    if ((i < 3) != (comma != std::string::npos)) return std::nullopt;
    auto n = ParseInt(text.substr(start, i < 3 ? comma - start : std::string::npos));
    if (!n) return std::nullopt;
    out[static_cast<size_t>(i)] = *n;
    start = comma + 1;
  }
  return out;
}

}  // namespace

std::string TerminalSettingsPath(const std::string &mainSettingsPath) { return mainSettingsPath + "2"; }

std::string ScreenSizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

void WritePlacement(util::OrderedIni &ini, const std::string &section, const TWindowPlacement &p, int screenWidth,
                    int screenHeight) {
  const std::string size = "(" + ScreenSizeText(screenWidth, screenHeight) + ")";
  ini.Set(section, "FormVersion", "0");
  ini.Set(section, "Flags", std::to_string(p.flags));
  ini.Set(section, "ShowCmd", std::to_string(p.showCmd));
  ini.Set(section, "PixelsPerInch", std::to_string(p.pixelsPerInch));
  ini.Set(section, "MinMaxPos" + size, Four(p.minMaxPos));
  ini.Set(section, "MinMaxPos", Four(p.minMaxPos));
  ini.Set(section, "NormPos" + size, Four(p.normPos));
  ini.Set(section, "NormPos", Four(p.normPos));
  ini.Set(section, "Visible", "1");
}

std::optional<TWindowPlacement> ReadPlacement(const util::OrderedIni &ini, const std::string &section, int screenWidth,
                                              int screenHeight) {
  auto version = ini.Get(section, "FormVersion");
  if (!version) return std::nullopt;
  auto v = ParseInt(*version);
  if (!v || *v < 0) return std::nullopt;
  TWindowPlacement p;
  auto number = [&](const char *key, int &field) {
    if (auto text = ini.Get(section, key))
      if (auto n = ParseInt(*text)) field = *n;
  };
  number("Flags", p.flags);
  number("ShowCmd", p.showCmd);
  number("PixelsPerInch", p.pixelsPerInch);
  const std::string size = "(" + ScreenSizeText(screenWidth, screenHeight) + ")";
  auto four = [&](const std::string &key, std::array<int, 4> &field) {
    for (const std::string &k : {key + size, key}) {
      auto text = ini.Get(section, k);
      if (!text) continue;
      if (auto values = ParseFour(*text)) {
        field = *values;
        return;
      }
    }
  };
  four("MinMaxPos", p.minMaxPos);
  four("NormPos", p.normPos);
  return p;
}

std::string BoolText(bool value) { return value ? "True" : "False"; }

std::optional<bool> ParseBool(const std::string &text) {
  if (text == "True" || text == "1") return true;
  if (text == "False" || text == "0") return false;
  return std::nullopt;
}

std::optional<int> ParseInt(const std::string &text) {
  auto v = shell::ParseSettingInteger(text);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace term
