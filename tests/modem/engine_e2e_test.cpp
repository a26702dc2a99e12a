// Transactions over a real pseudo-terminal against the simulated modem.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "device/result_code.h"
#include "modem/modem_status.h"
#include "support/sim_fixture.h"
#include "util/hex.h"
#include "util/tick.h"

using namespace device;
using testing_support::SimLineTest;

namespace {

struct EngineOverPty : SimLineTest {
  int repeats = 0;
  void SetUp() override {
    SimLineTest::SetUp();
    node.OnDetailedInfo = [this](TCustomDevice &, TDeviceDetailMode m, const std::string &, int) {
      if (m == TDeviceDetailMode::dmRepeat) ++repeats;
    };
  }
  std::string VersionText() {
    std::string data = node.AnswerData();
    return util::HexToBytes(data.substr(2), static_cast<uint16_t>(data.size() / 2), true);
  }
};

}  // namespace

TEST_F(EngineOverPty, VersionInBothProtocols) {
  for (uint8_t protocol : {modem::kProtocolBin, uint8_t{0}}) {
    node.SetProtocol(protocol);
    node.Execute("1501", 1, 2);
    ASSERT_EQ(node.ResultCode(), rcOK) << int(protocol);
    EXPECT_NE(VersionText().find("модем"), std::string::npos) << VersionText();
  }
  EXPECT_EQ(server.RequestsSeen(), 2u);
}

TEST_F(EngineOverPty, LowerCaseAsciiAnswersAreAccepted) {
  server.SetAsciiLowercase(true);
  node.SetProtocol(0);
  node.Execute("1503", 1, 1);
  EXPECT_EQ(node.ResultCode(), rcOK);
  EXPECT_EQ(node.AnswerData().substr(0, 2), "00");
}

TEST_F(EngineOverPty, NoAnswerTwiceIsSentTwiceAndRepeatedOnce) {
  sim::Faults f;
  f.dropNextAnswers = 2;
  SetFaults(f);
  node.SetTimeOutMs(200);
  node.Execute("1501", 1, 2);
  EXPECT_EQ(node.ResultCode(), rcNoAnswer);
  EXPECT_EQ(server.RequestsSeen(), 2u);
  EXPECT_EQ(repeats, 1);
}

TEST_F(EngineOverPty, ErrorStatusEndsWithoutRetry) {
  sim::Faults f;
  f.statusOverride = 4;
  SetFaults(f);
  node.Execute("1501", 1, 5);
  EXPECT_EQ(node.ResultCode(), modem::msTempUnable);
  EXPECT_EQ(server.RequestsSeen(), 1u);
}

TEST_F(EngineOverPty, UnknownCommandIsReportedAsSuch) {
  node.Execute("7777", 1, 5);
  EXPECT_EQ(node.ResultCode(), modem::msNoSuchCommand);
  EXPECT_EQ(server.RequestsSeen(), 1u);
}

TEST_F(EngineOverPty, UnlistedStatusRunsToTimeOut) {
  sim::Faults f;
  f.statusOverride = 0x55;
  SetFaults(f);
  node.SetTimeOutMs(200);
  node.Execute("1501", 1, 1);
  EXPECT_EQ(node.ResultCode(), rcNoAnswer);
}

TEST_F(EngineOverPty, FloodOverflowsWithoutWaiting) {
  sim::Faults f;
  f.floodNextBytes = 5001;
  SetFaults(f);
  node.SetTimeOutMs(5000);
  uint32_t start = util::TickMs();
  node.Execute("1501", 1, 3);
  EXPECT_EQ(node.ResultCode(), rcRxOverflow);
  EXPECT_EQ(server.RequestsSeen(), 1u);
  EXPECT_LT(util::TicksSince(start), 3000u);
}

