#include "modem/frame_codec.h"

#include <vector>

#include "util/hex.h"

namespace modem {

namespace {
constexpr char kEsc = 0x1B;
constexpr char kSoh = 0x01;
constexpr char kNul = 0x00;

bool AddressesMatch(uint8_t dest, uint8_t src, uint8_t hostAddr, uint8_t deviceId) {
  return dest == hostAddr && (src == deviceId || deviceId == 255);
}

bool AllHexDigits(std::string_view text) {
  for (char c : text)
    if (util::HexDigitValue(c) < 0) return false;
  return true;
}
}  // namespace

std::string BuildBinRequest(uint8_t deviceId, uint8_t hostAddr, std::string_view command) {
  std::string text = util::HexByte(deviceId) + util::HexByte(hostAddr) + std::string(command);
  std::string body = util::HexToBytes(text, static_cast<uint16_t>(std::min<size_t>(text.size() / 2, 0xFFFF)), false);
  body.push_back(static_cast<char>(util::XorSum(body, static_cast<uint16_t>(std::min<size_t>(body.size(), 0xFFFF)))));
  std::string packet;
  packet.reserve(body.size() + 8);
  packet.push_back(kEsc);
  packet.push_back(kSoh);
  for (char c : body) {
    packet.push_back(c);
    if (c == kEsc) packet.push_back(kEsc);
  }
  packet.push_back(kEsc);
  packet.push_back(kNul);
  return packet;
}

std::string BuildAsciiRequest(uint8_t deviceId, uint8_t hostAddr, std::string_view command) {
  std::string s = "/" + util::HexByte(deviceId) + util::HexByte(hostAddr) + std::string(command);
  std::string_view afterSlash(s.data() + 1, s.size() - 1);
  uint8_t check = util::HexPairSum(afterSlash, static_cast<uint16_t>(std::min<size_t>((s.size() - 1) / 2, 0xFFFF)));
  return s + "!" + util::HexByte(check) + "\r\n";
}

namespace {

enum class Unstuffed { Complete, BadCheck, Incomplete };

// Walks one frame from `buffer`'s start. Where `starts` is given, it gets the
// offsets of the ESC SOH pairs the walk passed as pairs: a search from any of
// them would walk the same way to the same end. `end` gets the offset past
// the end marker.
Unstuffed Unstuff(std::string_view buffer, std::string &decoded, std::vector<size_t> *starts, size_t *end = nullptr) {
  uint8_t check = 0xFF;
  decoded.clear();
  size_t i = 0;
  while (i < buffer.size()) {
    char c = buffer[i++];
    if (c != kEsc) {
      decoded.push_back(c);
      check ^= static_cast<uint8_t>(c);
      continue;
    }
    if (i >= buffer.size()) return Unstuffed::Incomplete;
    uint8_t n = static_cast<uint8_t>(buffer[i++]);
    if (n == 0x00) {
      if (end) *end = i;
      return check == 0 ? Unstuffed::Complete : Unstuffed::BadCheck;
    }
    if (n == 0x01) {  // the frame start
      if (starts) starts->push_back(i - 2);
      continue;
    }
    if (n == 0x1B) {
      decoded.push_back(kEsc);
      check ^= 0x1B;
      continue;
    }
    decoded.append(n, '\0');  // a run of n zero bytes
  }
  return Unstuffed::Incomplete;
}

}  // namespace

std::optional<std::string> UnstuffFrame(std::string_view buffer) {
  std::string decoded;
  if (Unstuff(buffer, decoded, nullptr) != Unstuffed::Complete) return std::nullopt;
  return decoded;
}

std::optional<FrameWalk> WalkBinFrame(std::string_view buffer) {
  if (buffer.size() < 2 || buffer[0] != kEsc || buffer[1] != kSoh) return std::nullopt;
  FrameWalk walk;
  Unstuffed result = Unstuff(buffer, walk.body, nullptr, &walk.length);
  if (result == Unstuffed::Incomplete) return std::nullopt;
  walk.checkOk = result == Unstuffed::Complete;
  return walk;
}

std::optional<FrameWalk> WalkAsciiFrame(std::string_view text) {
  if (text.empty() || text[0] != '/') return std::nullopt;
  size_t bang = text.find('!');
  size_t lf = text.find('\n');
  if (bang == std::string_view::npos || bang < 1 || lf == std::string_view::npos || lf <= bang) return std::nullopt;
  FrameWalk walk;
  walk.length = lf + 1;
  walk.body = std::string(text.substr(1, bang - 1));
  // Noise such as "/000" before a real answer must not lend it digits: a
  // character that is no hex digit fails the frame.
  std::string_view checkText = text.substr(bang + 1, 2);
  walk.checkOk = walk.body.size() % 2 == 0 && checkText.size() == 2 && AllHexDigits(walk.body) &&
                 AllHexDigits(checkText) &&
                 util::HexPairValue(checkText, 0) ==
                     util::HexPairSum(walk.body, static_cast<uint16_t>(std::min<size_t>(walk.body.size() / 2, 0xFFFF)));
  return walk;
}

std::optional<AnswerFrame> FindBinAnswer(std::string_view buffer, uint8_t hostAddr, uint8_t deviceId) {
  std::string body;
  // Starts already known to run into the end of the buffer unfinished; a
  // flood of ESC SOH pairs is then searched in linear time.
  std::vector<bool> unfinished;
  std::vector<size_t> starts;
  for (size_t p = 0; p + 1 < buffer.size(); ++p) {
    if (buffer[p] != kEsc || buffer[p + 1] != kSoh) continue;
    if (!unfinished.empty() && unfinished[p]) continue;
    starts.clear();
    size_t length = 0;
    Unstuffed result = Unstuff(buffer.substr(p), body, &starts, &length);
    if (result == Unstuffed::Incomplete) {
      if (unfinished.empty()) unfinished.resize(buffer.size());
      for (size_t s : starts) unfinished[p + s] = true;
      continue;
    }
    // Two addresses, the status and the check byte at the least.
    if (result != Unstuffed::Complete || body.size() < 4) continue;
    uint8_t dest = static_cast<uint8_t>(body[0]);
    uint8_t src = static_cast<uint8_t>(body[1]);
    if (!AddressesMatch(dest, src, hostAddr, deviceId)) continue;
    AnswerFrame frame;
    frame.status = static_cast<uint8_t>(body[2]);
    frame.frameData = util::BytesToHex(std::string_view(body).substr(2, body.size() - 3));
    frame.end = p + length;
    return frame;
  }
  return std::nullopt;
}

std::optional<AnswerFrame> FindAsciiAnswer(std::string_view buffer, uint8_t hostAddr, uint8_t deviceId) {
  for (size_t p = 0; p < buffer.size(); ++p) {
    if (buffer[p] != '/') continue;
    auto walk = WalkAsciiFrame(buffer.substr(p));
    // Both addresses and the status at the least, in whole pairs.
    if (!walk || walk->body.size() % 2 != 0 || walk->body.size() < 6 || !walk->checkOk) continue;
    std::string_view hex = walk->body;
    if (!AddressesMatch(util::HexPairValue(hex, 0), util::HexPairValue(hex, 1), hostAddr, deviceId)) continue;
    AnswerFrame frame;
    frame.status = util::HexPairValue(hex, 2);
    frame.frameData = std::string(hex.substr(4));
    frame.end = p + walk->length;
    return frame;
  }
  return std::nullopt;
}

}  // namespace modem
