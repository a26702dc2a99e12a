#pragma once
// Turns the bytes a modem hears into request frames, BIN or ASCII, one byte
// at a time. Each protocol has its own framer that watches every byte, so a
// frame of one protocol is found even while junk has left the other framer
// inside a frame that will never end. Anything that is not a well-formed
// frame is skipped: each framer resynchronises on its next frame start and
// never holds more than one frame's worth of bytes, whatever the line carries.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/wire_format.h"

namespace sim {

struct RequestFrame {
  WireProtocol protocol = WireProtocol::kBin;
  uint8_t destination = 0;
  uint8_t source = 0;
  std::string command;    // command code and parameters as bytes
  size_t wireLength = 0;  // bytes the frame took on the line, start to end marker
};

// A decoded BIN body or ASCII text longer than this is no request of ours.
inline constexpr size_t kMaxRequestBytes = 2048;

// ESC SOH, body with ESC ESC and ESC n (n zero bytes), ESC NUL.
class BinFramer {
 public:
  std::optional<RequestFrame> Push(uint8_t byte);
  bool InFrame() const { return state_ == State::kBody || state_ == State::kBodyEsc; }
  uint64_t Rejected() const { return rejected_; }

 private:
  enum class State { kIdle, kIdleEsc, kBody, kBodyEsc };
  void Start();
  void Reject();
  void Append(uint8_t byte);
  std::optional<RequestFrame> Finish();

  State state_ = State::kIdle;
  std::string body_;
  size_t wireLength_ = 0;
  uint64_t rejected_ = 0;
};

// "/" hex digits "!" check pair, anything, LF.
class AsciiFramer {
 public:
  std::optional<RequestFrame> Push(uint8_t byte);
  bool InFrame() const { return inFrame_; }
  uint64_t Rejected() const { return rejected_; }

 private:
  void Start();
  void Reject();
  std::optional<RequestFrame> Finish();

  bool inFrame_ = false;
  std::string text_;  // everything after "/"
  uint64_t rejected_ = 0;
};

class RequestParser {
 public:
  // Takes one received byte; returns the frame this byte completed, if any.
  std::optional<RequestFrame> Push(uint8_t byte);
  // True while either framer is inside a frame.
  bool InFrame() const { return bin_.InFrame() || ascii_.InFrame(); }
  // Frames that began but were malformed, cut short or too long.
  uint64_t Rejected() const { return bin_.Rejected() + ascii_.Rejected(); }

 private:
  BinFramer bin_;
  AsciiFramer ascii_;
};

}  // namespace sim
