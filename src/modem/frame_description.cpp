#include "modem/frame_description.h"

#include "modem/frame_codec.h"
#include "modem/modem_status.h"
#include "util/format.h"
#include "util/hex.h"

namespace modem {

namespace {

// A frame is never longer than this on the line (a 255-byte body with every
// byte doubled and its markers), so a walk looks no further.
constexpr size_t kLongestFrame = 1100;

std::optional<TFrameOnLine> WalkAt(std::string_view traffic, size_t start) {
  std::string_view rest = traffic.substr(start, kLongestFrame);
  const bool bin = rest[0] == '\x1B';
  auto walk = bin ? WalkBinFrame(rest) : WalkAsciiFrame(rest);
  if (!walk) return std::nullopt;
  TFrameOnLine frame;
  frame.start = start;
  frame.length = walk->length;
  frame.bin = bin;
  frame.checkOk = walk->checkOk;
  if (bin) {
    frame.body = std::move(walk->body);
  } else {
    // The ASCII body is hex text; its check pair follows the "!".
    frame.body = util::HexToBytes(walk->body, static_cast<uint16_t>(std::min<size_t>(walk->body.size() / 2, 0xFFFF)), false);
  }
  return frame;
}

// Long data are cut: a tool tip is read at a glance.
std::string HexList(std::string_view bytes) {
  constexpr size_t kShown = 32;
  std::string out;
  for (char c : bytes.substr(0, kShown)) out += (out.empty() ? "" : " ") + util::HexByte(static_cast<uint8_t>(c));
  if (bytes.size() > kShown) out += " …";
  return out;
}

}  // namespace

std::optional<TFrameOnLine> FrameAround(std::string_view traffic, size_t offset, size_t reach) {
  if (offset >= traffic.size()) return std::nullopt;
  const size_t lowest = offset > reach ? offset - reach : 0;
  for (size_t s = offset + 1; s-- > lowest;) {
    const bool binStart = traffic[s] == '\x1B' && s + 1 < traffic.size() && traffic[s + 1] == '\x01';
    if (!binStart && traffic[s] != '/') continue;
    auto frame = WalkAt(traffic, s);
    if (frame && offset < frame->start + frame->length) return frame;
  }
  return std::nullopt;
}

std::string DescribeFrame(const TFrameOnLine &frame, bool request) {
  std::string out = std::string(frame.bin ? "BIN" : "ASCII") + (request ? ", запрос" : ", ответ");
  // The BIN body ends with its check byte; the ASCII check is past the "!".
  std::string_view body = frame.body;
  if (frame.bin && !body.empty()) body.remove_suffix(1);
  if (body.size() < 3) return out + ": слишком короткий кадр";
  out += util::Format(": кому %d, от %d", static_cast<uint8_t>(body[0]), static_cast<uint8_t>(body[1]));
  const uint8_t code = static_cast<uint8_t>(body[2]);
  std::string_view data = body.substr(3);
  if (request) {
    out += ", команда " + util::HexByte(code);
    if (!data.empty()) out += ", параметры " + HexList(data);
  } else {
    out += ", статус " + util::HexByte(code);
    if (const device::TResultCode *record = ModemStatusRecord(code)) out += " (" + record->Msg + ")";
    if (!data.empty()) out += util::Format(", данные (%d байт) ", static_cast<int>(data.size())) + HexList(data);
  }
  out += frame.checkOk ? ", контрольная сумма верна" : ", контрольная сумма НЕВЕРНА";
  return out;
}

}  // namespace modem
