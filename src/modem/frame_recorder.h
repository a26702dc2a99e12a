#pragma once
// Keeps what passes over a port as frames: a request as it was sent, the
// received bytes cut at frame boundaries, anything between frames as bytes
// of its own. The log takes them when an action ends; `vovorctl --trace`
// prints each as it completes.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "log/log_frame.h"
#include "port/custom_port.h"

namespace modem {

class TFrameRecorder : public port::TCustomPortLink {
 public:
  // Called for every completed frame, on the thread that saw its last byte.
  std::function<void(const TLogFrame &)> OnFrame;

  explicit TFrameRecorder(port::TCustomPort *port);
  ~TFrameRecorder() override;

  void DoReceiveData(const std::string &data) override;
  void DoSendData(const std::string &data) override;

  // The frames since the last call; received bytes still waiting for a
  // frame's end come along as they are (nothing more belongs to the action).
  std::vector<TLogFrame> Take();

  // Frames not taken are dropped past this many bytes (a channel streams
  // raw data for as long as it stays open).
  static constexpr size_t kMaxKeptBytes = 256 * 1024;
  static constexpr size_t kMaxLooseBytes = 4096;

 private:
  void Keep(TLogFrame frame);  // with mutex_ held
  void CutReceived(bool flush);

  std::mutex mutex_;
  std::vector<TLogFrame> frames_;
  size_t keptBytes_ = 0;
  std::string received_;
  int64_t receivedMs_ = 0;
};

int64_t UnixMsNow();

// What a recorded frame says, in words; "" for bytes that are no frame.
std::string FrameInWords(const TLogFrame &frame);

// One frame as the log's frames window and `vovorctl --trace` show it.
struct TFrameLine {
  std::string time;         // "16:05:01.123", local time
  std::string direction;    // "→" sent, "←" received
  std::string hex;          // "1B 01 FF ..."
  std::string description;  // FrameInWords
};
TFrameLine FrameLine(const TLogFrame &frame);

}  // namespace modem
