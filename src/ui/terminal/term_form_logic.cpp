#include "ui/terminal/term_form_logic.h"

#include "util/codepage.h"
#include "util/hex.h"

namespace term {

TBinText ParseBinText(std::string_view text) {
  TBinText out;
  out.bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); ++i) {
    if (util::HexDigitValue(text[i]) < 0) {
      out.bytes.clear();
      out.faultAt = i;
      out.fault = "не шестнадцатеричная цифра";
      return out;
    }
  }
  if (text.size() % 2 != 0) {
    out.faultAt = text.size() - 1;
    out.fault = "нечётное число цифр: у последней нет пары";
    return out;
  }
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    out.bytes += static_cast<char>(util::HexDigitValue(text[i]) * 16 + util::HexDigitValue(text[i + 1]));
  return out;
}

TSendData SendData(std::string_view text, bool bin) {
  TSendData out;
  if (!bin) {
    out.bytes = LineBytes(text) + "\r\n";
    return out;
  }
  TBinText parsed = ParseBinText(text);
  out.ok = !parsed.faultAt;
  out.bytes = std::move(parsed.bytes);
  out.faultAt = parsed.faultAt;
  out.fault = std::move(parsed.fault);
  return out;
}

std::string SendBoxText(std::string_view bytes, bool bin) {
  return bin ? util::BytesToHex(bytes) : util::Cp1251ToUtf8(bytes);
}

std::string LineBytes(std::string_view utf8) { return util::Utf8ToCp1251(utf8); }

std::string MacroCaption(int number, std::string_view text) { return std::to_string(number) + " " + std::string(text); }

std::string MacroTextOfCaption(std::string_view caption) {
  size_t blank = caption.find(' ');
  return blank == std::string_view::npos ? std::string() : std::string(caption.substr(blank + 1));
}

bool ClearsBeforeAppend(size_t size) { return size > kViewLimit; }

size_t AppendedAt(size_t sizeBefore) { return ClearsBeforeAppend(sizeBefore) ? 0 : sizeBefore; }

const std::vector<std::string> &CalculatorPrograms() {
  static const std::vector<std::string> programs{"gnome-calculator", "kcalc",         "galculator",
                                                 "mate-calc",        "qalculate-gtk", "xcalc"};
  return programs;
}

std::string NoCalculatorText() {
  std::string names;
  for (const auto &p : CalculatorPrograms()) names += (names.empty() ? "" : ", ") + p;
  return "Калькулятор не найден: не установлена ни одна из программ " + names +
         ".\nУстановите, например, gnome-calculator (sudo apt install gnome-calculator).";
}

}  // namespace term
