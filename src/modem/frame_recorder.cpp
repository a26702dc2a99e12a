#include "modem/frame_recorder.h"

#include <chrono>
#include <ctime>
#include <utility>

#include "modem/frame_codec.h"
#include "modem/frame_description.h"
#include "util/format.h"

namespace modem {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kSoh = 0x01;

bool FrameStartsAt(const std::string &b, size_t i) {
  return b[i] == '/' || (b[i] == kEsc && (i + 1 >= b.size() || b[i + 1] == kSoh));
}

size_t NextFrameStart(const std::string &b, size_t from) {
  for (size_t i = from; i < b.size(); ++i)
    if (FrameStartsAt(b, i)) return i;
  return b.size();
}

}  // namespace

int64_t UnixMsNow() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

TFrameRecorder::TFrameRecorder(port::TCustomPort *port) { SetPort(port); }

TFrameRecorder::~TFrameRecorder() { SetPort(nullptr); }

void TFrameRecorder::DoSendData(const std::string &data) {
  std::lock_guard lock(mutex_);
  CutReceived(true);  // whatever came before a request belongs before it
  Keep({true, data, UnixMsNow()});
}

void TFrameRecorder::DoReceiveData(const std::string &data) {
  std::lock_guard lock(mutex_);
  if (received_.empty()) receivedMs_ = UnixMsNow();
  received_ += data;
  CutReceived(false);
}

std::vector<TLogFrame> TFrameRecorder::Take() {
  std::lock_guard lock(mutex_);
  CutReceived(true);
  keptBytes_ = 0;
  return std::exchange(frames_, {});
}

void TFrameRecorder::Keep(TLogFrame frame) {
  keptBytes_ += frame.bytes.size();
  if (OnFrame) OnFrame(frame);
  frames_.push_back(std::move(frame));
  while (keptBytes_ > kMaxKeptBytes && !frames_.empty()) {
    keptBytes_ -= frames_.front().bytes.size();
    frames_.erase(frames_.begin());
  }
}

void TFrameRecorder::CutReceived(bool flush) {
  size_t used = 0;
  while (used < received_.size()) {
    size_t length = 0;
    if (FrameStartsAt(received_, used)) {
      std::string_view rest(received_.data() + used, received_.size() - used);
      auto walk = received_[used] == '/' ? WalkAsciiFrame(rest) : WalkBinFrame(rest);
      if (walk) length = walk->length;
      // A frame whose end has not come yet waits for more bytes.
      if (!walk && !flush) break;
      if (!walk) length = NextFrameStart(received_, used + 1) - used;
    } else {
      length = NextFrameStart(received_, used) - used;
      // Bytes between frames gather until a frame starts, unless they are a
      // stream of their own (an open channel's data).
      if (used + length == received_.size() && !flush && length < kMaxLooseBytes) break;
    }
    Keep({false, received_.substr(used, length), receivedMs_});
    used += length;
  }
  received_.erase(0, used);
  if (!received_.empty()) receivedMs_ = UnixMsNow();
}

std::string FrameInWords(const TLogFrame &frame) {
  auto described = FrameAround(frame.bytes, 0);
  if (!described || described->start != 0) return {};
  return DescribeFrame(*described, frame.sent);
}

TFrameLine FrameLine(const TLogFrame &frame) {
  std::time_t seconds = static_cast<std::time_t>(frame.unixMs / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::string hex;
  for (unsigned char c : frame.bytes) hex += util::Format("%2.2x ", c);
  if (!hex.empty()) hex.pop_back();
  return {util::Format("%2.2d:%2.2d:%2.2d.%3.3d", local.tm_hour, local.tm_min, local.tm_sec,
                       static_cast<int>(frame.unixMs % 1000)),
          frame.sent ? "→" : "←", hex, FrameInWords(frame)};
}

}  // namespace modem