TEST_F(EngineOverPty, StopDuringTheWaitThenANormalTransaction) {
  sim::Faults f;
  f.delayMs = 3000;
  SetFaults(f);
  node.SetTimeOutMs(5000);
  uint32_t stoppedAt = 0;
  std::thread stopper([&] {
    util::SleepMs(150);
    stoppedAt = util::TickMs();
    node.Stop();
  });
  node.Execute("1501", 1, 3);
  uint32_t afterStop = util::TicksSince(stoppedAt);
  stopper.join();
  EXPECT_EQ(node.ResultCode(), rcAborted);
  EXPECT_LT(afterStop, 1000u);
  EXPECT_EQ(server.RequestsSeen(), 1u);

  SetFaults(sim::Faults{});
  util::SleepMs(50);
  node.SetTimeOutMs(5000);  // the delayed answer to the stopped request may still come first
  node.Execute("1501", 1, 2);
  EXPECT_EQ(node.ResultCode(), rcOK);
}

TEST_F(EngineOverPty, StopAfterSendDoesNotWait) {
  sim::Faults f;
  f.delayMs = 1000;  // far beyond a send, so a wait for the answer shows
  SetFaults(f);
  node.StopAfterSend = true;
  uint32_t start = util::TickMs();
  node.Execute("1501", 1, 3);
  EXPECT_LT(util::TicksSince(start), 800u);
  EXPECT_EQ(node.ResultCode(), rcOK);
  util::SleepMs(1200);  // the answer arrives and is ignored
  EXPECT_EQ(node.ResultCode(), rcOK);
  EXPECT_EQ(node.AnswerData(), "");
}

TEST_F(EngineOverPty, BusyModemIsAskedAgain) {
  sim::Faults f;
  f.busyNextAnswers = 1;
  SetFaults(f);
  node.SetTimeOutMs(1000);
  node.Execute("1501", 1, 3);
  EXPECT_EQ(node.ResultCode(), rcOK);
  EXPECT_EQ(server.RequestsSeen(), 2u);
}

TEST_F(EngineOverPty, NoiseAndSingleByteDeliveryStillFindTheAnswer) {
  sim::Faults f;
  f.noiseBefore = std::string("\x1b\x01\x00\x1b\x07garbage/zz!\n", 15);
  f.splitAnswer = true;
  SetFaults(f);
  for (uint8_t protocol : {modem::kProtocolBin, uint8_t{0}}) {
    node.SetProtocol(protocol);
    node.Execute("1501", 1, 1);
    EXPECT_EQ(node.ResultCode(), rcOK) << int(protocol);
  }
}

TEST_F(EngineOverPty, AddressFilteringAndCorruptChecks) {
  server.SetAddress(5);
  node.SetTimeOutMs(200);
  sim::Faults f;
  f.answerFromAddress = 6;
  SetFaults(f);
  node.SetDeviceId(5);
  node.Execute("1501", 1, 1);
  EXPECT_EQ(node.ResultCode(), rcNoAnswer);  // asked 5, 6 answered
  node.SetDeviceId(255);
  node.Execute("1501", 1, 1);
  EXPECT_EQ(node.ResultCode(), rcOK);  // any answer is welcome

  f = {};
  f.corruptCheck = true;
  SetFaults(f);
  for (uint8_t protocol : {modem::kProtocolBin, uint8_t{0}}) {
    node.SetProtocol(protocol);
    node.Execute("1501", 1, 1);
    EXPECT_EQ(node.ResultCode(), rcNoAnswer) << int(protocol);
  }
}

// The adapter is pulled out after an answer: that answer still counts, the
// port reads closed, and the next command ends as unanswered, not hung.
TEST_F(EngineOverPty, LineThatDropsAfterAnAnswer) {
  std::atomic<bool> hungUp{false};
  port.OnHangUp = [&](port::TPort &) { hungUp = true; };
  sim::Faults f;
  f.hangUpAfterAnswers = 1;
  SetFaults(f);
  node.Execute("1501", 1, 1);
  EXPECT_EQ(node.ResultCode(), rcOK);
  for (int i = 0; i < 500 && !hungUp; ++i) util::SleepMs(10);
  ASSERT_TRUE(hungUp);
  EXPECT_FALSE(port.GetActive());
  // The line is lost and not back: the command fails at once, saying so.
  node.Execute("1501", 1, 2);
  EXPECT_EQ(node.ResultCode(), rcLineLost);
}
