#include "util/ini_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace util {

namespace {
std::string Trim(const std::string &s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}
}  // namespace

void OrderedIni::FromText(const std::string &text) {
  sections_.clear();
  std::istringstream in(text);
  std::string line;
  Section *current = nullptr;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      std::string name = t.substr(1, t.size() - 2);
      current = nullptr;
      for (auto &s : sections_)
        if (s.name == name) current = &s;
      if (!current) {
        sections_.push_back({name, {}});
        current = &sections_.back();
      }
      continue;
    }
    size_t eq = t.find('=');
    if (!current || eq == std::string::npos) continue;
    Set(current->name, Trim(t.substr(0, eq)), t.substr(eq + 1));
    for (auto &s : sections_)
      if (s.name == current->name) current = &s;
  }
}

bool OrderedIni::Load(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    sections_.clear();
    return false;
  }
  std::stringstream buf;
  buf << f.rdbuf();
  FromText(buf.str());
  return true;
}

std::string OrderedIni::ToText() const {
  std::string out;
  for (const auto &s : sections_) {
    out += "[" + s.name + "]\n";
    for (const auto &[k, v] : s.values) out += k + "=" + v + "\n";
    out += "\n";
  }
  return out;
}

bool OrderedIni::Save(const std::string &path, std::string *error) const {
  std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) {
      if (error) *error = "cannot write " + tmp;
      return false;
    }
    f << ToText();
    if (!f.flush()) {
      if (error) *error = "cannot write " + tmp;
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    if (error) *error = "cannot replace " + path;
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

std::optional<std::string> OrderedIni::Get(const std::string &section, const std::string &key) const {
  for (const auto &s : sections_) {
    if (s.name != section) continue;
    for (const auto &[k, v] : s.values)
      if (k == key) return v;
  }
  return std::nullopt;
}

void OrderedIni::Set(const std::string &section, const std::string &key, const std::string &value) {
  for (auto &s : sections_) {
    if (s.name != section) continue;
    for (auto &kv : s.values) {
      if (kv.first == key) {
        kv.second = value;
        return;
      }
    }
    s.values.emplace_back(key, value);
    return;
  }
  sections_.push_back({section, {{key, value}}});
}

std::vector<std::pair<std::string, std::string>> OrderedIni::Keys(const std::string &section) const {
  for (const auto &s : sections_)
    if (s.name == section) return s.values;
  return {};
}

std::string SettingsFilePath(const std::string &executablePath, const std::string &extension) {
  namespace fs = std::filesystem;
  fs::path exe(executablePath);
  fs::path name = exe.filename();
  name.replace_extension(extension);
  fs::path dir = exe.parent_path();
  if (!dir.empty() && access(dir.c_str(), W_OK) == 0) return (dir / name).string();
  const char *xdg = std::getenv("XDG_CONFIG_HOME");
  fs::path base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char *home = std::getenv("HOME");
    base = fs::path(home && *home ? home : "/tmp") / ".config";
  }
  fs::path target = base / "vovor";
  std::error_code ec;
  fs::create_directories(target, ec);
  return (target / name).string();
}

}  // namespace util
