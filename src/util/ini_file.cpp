#include "util/ini_file.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "util/file_read.h"
#include "util/file_write.h"

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
  sectionIndex_.clear();
  std::istringstream in(text);
  std::string line;
  std::string current;
  bool inSection = false;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      current = t.substr(1, t.size() - 2);
      inSection = true;
      SectionNamed(current);
      continue;
    }
    size_t eq = t.find('=');
    if (!inSection || eq == std::string::npos) continue;
    Set(current, Trim(t.substr(0, eq)), t.substr(eq + 1));
  }
}

bool OrderedIni::Load(const std::string &path, std::string *error) {
  std::string text;
  if (!ReadRegularFile(path, kMaxBytes, &text, error)) {
    sections_.clear();
    sectionIndex_.clear();
    return false;
  }
  FromText(text);
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
  return WriteFileAtomically(path, ToText(), error);
}

OrderedIni::Section &OrderedIni::SectionNamed(const std::string &name) {
  auto [it, added] = sectionIndex_.try_emplace(name, sections_.size());
  if (added) sections_.push_back({name, {}, {}});
  return sections_[it->second];
}

const OrderedIni::Section *OrderedIni::FindSection(const std::string &name) const {
  auto it = sectionIndex_.find(name);
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string> OrderedIni::Get(const std::string &section, const std::string &key) const {
  const Section *s = FindSection(section);
  if (!s) return std::nullopt;
  auto it = s->keyIndex.find(key);
  if (it == s->keyIndex.end()) return std::nullopt;
  return s->values[it->second].second;
}

void OrderedIni::Set(const std::string &section, const std::string &key, const std::string &value) {
  Section &s = SectionNamed(section);
  auto [it, added] = s.keyIndex.try_emplace(key, s.values.size());
  if (added)
    s.values.emplace_back(key, value);
  else
    s.values[it->second].second = value;
}

std::vector<std::pair<std::string, std::string>> OrderedIni::Keys(const std::string &section) const {
  const Section *s = FindSection(section);
  return s ? s->values : std::vector<std::pair<std::string, std::string>>{};
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
