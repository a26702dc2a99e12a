// The recorder cuts what passes over a port into the frames an action sent
// and received, whatever blocks the line delivers them in.
#include <gtest/gtest.h>

#include "modem/frame_codec.h"
#include "modem/frame_recorder.h"

namespace {

// A port that only reports: what is "sent" and "received" reaches the links.
class ReportingPort : public port::TCustomPort {
 public:
  void SetActive(bool) override {}
  bool GetActive() const override { return true; }
};

std::string Bytes(const std::vector<TLogFrame> &frames, bool sent) {
  std::string all;
  for (const auto &f : frames)
    if (f.sent == sent) all += "[" + f.bytes + "]";
  return all;
}

}  // namespace

TEST(FrameRecorder, AnswersSplitAnywhereComeOutAsWholeFramesAndNoiseApart) {
  ReportingPort line;
  modem::TFrameRecorder recorder(&line);
  std::vector<TLogFrame> seen;
  recorder.OnFrame = [&](const TLogFrame &f) { seen.push_back(f); };

  const std::string request = modem::BuildBinRequest(255, 0, "\x15\x01");
  const std::string ascii = modem::BuildAsciiRequest(1, 0, "1501");  // any frame walks alike
  const std::string answer = modem::BuildBinRequest(0, 1, std::string("\x00\x41\x1B\x42", 4));
  line.SendData(request);
  const std::string traffic = "zz" + answer + ascii;
  for (char c : traffic) line.DataReceived(std::string(1, c));  // one byte at a time

  auto frames = recorder.Take();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_TRUE(frames[0].sent);
  EXPECT_EQ(frames[0].bytes, request);
  EXPECT_EQ(Bytes(frames, false), "[zz][" + answer + "][" + ascii + "]");
  EXPECT_EQ(seen.size(), 4u);  // each reported as it completed
  EXPECT_FALSE(modem::FrameInWords(frames[2]).empty());
  EXPECT_TRUE(modem::FrameInWords(frames[1]).empty());  // noise is no frame
  EXPECT_TRUE(recorder.Take().empty());
}

TEST(FrameRecorder, AnUnfinishedFrameComesAlongWhenTakenAndBeforeTheNextRequest) {
  ReportingPort line;
  modem::TFrameRecorder recorder(&line);
  const std::string answer = modem::BuildBinRequest(0, 1, std::string("\x00\x41", 2));
  line.DataReceived(answer.substr(0, 4));
  line.SendData("next");
  line.DataReceived(answer.substr(0, 3));
  auto frames = recorder.Take();
  EXPECT_EQ(Bytes(frames, false), "[" + answer.substr(0, 4) + "][" + answer.substr(0, 3) + "]");
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_TRUE(frames[1].sent);  // the partial answer stays before the request that followed it
}

TEST(FrameRecorder, KeepsABoundedAmountWhenNobodyTakes) {
  ReportingPort line;
  modem::TFrameRecorder recorder(&line);
  const std::string block(4096, 'x');
  for (int i = 0; i < 200; ++i) line.SendData(block);  // a channel streaming for a while
  auto frames = recorder.Take();
  size_t kept = 0;
  for (const auto &f : frames) kept += f.bytes.size();
  EXPECT_LE(kept, modem::TFrameRecorder::kMaxKeptBytes);
  EXPECT_GT(kept, modem::TFrameRecorder::kMaxKeptBytes / 2);
}
