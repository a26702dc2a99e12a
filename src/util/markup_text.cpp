#include "util/markup_text.h"

#include <cctype>
#include <optional>
#include <vector>

namespace util::markup {

namespace {

// One piece of markup text: a literal character run, a line break or a tag.
struct Token {
  enum Kind { Text, Break, BoldOn, BoldOff, ColourOn, ColourOff } kind;
  std::string text;  // the run for Text, the colour for ColourOn
};

// A colour name of letters only ("Red", "clRed") or "#RRGGBB": nothing that
// could close the style attribute it goes into.
std::optional<std::string> ColourName(std::string_view name) {
  if (name.size() == 7 && name[0] == '#') {
    for (size_t i = 1; i < 7; ++i)
      if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
    return std::string(name);
  }
  if (name.size() > 2 && (name.substr(0, 2) == "cl")) name.remove_prefix(2);
  if (name.empty() || name.size() > 32) return std::nullopt;
  std::string lower;
  for (char c : name) {
    if (!std::isalpha(static_cast<unsigned char>(c))) return std::nullopt;
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return lower;
}

// The tag that starts at `text[0]` ('<'), with its length; nothing when the
// text there is no tag of the markup.
std::optional<Token> TagAt(std::string_view text, size_t *length) {
  auto fixed = [&](std::string_view tag, Token::Kind kind) -> std::optional<Token> {
    if (text.substr(0, tag.size()) != tag) return std::nullopt;
    *length = tag.size();
    return Token{kind, {}};
  };
  for (auto [tag, kind] : {std::pair<std::string_view, Token::Kind>{"<b>", Token::BoldOn},
                           {"</b>", Token::BoldOff},
                           {"</c>", Token::ColourOff}})
    if (auto t = fixed(tag, kind)) return t;
  if (text.substr(0, 3) != "<c:") return std::nullopt;
  size_t close = text.find('>', 3);
  if (close == std::string_view::npos) return std::nullopt;
  auto colour = ColourName(text.substr(3, close - 3));
  if (!colour) return std::nullopt;
  *length = close + 1;
  return Token{Token::ColourOn, *colour};
}

std::vector<Token> Tokenize(std::string_view markup) {
  std::vector<Token> tokens;
  auto literal = [&](char c) {
    if (tokens.empty() || tokens.back().kind != Token::Text) tokens.push_back({Token::Text, {}});
    tokens.back().text += c;
  };
  for (size_t i = 0; i < markup.size();) {
    char c = markup[i];
    if (c == '\r' || c == '\n') {
      tokens.push_back({Token::Break, {}});
      i += (c == '\r' && i + 1 < markup.size() && markup[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    size_t length = 0;
    if (c == '<') {
      if (auto tag = TagAt(markup.substr(i), &length)) {
        tokens.push_back(*tag);
        i += length;
        continue;
      }
    }
    literal(c);
    ++i;
  }
  return tokens;
}

void AppendEscaped(std::string &out, const std::string &run) {
  char previous = ' ';  // a run's first space is kept too
  for (char c : run) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case ' ': out += previous == ' ' ? "&nbsp;" : " "; break;
      default: out += c;
    }
    previous = c;
  }
}

}  // namespace

std::string ToRichText(std::string_view markup) {
  std::string out;
  int bold = 0;
  std::vector<std::string> colours;
  for (const auto &t : Tokenize(markup)) {
    switch (t.kind) {
      case Token::Break: out += "<br>"; break;
      case Token::BoldOn: ++bold; break;
      case Token::BoldOff: bold = bold > 0 ? bold - 1 : 0; break;
      case Token::ColourOn: colours.push_back(t.text); break;
      case Token::ColourOff:
        if (!colours.empty()) colours.pop_back();
        break;
      case Token::Text: {
        std::string style;
        if (bold > 0) style += "font-weight:bold;";
        if (!colours.empty()) style += "color:" + colours.back() + ";";
        if (style.empty()) {
          AppendEscaped(out, t.text);
        } else {
          out += "<span style=\"" + style + "\">";
          AppendEscaped(out, t.text);
          out += "</span>";
        }
        break;
      }
    }
  }
  return out;
}

std::string ToPlainText(std::string_view markup) {
  std::string out;
  for (const auto &t : Tokenize(markup)) {
    if (t.kind == Token::Text) out += t.text;
    if (t.kind == Token::Break) out += '\n';
  }
  return out;
}

}  // namespace util::markup
