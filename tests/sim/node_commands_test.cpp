// The direct modem's own command set, request by request, with a clock the
// test moves by hand.
#include <gtest/gtest.h>

#include "answer_decoder.h"
#include "sim/clock_record.h"
#include "sim/sim_modem.h"
#include "util/hex.h"

namespace sim {
namespace {

using sim_test::Bytes;
using sim_test::DecodeBinAnswer;
using sim_test::DecodedAnswer;

class NodeCommandsTest : public ::testing::Test {
 protected:
  int64_t now_ = 50000;  // before the modem, which reads the clock as it is made
  SimModem modem{[this] { return now_; }};

  std::optional<DecodedAnswer> Ask(const std::string &command) {
    RequestFrame frame;
    frame.destination = 255;
    frame.command = command;
    auto reply = modem.Answer(frame);
    if (!reply) return std::nullopt;
    return DecodeBinAnswer(reply->bytes);
  }
  // Status 0 expected; the data bytes.
  std::string Data(const std::string &command) {
    auto answer = Ask(command);
    EXPECT_TRUE(answer && answer->ok) << util::BytesToHex(command);
    if (!answer) return {};
    EXPECT_EQ(answer->status, 0) << util::BytesToHex(command);
    return answer->data;
  }
  uint8_t Status(const std::string &command) {
    auto answer = Ask(command);
    EXPECT_TRUE(answer && answer->ok) << util::BytesToHex(command);
    return answer ? answer->status : 0xEE;
  }
  uint8_t Register(uint8_t address) { return static_cast<uint8_t>(Data(Bytes({0xEB, 0x01, address, 1}))[0]); }
};

TEST_F(NodeCommandsTest, EveryReadAnswersWithTheLengthItsDecoderExpects) {
  const struct {
    std::string command;
    size_t length;
  } cases[] = {
      {Bytes({0x1C, 0x01}), 16}, {Bytes({0x1C, 0x02}), 1}, {Bytes({0x1C, 0x05}), 4},
      {Bytes({0x1C, 0x06}), 7},  {Bytes({0x1C, 0xC1}), 6}, {Bytes({0x1D, 0xDF}), 8},
      {Bytes({0x24, 0x01}), 8},  {Bytes({0x16, 0x02}), 4}, {Bytes({0x16, 0x03}), 5},
      {Bytes({0x26}), 1},        {Bytes({0x31, 0x01}), 1}, {Bytes({0x31, 0x02}), 4},
      {Bytes({0xEB, 0x01, 0x00, 0x20}), 32}, {Bytes({0xEB, 0x01, 0x20, 0x1B}), 27},
      {Bytes({0xEB, 0x01, 0x3F, 0x02}), 2},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Data(c.command).size(), c.length) << util::BytesToHex(c.command);
    // A read takes no parameters beyond its own: a stray byte is refused.
    EXPECT_EQ(Status(c.command + '\x00'), 2) << util::BytesToHex(c.command);
  }
  for (const std::string &command : {Bytes({0x1A, 0x01}), Bytes({0xFD}), Bytes({0x2C, 0x01}), Bytes({0x1C, 0x04, 0x01}),
                                     Bytes({0x1B, 0x02, 0x0A, 0x05}), Bytes({0x1B, 0x03, 0x3D})}) {
    EXPECT_EQ(Data(command), "") << util::BytesToHex(command);
    now_ += 1000;  // past the silence after the restart
  }
}

TEST_F(NodeCommandsTest, RegisterFileStartsWithChipResetValuesAndKeepsWrites) {
  EXPECT_EQ(Register(0x00), 0x29);  // IOCFG2
  EXPECT_EQ(Register(0x0D), 0x5E);  // FREQ2
  EXPECT_EQ(Register(0x30), 0x80);  // PARTNUM
  EXPECT_EQ(Register(0x35), 13);    // MARCSTATE: RX
  EXPECT_EQ(Register(0x3F), 0);
  EXPECT_EQ(Data(Bytes({0xEB, 0x01, 0x3F, 0x02}))[1], 0);  // past the last register

  EXPECT_EQ(Status(Bytes({0x1B, 0x02, 0x0A, 0x07})), 0);
  EXPECT_EQ(Register(0x0A), 7);
  EXPECT_EQ(static_cast<uint8_t>(Data(Bytes({0x1C, 0x01}))[2]), 7);  // PHY status shows the channel
  for (uint8_t readOnly : {0x2F, 0x30, 0x35, 0x3D, 0x40}) EXPECT_EQ(Status(Bytes({0x1B, 0x02, readOnly, 1})), 2);
  EXPECT_EQ(Status(Bytes({0xEB, 0x01, 0x00, 0x00})), 2);
  EXPECT_EQ(Status(Bytes({0xEB, 0x01, 0x00, 0x41})), 2);

  // The FIFO counts what is written; flushing empties it.
  EXPECT_EQ(Status(Bytes({0x1B, 0x02, 0x3F, 0xAA})), 0);
  EXPECT_EQ(Status(Bytes({0x1B, 0x02, 0x3F, 0xBB})), 0);
  EXPECT_EQ(Register(0x3A), 2);
  EXPECT_EQ(Status(Bytes({0x1B, 0x03, 0x3B})), 0);
  EXPECT_EQ(Register(0x3A), 0);
}

TEST_F(NodeCommandsTest, StrobesMoveTheRadioState) {
  const struct {
    uint8_t strobe;
    uint8_t marcState;
  } cases[] = {{0x36, 1}, {0x34, 13}, {0x35, 19}, {0x31, 18}, {0x32, 2}, {0x39, 0}, {0x33, 1}, {0x38, 0}, {0x3D, 0}};
  for (const auto &c : cases) {
    EXPECT_EQ(Status(Bytes({0x1B, 0x03, c.strobe})), 0);
    EXPECT_EQ(Register(0x35), c.marcState) << "strobe " << int(c.strobe);
  }
  EXPECT_EQ(Status(Bytes({0x1B, 0x03, 0x2F})), 2);
  EXPECT_EQ(Status(Bytes({0x1B, 0x03, 0x3E})), 2);
  // SRES brings the configuration back and idles the radio.
  EXPECT_EQ(Status(Bytes({0x1B, 0x02, 0x0D, 0x11})), 0);
  EXPECT_EQ(Status(Bytes({0x1B, 0x03, 0x30})), 0);
  EXPECT_EQ(Register(0x0D), 0x5E);
  EXPECT_EQ(Register(0x35), 1);
}

TEST_F(NodeCommandsTest, TransceiverOffPutsTheRadioToSleep) {
  EXPECT_EQ(Status(Bytes({0x1C, 0x04, 0x00})), 0);
  EXPECT_EQ(Register(0x35), 0);
  EXPECT_EQ(Data(Bytes({0x1C, 0x01}))[1], 0);  // ps_Off
  EXPECT_EQ(Status(Bytes({0x1B, 0x03, 0x34})), 4);
  EXPECT_EQ(Status(Bytes({0x1B, 0x02, 0x0A, 1})), 4);
  EXPECT_EQ(Status(Bytes({0x1C, 0x04, 0x02})), 2);
  EXPECT_EQ(Status(Bytes({0x1C, 0x04, 0x01})), 0);
  EXPECT_EQ(Register(0x35), 13);
  EXPECT_EQ(Data(Bytes({0x1C, 0x01}))[1], 1);  // ps_RX
}

TEST_F(NodeCommandsTest, ClockRunsFromTheTimeItWasSet) {
  modem.State().clockDriftPpm = 0;  // a perfect crystal: the calendar is what is checked here
  // 1 March 2024 12:34:56.785.
  const std::string record = Bytes({0x9D, 0xE8, 0x07, 0x03, 0x01, 0x0C, 0x22, 0x38});
  EXPECT_EQ(Status(Bytes({0x24, 0x02}) + record), 0);
  EXPECT_EQ(Data(Bytes({0x24, 0x01})), record);
  now_ += 1500;
  EXPECT_EQ(Data(Bytes({0x24, 0x01})), Bytes({0x39, 0xE8, 0x07, 0x03, 0x01, 0x0C, 0x22, 0x3A}));
  now_ += 24LL * 3600 * 1000 * 29;  // 2024 is a leap year: 29 days lead to 30 March
  EXPECT_EQ(Data(Bytes({0x24, 0x01})), Bytes({0x39, 0xE8, 0x07, 0x03, 0x1E, 0x0C, 0x22, 0x3A}));

  const std::string impossible[] = {
      Bytes({0x00, 0xE8, 0x07, 0x00, 0x01, 0x00, 0x00, 0x00}),  // month 0
      Bytes({0x00, 0xE7, 0x07, 0x02, 0x1D, 0x00, 0x00, 0x00}),  // 29 February 2023
      Bytes({0x00, 0xE8, 0x07, 0x03, 0x01, 0x18, 0x00, 0x00}),  // hour 24
      Bytes({0xC8, 0xE8, 0x07, 0x03, 0x01, 0x00, 0x00, 0x00}),  // 1000 ms
      Bytes({0x00, 0xE8, 0x07, 0x03, 0x01, 0x00, 0x00}),        // short
  };
  const std::string before = Data(Bytes({0x24, 0x01}));
  for (const std::string &bad : impossible) EXPECT_EQ(Status(Bytes({0x24, 0x02}) + bad), 2) << util::BytesToHex(bad);
  EXPECT_EQ(Data(Bytes({0x24, 0x01})), before);
}

TEST_F(NodeCommandsTest, CountersRunAndRestartResetsThem) {
  auto ticks = [this] {
    const std::string d = Data(Bytes({0x16, 0x02}));
    return static_cast<uint32_t>(static_cast<uint8_t>(d[0]) | static_cast<uint8_t>(d[1]) << 8 |
                                 static_cast<uint8_t>(d[2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(d[3])) << 24);
  };
  now_ += 10000;
  EXPECT_EQ(ticks(), 2000u);  // 5 ms ticks
  const std::string cycle = Data(Bytes({0x16, 0x03}));
  const uint32_t cycles = static_cast<uint8_t>(cycle[1]) | static_cast<uint8_t>(cycle[2]) << 8 |
                          static_cast<uint8_t>(cycle[3]) << 16;
  EXPECT_EQ(cycles, 10u * modem.State().cyclesPerSecond);

  EXPECT_EQ(Status(Bytes({0x2C, 0x01})), 0);
  EXPECT_EQ(modem.State().mode, 1);
  EXPECT_EQ(Status(Bytes({0x2C, 0x02})), 2);
  EXPECT_EQ(Status(Bytes({0x1B, 0x02, 0x0A, 0x09})), 0);
  EXPECT_EQ(Status(Bytes({0x1A, 0x01})), 0);
  EXPECT_EQ(modem.State().identifyCount, 1u);
  const std::string clock = Data(Bytes({0x24, 0x01}));

  EXPECT_EQ(Status(Bytes({0xFD})), 0);
  // Silent for a short while, then back with its power-on state.
  now_ += modem.State().restartSilenceMs - 1;
  EXPECT_FALSE(Ask(Bytes({0x15, 0x01})));
  now_ += 1;
  EXPECT_EQ(ticks(), modem.State().restartSilenceMs / 5);
  EXPECT_EQ(Register(0x0A), 0);
  EXPECT_EQ(modem.State().mode, 0);
  EXPECT_EQ(modem.State().restartCount, 1u);
  EXPECT_NE(Data(Bytes({0x24, 0x01})), clock);  // the clock kept running
}

TEST_F(NodeCommandsTest, SupplyAndRadioFiguresComeFromTheState) {
  NodeState &state = modem.State();
  state.mainsPresent = false;
  state.rawVoltageExternal = 320;
  state.rawVoltageInternal = 640;
  state.temperature = -10;
  state.carrierOffsets = {-3, -2, -1, -1};
  EXPECT_EQ(Data(Bytes({0x31, 0x01})), Bytes({0x00}));
  EXPECT_EQ(Data(Bytes({0x31, 0x02})), Bytes({0x40, 0x01, 0x80, 0x02}));
  EXPECT_EQ(Data(Bytes({0x1C, 0x02})), Bytes({0xF6}));
  EXPECT_EQ(Data(Bytes({0x1C, 0x05})), Bytes({0xFD, 0xFE, 0xFF, 0xFF}));
}

TEST(ClockRecord, EncodesAndDecodesTheRecord) {
  const auto t = DecodeClockRecord(sim_test::Bytes({0x9D, 0xE8, 0x07, 0x03, 0x01, 0x0C, 0x22, 0x38}));
  ASSERT_TRUE(t);
  EXPECT_EQ(*t % 1000, 785);
  EXPECT_EQ(EncodeClockRecord(*t), sim_test::Bytes({0x9D, 0xE8, 0x07, 0x03, 0x01, 0x0C, 0x22, 0x38}));
  EXPECT_EQ(EncodeClockRecord(0), sim_test::Bytes({0x00, 0xB2, 0x07, 0x01, 0x01, 0x00, 0x00, 0x00}));
}

}  // namespace
}  // namespace sim
