#include "sim/answer_encoder.h"

#include <cctype>

#include "util/hex.h"

namespace sim {

namespace {

// Any non-zero change spoils the XOR check and the sum check alike.
constexpr uint8_t kCheckSpoiler = 0x5A;

std::string AnswerBody(const AnswerHeader &header, std::string_view data) {
  std::string body;
  body.reserve(data.size() + 3);
  body.push_back(static_cast<char>(header.destination));
  body.push_back(static_cast<char>(header.source));
  body.push_back(static_cast<char>(header.status));
  body.append(data);
  return body;
}

void AppendZeroRun(std::string &out, size_t run, bool fold) {
  while (fold && run >= 2) {
    const size_t chunk = run < kMaxZeroRun ? run : kMaxZeroRun;
    out.push_back(static_cast<char>(kEsc));
    out.push_back(static_cast<char>(chunk));
    run -= chunk;
  }
  out.append(run, '\0');
}

}  // namespace

std::string EncodeBinAnswer(const AnswerHeader &header, std::string_view data, const AnswerStyle &style) {
  std::string body = AnswerBody(header, data);
  // Answers carry at most a few hundred bytes, far below XorSum's 64 KiB.
  uint8_t check = util::XorSum(body, static_cast<uint16_t>(body.size()));
  if (style.corruptCheck) check ^= kCheckSpoiler;
  body.push_back(static_cast<char>(check));

  std::string out;
  out.reserve(body.size() + body.size() / 4 + 4);
  out.push_back(static_cast<char>(kEsc));
  out.push_back(static_cast<char>(kSoh));
  size_t zeros = 0;
  for (char c : body) {
    if (c == '\0') {
      ++zeros;
      continue;
    }
    AppendZeroRun(out, zeros, style.zeroRuns);
    zeros = 0;
    out.push_back(c);
    if (static_cast<uint8_t>(c) == kEsc) out.push_back(c);
  }
  AppendZeroRun(out, zeros, style.zeroRuns);
  out.push_back(static_cast<char>(kEsc));
  out.push_back(static_cast<char>(kNul));
  return out;
}

std::string EncodeAsciiAnswer(const AnswerHeader &header, std::string_view data, const AnswerStyle &style) {
  const std::string body = AnswerBody(header, data);
  unsigned sum = 0;
  for (unsigned char c : body) sum += c;
  uint8_t check = static_cast<uint8_t>(sum & 0xFF);
  if (style.corruptCheck) check ^= kCheckSpoiler;

  std::string out = "/" + util::BytesToHex(body) + "!" + util::HexByte(check);
  if (style.lowercaseHex) {
    for (char &c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  out += "\r\n";
  return out;
}

std::string EncodeAnswer(WireProtocol protocol, const AnswerHeader &header, std::string_view data,
                         const AnswerStyle &style) {
  return protocol == WireProtocol::kBin ? EncodeBinAnswer(header, data, style)
                                        : EncodeAsciiAnswer(header, data, style);
}

}  // namespace sim
