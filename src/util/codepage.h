#pragma once
// Conversions at the edges of the program: the modem's version text comes in
// CP866, device and node names are kept in CP1251; inside, texts are UTF-8.
#include <string>
#include <string_view>

namespace util {

std::string Cp866ToUtf8(std::string_view text);
std::string Cp1251ToUtf8(std::string_view text);
// Characters that CP1251 cannot hold become '?'.
std::string Utf8ToCp1251(std::string_view text);
std::string Utf8ToCp866(std::string_view text);

}  // namespace util
