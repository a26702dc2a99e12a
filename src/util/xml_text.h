#pragma once
// Text put into an HTML or SVG document: the characters that would end a
// text or an attribute become entities.
#include <string>
#include <string_view>

namespace util {

std::string XmlEscaped(std::string_view text);

}  // namespace util
