#pragma once
// A small decoder of answer frames written for the tests straight from the
// wire rules (unstuffing, check byte, ASCII sum), so that the simulator's
// encoder is checked against the rules and not against itself.
#include <cstdint>
#include <string>
#include <string_view>

namespace sim_test {

struct DecodedAnswer {
  bool ok = false;
  uint8_t destination = 0;
  uint8_t source = 0;
  uint8_t status = 0;
  std::string data;
  std::string dataHex;  // ASCII: the data digits as received
};

inline int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// `frame` must begin with ESC SOH.
inline DecodedAnswer DecodeBinAnswer(std::string_view frame) {
  DecodedAnswer answer;
  if (frame.size() < 2 || frame[0] != 0x1B || frame[1] != 0x01) return answer;
  std::string body;
  uint8_t check = 0xFF;
  bool ended = false;
  for (size_t k = 2; k < frame.size() && !ended; ++k) {
    const uint8_t c = static_cast<uint8_t>(frame[k]);
    if (c != 0x1B) {
      body.push_back(static_cast<char>(c));
      check ^= c;
      continue;
    }
    if (++k >= frame.size()) break;
    const uint8_t n = static_cast<uint8_t>(frame[k]);
    if (n == 0x00) ended = true;
    else if (n == 0x01) continue;
    else if (n == 0x1B) {
      body.push_back(static_cast<char>(0x1B));
      check ^= 0x1B;
    } else {
      body.append(n, '\0');
    }
  }
  if (!ended || check != 0 || body.size() < 4) return answer;
  answer.ok = true;
  answer.destination = static_cast<uint8_t>(body[0]);
  answer.source = static_cast<uint8_t>(body[1]);
  answer.status = static_cast<uint8_t>(body[2]);
  answer.data = body.substr(3, body.size() - 4);
  return answer;
}

// `text` must begin with "/"; CR is optional, LF ends the frame.
inline DecodedAnswer DecodeAsciiAnswer(std::string_view text) {
  DecodedAnswer answer;
  const size_t bang = text.find('!');
  const size_t lf = text.find('\n');
  if (text.empty() || text[0] != '/' || bang == std::string_view::npos || lf == std::string_view::npos ||
      lf < bang + 3)
    return answer;
  const std::string_view digits = text.substr(1, bang - 1);
  if (digits.size() % 2 != 0 || digits.size() < 6) return answer;
  std::string bytes;
  unsigned sum = 0;
  for (size_t k = 0; k < digits.size(); k += 2) {
    const int hi = Digit(digits[k]), lo = Digit(digits[k + 1]);
    if (hi < 0 || lo < 0) return answer;
    bytes.push_back(static_cast<char>(hi * 16 + lo));
    sum += static_cast<unsigned>(hi * 16 + lo);
  }
  const int hi = Digit(text[bang + 1]), lo = Digit(text[bang + 2]);
  if (hi < 0 || lo < 0 || static_cast<unsigned>(hi * 16 + lo) != (sum & 0xFF)) return answer;
  answer.ok = true;
  answer.destination = static_cast<uint8_t>(bytes[0]);
  answer.source = static_cast<uint8_t>(bytes[1]);
  answer.status = static_cast<uint8_t>(bytes[2]);
  answer.data = bytes.substr(3);
  answer.dataHex = std::string(digits.substr(6));
  return answer;
}

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

}  // namespace sim_test
