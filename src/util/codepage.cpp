#include "util/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <string_view>

namespace util {

namespace {

// iconv descriptors are not thread-safe; each conversion opens its own.
std::string Convert(const char *to, const char *from, std::string_view text) {
  if (text.empty()) return {};
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  const bool fromUtf8 = std::string_view(from) == "UTF-8";
  std::string out;
  out.resize(text.size() * 4 + 8);
  char *in = const_cast<char *>(text.data());
  size_t inLeft = text.size();
  char *dst = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = static_cast<size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      outLeft = out.size() - used;
      continue;
    }
    // An unconvertible or broken sequence: skip one input byte, write '?'.
    if (outLeft == 0) {
      size_t used = static_cast<size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      outLeft = out.size() - used;
    }
    *dst++ = '?';
    --outLeft;
    ++in;
    --inLeft;
    // One '?' for a whole unconvertible UTF-8 character, not one per byte.
    while (fromUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
      ++in;
      --inLeft;
    }
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp866ToUtf8(std::string_view text) { return Convert("UTF-8", "CP866", text); }
std::string Cp1251ToUtf8(std::string_view text) { return Convert("UTF-8", "CP1251", text); }
std::string Utf8ToCp1251(std::string_view text) { return Convert("CP1251", "UTF-8", text); }
std::string Utf8ToCp866(std::string_view text) { return Convert("CP866", "UTF-8", text); }

}  // namespace util
