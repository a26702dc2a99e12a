#include "sim/answer_encoder.h"

#include <gtest/gtest.h>

#include "answer_decoder.h"

namespace sim {
namespace {

using sim_test::Bytes;
using sim_test::DecodeAsciiAnswer;
using sim_test::DecodeBinAnswer;

TEST(AnswerEncoder, BinAnswerFoldsZeroRunsAsTheModemsDo) {
  // The documented example: 00 05 | 00 | 12 00 00 34 | DC.
  const std::string wire = EncodeBinAnswer({0x00, 0x05, 0x00}, Bytes({0x12, 0x00, 0x00, 0x34}), {});
  EXPECT_EQ(wire, Bytes({0x1B, 0x01, 0x00, 0x05, 0x00, 0x12, 0x1B, 0x02, 0x34, 0xDC, 0x1B, 0x00}));
}

TEST(AnswerEncoder, BinAnswersDecodeByTheWireRules) {
  struct Case {
    const char *what;
    AnswerHeader header;
    std::string data;
    bool zeroRuns;
  };
  const std::string longZeros(60, '\0');
  const Case cases[] = {
      {"ESC in addresses and data", {0x1B, 0x1B, 0x00}, Bytes({0x1B, 0x1B, 0x01}), true},
      {"check byte that is ESC", {0x00, 0x01, 0x00}, Bytes({0xE5}), true},  // FF^01^E5 = 1B
      {"long zero run", {0x00, 0x01, 0x00}, longZeros + Bytes({0x07}) + longZeros, true},
      {"zero runs written out", {0x00, 0x01, 0x00}, longZeros, false},
      {"single zeros", {0x00, 0x01, 0x00}, Bytes({0x00, 0x05, 0x00}), true},
      {"no data", {0x00, 0x01, 0x03}, "", true},
  };
  for (const Case &c : cases) {
    AnswerStyle style;
    style.zeroRuns = c.zeroRuns;
    const std::string wire = EncodeBinAnswer(c.header, c.data, style);
    const auto decoded = DecodeBinAnswer(wire);
    ASSERT_TRUE(decoded.ok) << c.what;
    EXPECT_EQ(decoded.destination, c.header.destination) << c.what;
    EXPECT_EQ(decoded.source, c.header.source) << c.what;
    EXPECT_EQ(decoded.status, c.header.status) << c.what;
    EXPECT_EQ(decoded.data, c.data) << c.what;
    // Inside the frame an ESC is followed only by ESC or a run length 2..26.
    for (size_t k = 2; k + 2 < wire.size(); ++k) {
      if (wire[k] != 0x1B) continue;
      const uint8_t next = static_cast<uint8_t>(wire[++k]);
      EXPECT_TRUE(next == 0x1B || (c.zeroRuns && next >= 2 && next <= 26)) << c.what << " at " << k;
    }
    if (!c.zeroRuns) {
      EXPECT_EQ(wire.find(Bytes({0x1B, 0x02})), std::string::npos) << c.what;
    }
  }
}

TEST(AnswerEncoder, AsciiAnswerIsUpperCaseUnlessAskedOtherwise) {
  const AnswerHeader header{0x00, 0xAB, 0x00};
  EXPECT_EQ(EncodeAsciiAnswer(header, Bytes({0xCD, 0xEF}), {}), "/00AB00CDEF!67\r\n");
  AnswerStyle lower;
  lower.lowercaseHex = true;
  const std::string wire = EncodeAsciiAnswer(header, Bytes({0xCD, 0xEF}), lower);
  EXPECT_EQ(wire, "/00ab00cdef!67\r\n");
  const auto decoded = DecodeAsciiAnswer(wire);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.data, Bytes({0xCD, 0xEF}));
}

TEST(AnswerEncoder, CorruptedCheckFailsInBothProtocols) {
  AnswerStyle style;
  style.corruptCheck = true;
  EXPECT_FALSE(DecodeBinAnswer(EncodeBinAnswer({0, 1, 0}, "abc", style)).ok);
  EXPECT_FALSE(DecodeAsciiAnswer(EncodeAsciiAnswer({0, 1, 0}, "abc", style)).ok);
  style.corruptCheck = false;
  EXPECT_TRUE(DecodeBinAnswer(EncodeBinAnswer({0, 1, 0}, "abc", style)).ok);
  EXPECT_TRUE(DecodeAsciiAnswer(EncodeAsciiAnswer({0, 1, 0}, "abc", style)).ok);
}

}  // namespace
}  // namespace sim
