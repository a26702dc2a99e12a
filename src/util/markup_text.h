#pragma once
// The small markup some labels carry: "<b>".."</b>" bold, "<c:Red>".."</c>"
// coloured, CR LF a line break. Everything else is literal text, so a text
// that came from a modem can never turn into rich text of its own.
#include <string>
#include <string_view>

namespace util::markup {

// Rich text for a label: each literal run escaped and wrapped in a span of
// its own, so unbalanced or crossed tags still give well-formed output.
// CR LF, a lone LF and a lone CR each become one line break; runs of spaces
// are kept.
std::string ToRichText(std::string_view markup);

// The same text with the markup removed and every line break as "\n":
// what the command line prints.
std::string ToPlainText(std::string_view markup);

}  // namespace util::markup
