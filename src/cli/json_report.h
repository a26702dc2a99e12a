#pragma once
// What `--json` prints: one object per command with the fields the command
// decoded, its result code and text, and its exit status. Scripts read this
// instead of the "name: value" lines.
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace cli {

class JsonReport {
 public:
  // A field printed twice (a table's rows) becomes an array of its values.
  void Field(const std::string &name, const std::string &value);
  void Record(const std::string &list, const std::vector<std::pair<std::string, std::string>> &fields);
  void Result(int code, const std::string &text);
  void Error(const std::string &text);
  // `text` is whatever else the command printed (tables, dumps), kept as lines.
  std::string Render(const std::string &command, int exitStatus, const std::string &text) const;

  // A value that is a plain decimal number becomes a JSON number; anything
  // else ("0x0D", "12:30", "2.5 V") stays a string.
  static nlohmann::ordered_json Value(const std::string &text);

 private:
  nlohmann::ordered_json fields_ = nlohmann::ordered_json::object();
  nlohmann::ordered_json result_;
  std::string error_;
};

}  // namespace cli
