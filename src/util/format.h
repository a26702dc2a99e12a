#pragma once
// Format with the template rules the program's texts are written in:
//   %d decimal, %u unsigned, %x upper-case hex, %s text, %f %e %g %n numbers,
//   "%[index:][-][width][.prec]type", '*' takes width or precision from the
//   arguments, "%%" is a percent sign.
//   A precision on an integer pads with zeros ("%2.2x" of 5 is "05"); a
//   negative integer under %x or %u is its 32-bit two's complement; %f without
//   a precision gives two decimals; %s with a precision cuts the text.
// Bad templates never throw: the offending text is copied as it stands, a
// missing argument formats as empty.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace util {

struct FormatSettings {
  char decimalSeparator = '.';
  char thousandSeparator = ',';
};

// The decimal separator of the user's locale (LC_NUMERIC), for texts that the
// program shows in the user's number format.
FormatSettings LocaleFormatSettings();

class FormatArg {
 public:
  enum class Kind { Int, Float, Text };

  template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>, int> = 0>
  FormatArg(T v) : kind_(Kind::Int), int_(static_cast<int64_t>(v)), unsigned64_(std::is_unsigned_v<T> && sizeof(T) == 8) {}
  FormatArg(bool v) : kind_(Kind::Int), int_(v ? 1 : 0) {}
  FormatArg(char v) : kind_(Kind::Text), text_(1, v) {}
  FormatArg(double v) : kind_(Kind::Float), float_(v) {}
  FormatArg(float v) : kind_(Kind::Float), float_(v) {}
  FormatArg(long double v) : kind_(Kind::Float), float_(static_cast<double>(v)) {}
  FormatArg(const char *v) : kind_(Kind::Text), text_(v ? v : "") {}
  FormatArg(std::string v) : kind_(Kind::Text), text_(std::move(v)) {}
  FormatArg(std::string_view v) : kind_(Kind::Text), text_(v) {}

  Kind kind() const { return kind_; }
  int64_t asInt() const;
  double asFloat() const;
  std::string asText() const;
  bool isUnsigned64() const { return unsigned64_; }

 private:
  Kind kind_;
  int64_t int_ = 0;
  double float_ = 0;
  std::string text_;
  bool unsigned64_ = false;
};

std::string FormatV(const FormatSettings &settings, std::string_view fmt, const std::vector<FormatArg> &args);

template <typename... A>
std::string Format(std::string_view fmt, A &&...args) {
  return FormatV(FormatSettings{}, fmt, std::vector<FormatArg>{FormatArg(std::forward<A>(args))...});
}

template <typename... A>
std::string FormatWith(const FormatSettings &settings, std::string_view fmt, A &&...args) {
  return FormatV(settings, fmt, std::vector<FormatArg>{FormatArg(std::forward<A>(args))...});
}

}  // namespace util
