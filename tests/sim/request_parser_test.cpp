#include "sim/request_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "answer_decoder.h"

namespace sim {
namespace {

using sim_test::Bytes;

std::vector<RequestFrame> ParseAll(RequestParser &parser, std::string_view bytes) {
  std::vector<RequestFrame> frames;
  for (char c : bytes) {
    if (auto frame = parser.Push(static_cast<uint8_t>(c))) frames.push_back(*frame);
  }
  return frames;
}

std::vector<RequestFrame> ParseAll(std::string_view bytes) {
  RequestParser parser;
  return ParseAll(parser, bytes);
}

const std::string kBinVersionRequest = Bytes({0x1B, 0x01, 0xFF, 0x00, 0x15, 0x01, 0x14, 0x1B, 0x00});
const std::string kAsciiVersionRequest = "/FF001501!15\r\n";

TEST(RequestParser, UnderstandsTheVersionRequestInBothProtocols) {
  for (const auto &[bytes, protocol] : {std::pair{kBinVersionRequest, WireProtocol::kBin},
                                        std::pair{kAsciiVersionRequest, WireProtocol::kAscii}}) {
    auto frames = ParseAll(bytes);
    ASSERT_EQ(frames.size(), 1u) << bytes;
    EXPECT_EQ(frames[0].protocol, protocol);
    EXPECT_EQ(frames[0].destination, 0xFF);
    EXPECT_EQ(frames[0].source, 0x00);
    EXPECT_EQ(frames[0].command, Bytes({0x15, 0x01}));
    EXPECT_EQ(frames[0].wireLength, bytes.size());
  }
}

TEST(RequestParser, UnstuffsEscapesAndZeroRuns) {
  // Destination 27 is sent as 1B 1B; ESC 03 stands for three zero bytes.
  // Body 1B 00 EB 00 00 00 + check.
  std::string body = Bytes({0x1B, 0x00, 0xEB, 0x00, 0x00, 0x00});
  uint8_t check = 0xFF;
  for (char c : body) check ^= static_cast<uint8_t>(c);
  std::string wire = Bytes({0x1B, 0x01, 0x1B, 0x1B, 0x00, 0xEB, 0x1B, 0x03});
  wire.push_back(static_cast<char>(check));
  if (check == 0x1B) wire.push_back(static_cast<char>(check));
  wire += Bytes({0x1B, 0x00});
  auto frames = ParseAll(wire);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].destination, 27);
  EXPECT_EQ(frames[0].command, Bytes({0xEB, 0x00, 0x00, 0x00}));
}

TEST(RequestParser, AcceptsLowerCaseAsciiAndNoCarriageReturn) {
  auto frames = ParseAll("/0500eb01201b!2c\n");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].destination, 5);
  EXPECT_EQ(frames[0].command, Bytes({0xEB, 0x01, 0x20, 0x1B}));
}

TEST(RequestParser, RejectsMalformedFrames) {
  const std::vector<std::string> bad = {
      Bytes({0x1B, 0x01, 0xFF, 0x00, 0x15, 0x01, 0x15, 0x1B, 0x00}),  // wrong check byte
      Bytes({0x1B, 0x01, 0xFF, 0x1B, 0x00}),                          // too short for a check byte
      "/FF001501!16\r\n",                                             // wrong check pair
      "/FF00150!15\r\n",                                              // odd number of digits
      "/FF0015G1!15\r\n",                                             // not a hex digit
      "/FF!FF\r\n",                                                   // no source address
      "/FF001501\r\n",                                                // no "!"
      "/FF001501!1\n",                                                // check cut short
  };
  for (const std::string &bytes : bad) {
    RequestParser parser;
    EXPECT_TRUE(ParseAll(parser, bytes).empty()) << bytes;
    EXPECT_EQ(parser.Rejected(), 1u) << bytes;
    EXPECT_FALSE(parser.InFrame());
  }
}

TEST(RequestParser, ResynchronisesOnTheNextFrameStart) {
  // Noise, a BIN frame cut short by a new start, an ASCII frame interrupted
  // by another "/", an ASCII frame that never ends before a BIN one (which
  // is found all the same).
  const std::string stream = "noise\x55\xAA" + Bytes({0x1B, 0x01, 0xFF, 0x00, 0x15}) + kBinVersionRequest +
                             "/FF0015" + kAsciiVersionRequest + "/FF00" + kBinVersionRequest;
  RequestParser parser;
  auto frames = ParseAll(parser, stream);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].protocol, WireProtocol::kBin);
  EXPECT_EQ(frames[1].protocol, WireProtocol::kAscii);
  EXPECT_EQ(frames[2].protocol, WireProtocol::kBin);
  EXPECT_EQ(frames[2].wireLength, kBinVersionRequest.size());
  EXPECT_EQ(parser.Rejected(), 2u);
  EXPECT_TRUE(parser.InFrame());  // the unfinished ASCII frame waits for its LF
}

TEST(RequestParser, DropsAFrameThatNeverEndsAndRecovers) {
  RequestParser parser;
  // A huge zero run and a long ASCII text: neither may grow the parser.
  std::string flood = Bytes({0x1B, 0x01});
  for (int k = 0; k < 200; ++k) flood += Bytes({0x1B, 0x1A});
  flood += "/" + std::string(kMaxRequestBytes + 10, '0');
  EXPECT_TRUE(ParseAll(parser, flood).empty());
  EXPECT_EQ(parser.Rejected(), 2u);
  EXPECT_EQ(ParseAll(parser, kBinVersionRequest).size(), 1u);
}

TEST(RequestParser, AnyJunkLeavesItReadyForTheNextFrame) {
  // Junk may end in the middle of an escape pair, so one byte that ends any
  // pair follows it; the next frame, of either protocol, must be understood.
  std::mt19937 random(12345);
  RequestParser parser;
  for (int round = 0; round < 200; ++round) {
    std::string junk(random() % 3000, '\0');
    for (char &c : junk) {
      const unsigned r = random() % 8;
      c = static_cast<char>(r == 0 ? 0x1B : r == 1 ? '/' : r == 2 ? 0x01 : random() % 256);
    }
    ParseAll(parser, junk + '\0');
    const auto frames = ParseAll(parser, round % 2 ? kBinVersionRequest : kAsciiVersionRequest);
    ASSERT_EQ(frames.size(), 1u) << "round " << round;
    EXPECT_EQ(frames[0].command, Bytes({0x15, 0x01}));
  }
}

}  // namespace
}  // namespace sim
