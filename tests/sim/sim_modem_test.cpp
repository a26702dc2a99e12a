#include "sim/sim_modem.h"

#include <gtest/gtest.h>

#include "answer_decoder.h"
#include "util/codepage.h"

namespace sim {
namespace {

using sim_test::Bytes;
using sim_test::DecodeAsciiAnswer;
using sim_test::DecodeBinAnswer;
using sim_test::DecodedAnswer;

RequestFrame Request(std::string command, uint8_t destination = 255, uint8_t source = 0,
                     WireProtocol protocol = WireProtocol::kBin) {
  RequestFrame frame;
  frame.protocol = protocol;
  frame.destination = destination;
  frame.source = source;
  frame.command = std::move(command);
  return frame;
}

class SimModemTest : public ::testing::Test {
 protected:
  int64_t now_ = 1000;  // before the modem, which reads the clock as it is made
  SimModem modem{[this] { return now_; }};

  // The decoded answer to a BIN request; not ok when there was none.
  DecodedAnswer Ask(const std::string &command, uint8_t destination = 255) {
    auto reply = modem.Answer(Request(command, destination));
    if (!reply) return {};
    EXPECT_TRUE(reply->answerFrame);
    return DecodeBinAnswer(reply->bytes);
  }
};

TEST_F(SimModemTest, VersionIsCyrillicTextInCp866) {
  modem.State().versionText = "Модем ORVA, версия 2.1";
  const auto answer = Ask("\x15\x01");
  ASSERT_TRUE(answer.ok);
  EXPECT_EQ(answer.status, 0);
  EXPECT_EQ(answer.data, util::Utf8ToCp866("Модем ORVA, версия 2.1"));
  EXPECT_EQ(static_cast<uint8_t>(answer.data[0]), 0x8C);  // "М" in CP866
  EXPECT_EQ(util::Cp866ToUtf8(answer.data), "Модем ORVA, версия 2.1");
}

TEST_F(SimModemTest, DeviceNameAndUnknownCommands) {
  modem.State().deviceName = "ORVA-SIM";
  const auto name = Ask("\x15\x03");
  ASSERT_TRUE(name.ok);
  EXPECT_EQ(name.data, "ORVA-SIM");
  for (const std::string &command : {Bytes({0x77}), Bytes({0x15, 0x02}), std::string()}) {
    const auto answer = Ask(command);
    ASSERT_TRUE(answer.ok);
    EXPECT_EQ(answer.status, 3);
    EXPECT_EQ(answer.data, "");
  }
  // A known command with stray parameters is a parameter error.
  EXPECT_EQ(Ask(Bytes({0x15, 0x01, 0x00})).status, 2);
}

TEST_F(SimModemTest, AnswersItsOwnAddressAndAnyAddressOnly) {
  modem.SetAddress(7);
  for (uint8_t destination : {7, 255}) {
    auto reply = modem.Answer(Request("\x15\x03", destination, 0x42));
    ASSERT_TRUE(reply) << int(destination);
    const auto answer = DecodeBinAnswer(reply->bytes);
    EXPECT_EQ(answer.destination, 0x42);  // back to whoever asked
    EXPECT_EQ(answer.source, 7);
  }
  EXPECT_FALSE(modem.Answer(Request("\x15\x03", 8)));
  EXPECT_FALSE(modem.Answer(Request("\x15\x03", 0)));
}

TEST_F(SimModemTest, AnswersInTheProtocolOfTheRequest) {
  modem.State().deviceName = "N1";
  auto reply = modem.Answer(Request("\x15\x03", 255, 0, WireProtocol::kAscii));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->bytes, "/000100" + std::string("4E31") + "!80\r\n");
  modem.SetAsciiLowercase(true);
  modem.State().deviceName = "\xAB";
  reply = modem.Answer(Request("\x15\x03", 255, 0, WireProtocol::kAscii));
  const auto answer = DecodeAsciiAnswer(reply->bytes);
  ASSERT_TRUE(answer.ok);
  EXPECT_EQ(answer.dataHex, "ab");
}

TEST_F(SimModemTest, DropsTheNextAnswersButRunsTheirCommands) {
  Faults faults;
  faults.dropNextAnswers = 2;
  modem.SetFaults(faults);
  EXPECT_FALSE(modem.Answer(Request("\x15\x01")));
  EXPECT_FALSE(modem.Answer(Request("\x15\x01", 9)));  // not ours: no drop used up
  EXPECT_FALSE(modem.Answer(Request("\x15\x01")));
  EXPECT_EQ(modem.GetFaults().dropNextAnswers, 0);
  EXPECT_TRUE(Ask("\x15\x01").ok);
}

TEST_F(SimModemTest, StatusFaults) {
  Faults faults;
  faults.busyNextAnswers = 1;
  faults.statusOverride = 0x42;
  modem.SetFaults(faults);
  auto answer = Ask("\x15\x01");
  EXPECT_EQ(answer.status, 15);
  EXPECT_EQ(answer.data, "");
  for (int k = 0; k < 2; ++k) {
    answer = Ask("\x15\x01");
    EXPECT_EQ(answer.status, 0x42);
    EXPECT_EQ(answer.data, "");
  }
  faults.busyNextAnswers = 0;
  faults.statusOverride = 4;
  modem.SetFaults(faults);
  EXPECT_EQ(Ask("\x15\x01").status, 4);
}

TEST_F(SimModemTest, FrameFaults) {
  Faults faults;
  faults.answerFromAddress = 0x33;
  faults.noiseBefore = Bytes({0x1B, 0x55, '/', 0x00});
  faults.splitAnswer = true;
  faults.delayMs = 250;
  modem.SetFaults(faults);
  auto reply = modem.Answer(Request("\x15\x01"));
  ASSERT_TRUE(reply);
  EXPECT_TRUE(reply->split);
  EXPECT_EQ(reply->delayMs, 250u);
  ASSERT_EQ(reply->bytes.substr(0, 4), faults.noiseBefore);
  const auto answer = DecodeBinAnswer(reply->bytes.substr(4));
  ASSERT_TRUE(answer.ok);
  EXPECT_EQ(answer.source, 0x33);

  faults = {};
  faults.corruptCheck = true;
  modem.SetFaults(faults);
  reply = modem.Answer(Request("\x15\x01"));
  ASSERT_TRUE(reply);
  EXPECT_FALSE(DecodeBinAnswer(reply->bytes).ok);
}

TEST_F(SimModemTest, FloodHasNoFrameAndComesOnce) {
  Faults faults;
  faults.floodNextBytes = 5001;
  modem.SetFaults(faults);
  auto reply = modem.Answer(Request("\x15\x01"));
  ASSERT_TRUE(reply);
  EXPECT_FALSE(reply->answerFrame);
  ASSERT_EQ(reply->bytes.size(), 5001u);
  EXPECT_EQ(reply->bytes.find('\x1B'), std::string::npos);
  EXPECT_EQ(reply->bytes.find('/'), std::string::npos);
  EXPECT_EQ(reply->bytes.find('\n'), std::string::npos);
  EXPECT_EQ(modem.GetFaults().floodNextBytes, 0u);
  EXPECT_TRUE(Ask("\x15\x01").ok);
}

}  // namespace
}  // namespace sim
