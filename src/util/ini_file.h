#pragma once
// A small ini store that keeps sections and keys in the order they were
// first written, so settings files read the way the program writes them.
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace util {

class OrderedIni {
 public:
  // Reads `path`; a missing or unreadable file gives an empty store (false,
  // the reason in *error). So does a file over kMaxBytes: no settings file
  // is that large, and reading it would hold up the start. Lines that are
  // not "[section]" or "key=value" are skipped.
  bool Load(const std::string &path, std::string *error = nullptr);
  static constexpr size_t kMaxBytes = 1 << 20;
  // Writes every section in order; false (with the reason) when the file
  // cannot be written. Written to a temporary file first, so a failed write
  // never leaves half a settings file behind.
  bool Save(const std::string &path, std::string *error = nullptr) const;

  std::optional<std::string> Get(const std::string &section, const std::string &key) const;
  void Set(const std::string &section, const std::string &key, const std::string &value);
  std::vector<std::pair<std::string, std::string>> Keys(const std::string &section) const;

  std::string ToText() const;
  void FromText(const std::string &text);

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
    std::unordered_map<std::string, size_t> keyIndex;  // into values
  };
  Section &SectionNamed(const std::string &name);
  const Section *FindSection(const std::string &name) const;
  // Lookups by name keep reading a file linear in its size.
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;  // into sections_
};

// Where a settings file with `extension` (".settings") lives: next to the
// executable, named like it, when that folder is writable; otherwise under
// $XDG_CONFIG_HOME/vovor/ (or ~/.config/vovor/) with the same file name.
std::string SettingsFilePath(const std::string &executablePath, const std::string &extension);

}  // namespace util
