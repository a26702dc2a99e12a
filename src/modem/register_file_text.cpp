#include "modem/register_file_text.h"

#include <vector>

#include "util/format.h"
#include "util/number_text.h"

namespace modem {

namespace {

// Names are padded to the longest ("VCO_VC_DAC") so the values line up.
constexpr int kNameWidth = 10;
// An offending word is quoted in the error, cut to a readable length.
constexpr size_t kQuotedWordLimit = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// "0x" and hex digits, or decimal digits; none past `max`.
std::optional<int> SmallNumber(std::string_view word, int max) {
  auto value = util::ParseInteger(word, 0, max);
  if (!value) return std::nullopt;
  return static_cast<int>(*value);
}

std::string Quoted(std::string_view word) {
  std::string text(word.substr(0, kQuotedWordLimit));
  // Control bytes would garble the message that shows the word.
  for (char &c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  if (word.size() > kQuotedWordLimit) text += "…";
  return "«" + text + "»";
}

}  // namespace

std::string FormatRegisterFile(const RegisterSnapshot &registers) {
  std::string text = "# Регистры приёмопередатчика: адрес, имя, значение\n";
  for (int a = 0; a < kRegisterRowCount; ++a) {
    if (!registers.Has(a)) continue;
    text += util::Format("0x%2.2x %-*s 0x%2.2x\n", a, kNameWidth, RegisterName(a), *registers.values[a]);
  }
  return text;
}

std::optional<RegisterSnapshot> ParseRegisterFile(std::string_view text, std::string *error) {
  RegisterSnapshot result;
  std::array<int, kRegisterRowCount> lineOf{};
  auto fail = [&](int line, const std::string &why) {
    if (error) *error = util::Format("строка %d: ", line) + why;
    return std::nullopt;
  };
  int lineNumber = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    auto words = Words(line);
    if (words.empty()) continue;
    if (words.size() < 3) return fail(lineNumber, "нужны адрес, имя и значение регистра");
    std::string name(words[1]);
    for (size_t k = 2; k + 1 < words.size(); ++k) name += " " + std::string(words[k]);
    auto address = SmallNumber(words.front(), kRegisterRowCount - 1);
    if (!address) return fail(lineNumber, "адрес " + Quoted(words.front()) + " не из 0x00..0x3B");
    if (RegisterAddress(name) != *address)
      return fail(lineNumber, util::Format("по адресу 0x%2.2x регистр %s, а не ", *address, RegisterName(*address)) +
                                  Quoted(name));
    auto value = SmallNumber(words.back(), 255);
    if (!value) return fail(lineNumber, "значение " + Quoted(words.back()) + " не байт (0..255)");
    if (result.Has(*address))
      return fail(lineNumber, util::Format("регистр %s уже задан в строке %d", RegisterName(*address), lineOf[*address]));
    result.values[*address] = static_cast<uint8_t>(*value);
    lineOf[*address] = lineNumber;
  }
  if (result.Count() == 0) {
    if (error) *error = "в файле нет ни одного регистра";
    return std::nullopt;
  }
  return result;
}

std::string FormatRegisterHeader(const RegisterSnapshot &registers) {
  std::string text =
      "/* Transceiver configuration registers saved by VO_Vor */\n"
      "#ifndef VOVOR_TRANSCEIVER_REGISTERS_H\n"
      "#define VOVOR_TRANSCEIVER_REGISTERS_H\n\n";
  for (int a = 0; a <= kLastConfigurationRegister; ++a) {
    if (!registers.Has(a)) continue;
    text += util::Format("#define VOVOR_%-*s 0x%2.2x  /* address 0x%2.2x */\n", kNameWidth, RegisterName(a),
                         *registers.values[a], a);
  }
  return text + "\n#endif\n";
}

}  // namespace modem
