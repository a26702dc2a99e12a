#include "cli/json_report.h"

#include <charconv>
#include <sstream>

#include "util/number_text.h"

namespace cli {

namespace {

bool PlainInteger(const std::string &t, long long *v) {
  const size_t digits = !t.empty() && t[0] == '-' ? 1 : 0;
  // "007" is a text (a serial number, a code), not a number a script should
  // see rewritten as 7.
  if (t.size() > digits + 1 && t[digits] == '0') return false;
  const util::IntegerText number = util::ReadInteger(t, util::NumberBase::Decimal);
  if (number.status != util::IntegerText::Ok) return false;
  *v = number.value;
  return true;
}

bool PlainDecimal(const std::string &t, double *v) {
  size_t point = t.find('.');
  if (point == std::string::npos || point == 0 || point + 1 >= t.size()) return false;
  long long whole = 0;
  std::string head = t.substr(0, point);
  if (head != "0" && head != "-0" && !PlainInteger(head, &whole)) return false;
  for (size_t i = point + 1; i < t.size(); ++i)
    if (t[i] < '0' || t[i] > '9') return false;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), *v);
  return ec == std::errc() && end == t.data() + t.size();
}

}  // namespace

nlohmann::ordered_json JsonReport::Value(const std::string &text) {
  long long integer = 0;
  if (PlainInteger(text, &integer)) return integer;
  double decimal = 0;
  if (PlainDecimal(text, &decimal)) return decimal;
  return text;
}

void JsonReport::Field(const std::string &name, const std::string &value) {
  auto v = Value(value);
  auto it = fields_.find(name);
  if (it == fields_.end()) {
    fields_[name] = v;
  } else if (it->is_array()) {  // values are scalars: an array is a repeated field
    it->push_back(v);
  } else {
    *it = nlohmann::ordered_json::array({*it, v});
  }
}

void JsonReport::Record(const std::string &list, const std::vector<std::pair<std::string, std::string>> &fields) {
  auto entry = nlohmann::ordered_json::object();
  for (const auto &[name, value] : fields) entry[name] = Value(value);
  auto &rows = fields_[list];
  if (!rows.is_array()) rows = nlohmann::ordered_json::array();
  rows.push_back(std::move(entry));
}

void JsonReport::Result(int code, const std::string &text) { result_ = {{"code", code}, {"text", text}}; }

void JsonReport::Error(const std::string &text) { error_ = text; }

std::string JsonReport::Render(const std::string &command, int exitStatus, const std::string &text) const {
  nlohmann::ordered_json o;
  o["command"] = command;
  o["exit"] = exitStatus;
  if (!result_.is_null()) o["result"] = result_;
  if (!error_.empty()) o["error"] = error_;
  o["fields"] = fields_;
  if (!text.empty()) {
    auto lines = nlohmann::ordered_json::array();
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    o["output"] = lines;
  }
  // Bytes that are not UTF-8 (a device name in another code page) are
  // replaced rather than failing the whole report.
  return o.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace cli
