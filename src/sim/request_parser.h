#pragma once
// Turns the bytes a modem hears into request frames, BIN or ASCII, one byte
// at a time. Anything that is not a well-formed frame is skipped: the parser
// resynchronises on the next frame start and never holds more than one
// frame's worth of bytes, whatever the line carries.
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

class RequestParser {
 public:
  // A decoded BIN body or ASCII text longer than this is no request of ours.
  static constexpr size_t kMaxFrameBytes = 2048;

  // Takes one received byte; returns the frame this byte completed, if any.
  std::optional<RequestFrame> Push(uint8_t byte);
  // True between a frame start and its end (or its rejection).
  bool InFrame() const;
  // Frames that began but were malformed, cut short or too long.
  uint64_t Rejected() const { return rejected_; }

 private:
  enum class State { kIdle, kIdleEsc, kBin, kBinEsc, kAscii, kAsciiEsc };

  void StartBin();
  void StartAscii();
  void Reject();
  std::optional<RequestFrame> PushBin(uint8_t byte);
  std::optional<RequestFrame> PushAscii(uint8_t byte);
  std::optional<RequestFrame> FinishBin();
  std::optional<RequestFrame> FinishAscii();
  void Append(uint8_t byte);

  State state_ = State::kIdle;
  std::string body_;  // decoded BIN body or ASCII text after "/"
  size_t wireLength_ = 0;
  uint64_t rejected_ = 0;
};

}  // namespace sim
