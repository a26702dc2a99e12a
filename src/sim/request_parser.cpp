#include "sim/request_parser.h"

#include "util/hex.h"

namespace sim {

bool RequestParser::InFrame() const {
  return state_ != State::kIdle && state_ != State::kIdleEsc;
}

void RequestParser::StartBin() {
  state_ = State::kBin;
  body_.clear();
  wireLength_ = 2;  // ESC SOH
}

void RequestParser::StartAscii() {
  state_ = State::kAscii;
  body_.clear();
  wireLength_ = 1;  // "/"
}

void RequestParser::Reject() {
  ++rejected_;
  state_ = State::kIdle;
  body_.clear();
  wireLength_ = 0;
}

void RequestParser::Append(uint8_t byte) {
  if (body_.size() >= kMaxFrameBytes) {
    Reject();
    return;
  }
  body_.push_back(static_cast<char>(byte));
}

std::optional<RequestFrame> RequestParser::Push(uint8_t byte) {
  switch (state_) {
    case State::kIdle:
      if (byte == kEsc) state_ = State::kIdleEsc;
      else if (byte == '/') StartAscii();
      return std::nullopt;
    case State::kIdleEsc:
      if (byte == kSoh) StartBin();
      else if (byte == '/') StartAscii();
      else if (byte != kEsc) state_ = State::kIdle;
      return std::nullopt;
    case State::kBin:
    case State::kBinEsc:
      return PushBin(byte);
    case State::kAscii:
    case State::kAsciiEsc:
      return PushAscii(byte);
  }
  return std::nullopt;
}

std::optional<RequestFrame> RequestParser::PushBin(uint8_t byte) {
  ++wireLength_;
  if (state_ == State::kBin) {
    if (byte == kEsc) state_ = State::kBinEsc;
    else Append(byte);
    return std::nullopt;
  }
  state_ = State::kBin;
  if (byte == kNul) return FinishBin();
  if (byte == kSoh) {
    // A new start inside a frame: the earlier one was cut off.
    ++rejected_;
    StartBin();
  } else if (byte == kEsc) {
    Append(kEsc);
  } else {
    for (uint8_t k = 0; k < byte && state_ == State::kBin; ++k) Append(0);
  }
  return std::nullopt;
}

std::optional<RequestFrame> RequestParser::PushAscii(uint8_t byte) {
  ++wireLength_;
  if (state_ == State::kAsciiEsc) {
    state_ = State::kAscii;
    if (byte == kSoh) {
      // A BIN frame begins where an ASCII one never ended.
      ++rejected_;
      StartBin();
      return std::nullopt;
    }
    Append(kEsc);
    if (state_ != State::kAscii) return std::nullopt;
  }
  if (byte == '/') {
    ++rejected_;
    StartAscii();
  } else if (byte == '\n') {
    return FinishAscii();
  } else if (byte == kEsc) {
    state_ = State::kAsciiEsc;
  } else {
    Append(byte);
  }
  return std::nullopt;
}

std::optional<RequestFrame> RequestParser::FinishBin() {
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
  wireLength_ = 0;
  return frame;
}

std::optional<RequestFrame> RequestParser::FinishAscii() {
  // body_ holds everything between "/" and LF: digits, "!", check, maybe CR.
  const size_t bang = body_.find('!');
  if (bang == std::string::npos || bang % 2 != 0 || bang < 4 || bang + 3 > body_.size()) {
    Reject();
    return std::nullopt;
  }
  const std::string_view digits(body_.data(), bang);
  for (char c : digits) {
    if (util::HexDigitValue(c) < 0) {
      Reject();
      return std::nullopt;
    }
  }
  const std::string_view check(body_.data() + bang + 1, 2);
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
  frame.wireLength = wireLength_;
  state_ = State::kIdle;
  body_.clear();
  wireLength_ = 0;
  return frame;
}

}  // namespace sim
