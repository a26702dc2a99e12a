#pragma once
// The modem's two wire protocols as pure functions: BIN (ESC SOH ... ESC NUL,
// ESC doubled, zero runs as ESC n) and ASCII ("/" hex "!" check ... LF).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modem {

inline constexpr uint8_t kProtocolBin = 1;
// The longest command a request frame carries whole: the codec counts at
// most 0xFFFF bytes, two of them the addresses.
inline constexpr size_t kMaxCommandBytes = 0xFFFF - 2;

// BIN request: ESC SOH, destination, source, command bytes, check byte,
// every ESC of the body doubled, ESC NUL. An odd last digit is dropped.
std::string BuildBinRequest(uint8_t deviceId, uint8_t hostAddr, std::string_view command);

// ASCII request: "/" + destination + source + command + "!" + check + CR LF.
std::string BuildAsciiRequest(uint8_t deviceId, uint8_t hostAddr, std::string_view command);

struct AnswerFrame {
  uint8_t status = 0;
  std::string frameData;  // hex of the status byte and the data bytes
  size_t end = 0;         // offset in the searched buffer just past the frame
};

// The first acceptable answer in `buffer`: a whole frame with a good check,
// addressed to `hostAddr` and sent by `deviceId` (255 accepts any sender),
// long enough to hold both addresses, the status and the check.
std::optional<AnswerFrame> FindBinAnswer(std::string_view buffer, uint8_t hostAddr, uint8_t deviceId);
std::optional<AnswerFrame> FindAsciiAnswer(std::string_view buffer, uint8_t hostAddr, uint8_t deviceId);

// One frame walked from `buffer`'s start (its ESC SOH, or its "/"), the way
// the answer search walks it: the bytes it takes, its body (BIN: the decoded
// addresses, command or status, data and check byte; ASCII: the hex text
// between "/" and "!") and whether its check is right. None while the frame
// has no end in `buffer`.
struct FrameWalk {
  size_t length = 0;
  std::string body;
  bool checkOk = false;
};
std::optional<FrameWalk> WalkBinFrame(std::string_view buffer);
std::optional<FrameWalk> WalkAsciiFrame(std::string_view buffer);

// Decodes a BIN frame starting at `buffer` (at its ESC SOH). The decoded body
// (addresses, status, data, check byte) when the end marker was reached and
// the check is right.
std::optional<std::string> UnstuffFrame(std::string_view buffer);

}  // namespace modem
