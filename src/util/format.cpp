#include "util/format.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>

namespace util {

FormatSettings LocaleFormatSettings() {
  FormatSettings s;
  const lconv *lc = std::localeconv();
  // Separators are single characters here; a locale whose separator is a
  // multi-byte character (ru_RU groups with a no-break space) must not leave
  // half a UTF-8 sequence in the text.
  auto singleByte = [](const char *text) {
    return text && text[0] && !text[1] && static_cast<unsigned char>(text[0]) < 0x80;
  };
  if (lc && singleByte(lc->decimal_point)) s.decimalSeparator = lc->decimal_point[0];
  if (lc && singleByte(lc->thousands_sep)) s.thousandSeparator = lc->thousands_sep[0];
  else if (lc && lc->thousands_sep && lc->thousands_sep[0]) s.thousandSeparator = ' ';
  return s;
}

int64_t FormatArg::asInt() const {
  switch (kind_) {
    case Kind::Int: return int_;
    case Kind::Float: return std::isfinite(float_) ? static_cast<int64_t>(float_) : 0;
    case Kind::Text: return 0;
  }
  return 0;
}

double FormatArg::asFloat() const {
  switch (kind_) {
    case Kind::Int: return unsigned64_ ? static_cast<double>(static_cast<uint64_t>(int_)) : static_cast<double>(int_);
    case Kind::Float: return float_;
    case Kind::Text: return 0;
  }
  return 0;
}

std::string FormatArg::asText() const {
  switch (kind_) {
    case Kind::Int: return unsigned64_ ? std::to_string(static_cast<uint64_t>(int_)) : std::to_string(int_);
    case Kind::Float: {
      char buf[64];
      auto res = std::to_chars(buf, buf + sizeof buf, float_, std::chars_format::general, 15);
      return std::string(buf, res.ptr);
    }
    case Kind::Text: return text_;
  }
  return {};
}

namespace {

// One "%-.3x"-style directive of a template: alignment, width, precision, type.
struct Directive {
  bool left = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

// Digits of |v| with `decimals` places, rounding a tie away from zero.
std::string FixedDigits(double v, int decimals) {
  if (decimals > 30) decimals = 30;
  if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : "INF";
  // to_chars, not printf: the C locale of a GUI program may use a comma.
  char buf[512];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, decimals + 25);
  if (res.ec != std::errc()) return "0";
  std::string s(buf, res.ptr);
  size_t dot = s.find('.');
  std::string intPart = s.substr(0, dot);
  std::string frac = s.substr(dot + 1);
  std::string digits = intPart + frac.substr(0, static_cast<size_t>(decimals));
  bool roundUp = frac[static_cast<size_t>(decimals)] >= '5';
  if (roundUp) {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0) {
      if (digits[static_cast<size_t>(k)] == '9') {
        digits[static_cast<size_t>(k)] = '0';
        --k;
      } else {
        ++digits[static_cast<size_t>(k)];
        break;
      }
    }
    if (k < 0) digits.insert(digits.begin(), '1');
  }
  size_t intLen = digits.size() - static_cast<size_t>(decimals);
  std::string out = digits.substr(0, intLen);
  if (decimals > 0) out += "." + digits.substr(intLen);
  return out;
}

bool IsZeroDigits(const std::string &s) {
  for (char c : s)
    if (c >= '1' && c <= '9') return false;
  return true;
}

std::string WithSeparators(const std::string &fixed, const FormatSettings &fs, bool thousands) {
  size_t dot = fixed.find('.');
  std::string intPart = fixed.substr(0, dot);
  std::string rest = dot == std::string::npos ? "" : fixed.substr(dot + 1);
  if (thousands && intPart.size() > 3) {
    std::string grouped;
    int n = static_cast<int>(intPart.size());
    for (int k = 0; k < n; ++k) {
      grouped.push_back(intPart[static_cast<size_t>(k)]);
      int left = n - k - 1;
      if (left > 0 && left % 3 == 0) grouped.push_back(fs.thousandSeparator);
    }
    intPart = grouped;
  }
  if (dot == std::string::npos) return intPart;
  return intPart + fs.decimalSeparator + rest;
}

std::string FormatScientific(double v, int precision, const FormatSettings &fs) {
  if (precision < 1 || precision > 18) precision = 15;
  if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v < 0 ? "-INF" : "INF");
  char buf[128];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision - 1);
  std::string s(buf, res.ptr);
  for (char &c : s)
    if (c == 'e') c = 'E';
  size_t e = s.find('E');
  std::string mant = s.substr(0, e);
  std::string exp = s.substr(e + 1);
  char sign = exp[0];
  std::string expDigits = exp.substr(1);
  while (expDigits.size() < 3) expDigits.insert(expDigits.begin(), '0');
  for (char &c : mant)
    if (c == '.') c = fs.decimalSeparator;
  return mant + "E" + sign + expDigits;
}

std::string FormatGeneral(double v, int precision, const FormatSettings &fs) {
  if (precision < 1 || precision > 18) precision = 15;
  if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v < 0 ? "-INF" : "INF");
  char buf[128];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
  std::string s(buf, res.ptr);
  for (char &c : s)
    if (c == 'e') c = 'E';
  size_t e = s.find('E');
  std::string mant = e == std::string::npos ? s : s.substr(0, e);
  std::string exp = e == std::string::npos ? "" : s.substr(e);
  if (mant.find('.') != std::string::npos) {
    while (!mant.empty() && mant.back() == '0') mant.pop_back();
    if (!mant.empty() && mant.back() == '.') mant.pop_back();
  }
  for (char &c : mant)
    if (c == '.') c = fs.decimalSeparator;
  if (!exp.empty()) {
    char sign = exp[1];
    std::string digits = exp.substr(2);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    exp = std::string("E") + sign + digits;
  }
  return mant + exp;
}

