#include "modem/frame_description.h"

#include <gtest/gtest.h>

#include "modem/frame_codec.h"

namespace {

// A request as the engine sends it and an answer as a modem gives it,
// built by the codec and by hand, with noise around them.
const std::string kRequest = modem::BuildBinRequest(255, 0, "1501");
const std::string kAnswer = std::string("\x1B\x01\x00\xFF\x00\x41\x42", 7) + static_cast<char>(0xFF ^ 0xFF ^ 0x41 ^ 0x42) + "\x1B";
const std::string kAnswerEnd = std::string("\x00", 1);

}  // namespace

TEST(FrameWalk, BinAndAsciiFramesEndWhereTheSearchEnds) {
  auto bin = modem::WalkBinFrame(kRequest + "xyz");
  ASSERT_TRUE(bin);
  EXPECT_EQ(bin->length, kRequest.size());
  EXPECT_TRUE(bin->checkOk);
  EXPECT_EQ(bin->body, std::string("\xFF\x00\x15\x01", 4) + static_cast<char>(0xFF ^ 0xFF ^ 0x15 ^ 0x01));

  std::string bad = kRequest;
  bad[bad.size() - 3] ^= 0x01;  // the check byte
  ASSERT_TRUE(modem::WalkBinFrame(bad));
  EXPECT_FALSE(modem::WalkBinFrame(bad)->checkOk);
  EXPECT_FALSE(modem::WalkBinFrame(kRequest.substr(0, kRequest.size() - 1)));  // no end yet

  auto ascii = modem::WalkAsciiFrame(modem::BuildAsciiRequest(255, 0, "1501") + "tail");
  ASSERT_TRUE(ascii);
  EXPECT_EQ(ascii->body, "FF001501");
  EXPECT_TRUE(ascii->checkOk);
  EXPECT_EQ(ascii->length, modem::BuildAsciiRequest(255, 0, "1501").size());
  EXPECT_FALSE(modem::WalkAsciiFrame("/FF0015!"));  // no line end yet
}

TEST(FrameDescription, FindsTheFrameUnderAByteAndSaysWhatItHolds) {
  const std::string traffic = "ab" + kRequest + "c" + kAnswer + kAnswerEnd;
  const size_t answerAt = 2 + kRequest.size() + 1;
  EXPECT_FALSE(modem::FrameAround(traffic, 0));
  EXPECT_FALSE(modem::FrameAround(traffic, answerAt - 1));  // the noise between
  auto request = modem::FrameAround(traffic, 4);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->start, 2u);
  EXPECT_EQ(modem::DescribeFrame(*request, true),
            "BIN, запрос: кому 255, от 0, команда 15, параметры 01, контрольная сумма верна");
  auto answer = modem::FrameAround(traffic, traffic.size() - 1);  // its end marker
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->start, answerAt);
  EXPECT_EQ(modem::DescribeFrame(*answer, false).rfind("BIN, ответ: кому 0, от 255, статус 00", 0), 0u);
  EXPECT_NE(modem::DescribeFrame(*answer, false).find("данные (2 байт) 41 42, контрольная сумма верна"), std::string::npos);

  std::string corrupted = kAnswer;
  corrupted[7] ^= 0x10;
  auto wrong = modem::FrameAround(corrupted + kAnswerEnd, 3);
  ASSERT_TRUE(wrong);
  EXPECT_NE(modem::DescribeFrame(*wrong, false).find("контрольная сумма НЕВЕРНА"), std::string::npos);
}

TEST(FrameDescription, AsciiAnswerWithStatusText) {
  std::string answer = "/00FF03!02\r\n";  // status 3: no such command
  auto frame = modem::FrameAround(answer, 5);
  ASSERT_TRUE(frame);
  std::string text = modem::DescribeFrame(*frame, false);
  EXPECT_EQ(text.rfind("ASCII, ответ: кому 0, от 255, статус 03 (", 0), 0u) << text;
  EXPECT_NE(text.find("контрольная сумма верна"), std::string::npos) << text;
}
