#pragma once
// Texts that come from a device or a file and are printed on a terminal:
// control characters in them could move the cursor, retitle the window or
// worse, so they are shown as \xNN instead.
#include <string>
#include <string_view>

namespace util {

// C0 controls, DEL and the C1 controls (U+0080..U+009F, as UTF-8) become
// "\xNN"; a backslash becomes "\\"; everything else stays as it is.
std::string EscapeControlCharacters(std::string_view text);

}  // namespace util