std::string FormatOne(const Directive &directive, const FormatArg *arg, const FormatSettings &fs) {
  std::string body;
  if (!arg) return body;
  switch (directive.type) {
    case 'd':
    case 'u':
    case 'x': {
      if (arg->kind() == FormatArg::Kind::Text) {
        body = arg->asText();
        break;
      }
      int64_t v = arg->asInt();
      bool negative = false;
      std::string digits;
      if (directive.type == 'd') {
        if (arg->isUnsigned64()) {
          digits = std::to_string(static_cast<uint64_t>(v));
        } else {
          negative = v < 0;
          uint64_t mag = negative ? (~static_cast<uint64_t>(v) + 1) : static_cast<uint64_t>(v);
          digits = std::to_string(mag);
        }
      } else {
        uint64_t u;
        if (v < 0 && !arg->isUnsigned64() && v >= INT32_MIN)
          u = static_cast<uint32_t>(static_cast<int32_t>(v));
        else
          u = static_cast<uint64_t>(v);
        if (directive.type == 'u') {
          digits = std::to_string(u);
        } else {
          char buf[32];
          std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(u));
          digits = buf;
        }
      }
      if (directive.precision > 0 && static_cast<int>(digits.size()) < directive.precision)
        digits.insert(0, static_cast<size_t>(directive.precision) - digits.size(), '0');
      body = negative ? "-" + digits : digits;
      break;
    }
    case 's': {
      body = arg->asText();
      if (directive.precision >= 0 && static_cast<size_t>(directive.precision) < body.size()) body.resize(static_cast<size_t>(directive.precision));
      break;
    }
    case 'f':
    case 'n': {
      double v = arg->asFloat();
      int prec = directive.precision < 0 ? 2 : directive.precision;
      std::string fixed = FixedDigits(v, prec);
      bool negative = v < 0 && !IsZeroDigits(fixed);
      body = (negative ? "-" : "") + WithSeparators(fixed, fs, directive.type == 'n');
      break;
    }
    case 'e': body = FormatScientific(arg->asFloat(), directive.precision, fs); break;
    case 'g': body = FormatGeneral(arg->asFloat(), directive.precision, fs); break;
    case 'p': {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%08llX", static_cast<unsigned long long>(arg->asInt()));
      body = buf;
      break;
    }
    default: break;
  }
  if (directive.width > 0 && static_cast<int>(body.size()) < directive.width) {
    size_t pad = static_cast<size_t>(directive.width) - body.size();
    if (directive.left)
      body.append(pad, ' ');
    else
      body.insert(0, pad, ' ');
  }
  return body;
}

}  // namespace

std::string FormatV(const FormatSettings &settings, std::string_view fmt, const std::vector<FormatArg> &args) {
  std::string out;
  out.reserve(fmt.size() + 16);
  size_t next = 0;
  size_t i = 0;
  auto takeNumber = [&](size_t &p, int &value) -> bool {
    if (p < fmt.size() && fmt[p] == '*') {
      ++p;
      value = next < args.size() ? static_cast<int>(args[next].asInt()) : 0;
      ++next;
      return true;
    }
    bool any = false;
    value = 0;
    while (p < fmt.size() && fmt[p] >= '0' && fmt[p] <= '9') {
      if (value < 100000) value = value * 10 + (fmt[p] - '0');
      ++p;
      any = true;
    }
    return any;
  };
  while (i < fmt.size()) {
    char c = fmt[i];
    if (c != '%') {
      out.push_back(c);
      ++i;
      continue;
    }
    size_t start = i;
    size_t p = i + 1;
    if (p < fmt.size() && fmt[p] == '%') {
      out.push_back('%');
      i = p + 1;
      continue;
    }
    Directive directive;
    // Optional argument index "n:".
    {
      size_t q = p;
      int idx = 0;
      bool digits = false;
      while (q < fmt.size() && fmt[q] >= '0' && fmt[q] <= '9') {
        idx = idx * 10 + (fmt[q] - '0');
        ++q;
        digits = true;
        if (idx > 100000) break;
      }
      if (digits && q < fmt.size() && fmt[q] == ':') {
        next = static_cast<size_t>(idx);
        p = q + 1;
      }
    }
    if (p < fmt.size() && fmt[p] == '-') {
      directive.left = true;
      ++p;
    }
    int w = 0;
    if (takeNumber(p, w)) directive.width = w;
    if (p < fmt.size() && fmt[p] == '.') {
      ++p;
      int pr = 0;
      takeNumber(p, pr);
      directive.precision = pr;
    }
    if (p >= fmt.size()) {
      out.append(fmt.substr(start));
      break;
    }
    char type = static_cast<char>(fmt[p] | 0x20);
    if (std::string_view("dusxfegnp").find(type) == std::string_view::npos) {
      out.append(fmt.substr(start, p - start + 1));
      i = p + 1;
      continue;
    }
    directive.type = type;
    const FormatArg *arg = next < args.size() ? &args[next] : nullptr;
    ++next;
    out += FormatOne(directive, arg, settings);
    i = p + 1;
  }
  return out;
}

}  // namespace util
