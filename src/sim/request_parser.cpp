#include "sim/request_parser.h"

#include "util/hex.h"

namespace sim {

std::optional<RequestFrame> RequestParser::Push(uint8_t byte) {
  // The end markers differ (ESC NUL, LF), so one byte completes one frame at most.
  std::optional<RequestFrame> frame = bin_.Push(byte);
  std::optional<RequestFrame> text = ascii_.Push(byte);
  return frame ? frame : text;
}

void BinFramer::Start() {
  state_ = State::kBody;
  body_.clear();
  wireLength_ = 2;  // ESC SOH
}

void BinFramer::Reject() {
  ++rejected_;
  state_ = State::kIdle;
  body_.clear();
}

void BinFramer::Append(uint8_t byte) {
  if (body_.size() >= kMaxRequestBytes) {
    Reject();
    return;
  }
  body_.push_back(static_cast<char>(byte));
}

std::optional<RequestFrame> BinFramer::Push(uint8_t byte) {
  switch (state_) {
    case State::kIdle:
      if (byte == kEsc) state_ = State::kIdleEsc;
      return std::nullopt;
    case State::kIdleEsc:
      if (byte == kSoh) Start();
      else if (byte != kEsc) state_ = State::kIdle;
      return std::nullopt;
    case State::kBody:
      ++wireLength_;
      if (byte == kEsc) state_ = State::kBodyEsc;
      else Append(byte);
      return std::nullopt;
    case State::kBodyEsc:
      ++wireLength_;
      state_ = State::kBody;
      if (byte == kNul) return Finish();
      if (byte == kSoh) {
        // A new start inside a frame: the earlier one was cut off.
        ++rejected_;
        Start();
      } else if (byte == kEsc) {
        Append(kEsc);
      } else {
        for (uint8_t k = 0; k < byte && state_ == State::kBody; ++k) Append(0);
      }
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<RequestFrame> BinFramer::Finish() {
  // Destination, source and check byte at the least; the check makes the
  // XOR of 0xFF and every body byte zero.
  if (body_.size() < 3 || util::XorSum(body_, static_cast<uint16_t>(body_.size())) != 0) {
    Reject();
    return std::nullopt;
  }
  RequestFrame frame;
  frame.protocol = WireProtocol::kBin;
  frame.destination = static_cast<uint8_t>(body_[0]);
  frame.source = static_cast<uint8_t>(body_[1]);
  frame.command = body_.substr(2, body_.size() - 3);
  frame.wireLength = wireLength_;
  state_ = State::kIdle;
  body_.clear();
  return frame;
}

void AsciiFramer::Start() {
  inFrame_ = true;
  text_.clear();
}

void AsciiFramer::Reject() {
  ++rejected_;
  inFrame_ = false;
  text_.clear();
}

std::optional<RequestFrame> AsciiFramer::Push(uint8_t byte) {
  if (byte == '/') {
    if (inFrame_) ++rejected_;  // a new start: the earlier frame never ended
    Start();
    return std::nullopt;
  }
  if (!inFrame_) return std::nullopt;
  if (byte == '\n') return Finish();
  if (text_.size() >= kMaxRequestBytes) {
    Reject();
    return std::nullopt;
  }
  text_.push_back(static_cast<char>(byte));
  return std::nullopt;
}

std::optional<RequestFrame> AsciiFramer::Finish() {
  // text_ holds everything between "/" and LF: digits, "!", check, maybe CR.
  const size_t bang = text_.find('!');
  if (bang == std::string::npos || bang % 2 != 0 || bang < 4 || bang + 3 > text_.size()) {
    Reject();
    return std::nullopt;
  }
  const std::string_view digits(text_.data(), bang);
  for (char c : digits) {
    if (util::HexDigitValue(c) < 0) {
      Reject();
      return std::nullopt;
    }
  }
  const std::string_view check(text_.data() + bang + 1, 2);
  if (util::HexDigitValue(check[0]) < 0 || util::HexDigitValue(check[1]) < 0 ||
      util::HexPairValue(check, 0) != util::HexPairSum(digits, static_cast<uint16_t>(bang / 2))) {
    Reject();
    return std::nullopt;
  }
  RequestFrame frame;
  frame.protocol = WireProtocol::kAscii;
  frame.destination = util::HexPairValue(digits, 0);
  frame.source = util::HexPairValue(digits, 1);
  frame.command = util::HexToBytes(digits.substr(4), static_cast<uint16_t>((bang - 4) / 2), false);
  frame.wireLength = text_.size() + 2;  // with "/" and LF
  inFrame_ = false;
  text_.clear();
  return frame;
}

}  // namespace sim
