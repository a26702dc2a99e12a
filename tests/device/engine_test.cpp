// The transaction engine with a device class whose answers are text lines:
// "<number>text\n" is accepted with code <number>; "?\n" is an answer the class
// does not settle (the result stays "in progress").
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>

#include "device/device.h"
#include "support/scripted_port.h"
#include "util/tick.h"

using namespace device;
using testing_support::Reply;
using testing_support::ScriptedPort;

namespace {

class LineDevice : public TDevice {
 public:
  ~LineDevice() override { DetachFromPort(); }
  std::string BuildPacket(const std::string &command) override { return command; }
  bool ParseAnswer(const std::string &buffer) override {
    size_t lf = buffer.find('\n');
    if (lf == std::string::npos || lf == 0) return false;
    size_t digits = 0;
    while (digits < lf && std::isdigit(static_cast<unsigned char>(buffer[digits]))) ++digits;
    if (digits > 0) SetResult(std::stoi(buffer.substr(0, digits)), buffer.substr(0, lf));
    return true;
  }
  std::string ExtractData(const std::string &answer) override { return answer.substr(0, answer.find('\n')); }
};

struct Engine : ::testing::Test {
  ScriptedPort port;
  LineDevice dev;
  std::vector<std::pair<TDeviceDetailMode, int>> details;
  Engine() {
    dev.SetPort(&port);
    dev.SetTimeOutMs(150);
    dev.OnDetailedInfo = [this](TCustomDevice &, TDeviceDetailMode m, const std::string &, int n) {
      details.emplace_back(m, n);
    };
  }
  void AnswerWith(std::string text, unsigned delayMs = 0) {
    port.SetResponder([text, delayMs](const std::string &) { return std::vector<Reply>{{text, delayMs}}; });
  }
};

}  // namespace

TEST(EngineProperties, TimeOutSecondsAndMilliseconds) {
  LineDevice dev;
  EXPECT_EQ(dev.GetTimeOut(), 5);
  EXPECT_EQ(dev.Transactions, 20);
  EXPECT_EQ(dev.BlockSize, 32);
  EXPECT_EQ(dev.ResultCode(), rcPending);
  dev.SetTimeOutMs(200);
  EXPECT_EQ(dev.GetTimeOut(), 1);
  dev.SetTimeOutMs(1500);
  EXPECT_EQ(dev.GetTimeOut(), 2);
  dev.SetTimeOut(3);
  EXPECT_EQ(dev.GetTimeOutMs(), 3000);
}

TEST_F(Engine, AnswerInPiecesEndsTheFirstAttempt) {
  port.SetResponder([](const std::string &) {
    return std::vector<Reply>{{"0 he"}, {"llo\n", 5}};
  });
  std::string received;
  dev.OnReceivePacket = [&](TCustomDevice &, const std::string &rx, const std::string &data) { received = rx + "|" + data; };
  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode().Code, 0);
  EXPECT_EQ(dev.AnswerData(), "0 hello");
  EXPECT_EQ(received, "0 hello\n|0 hello");
  EXPECT_EQ(port.Sent().size(), 1u);
  EXPECT_FALSE(dev.Busy());
}

TEST_F(Engine, NoAnswerRepeatsAndReportsEachRepeat) {
  uint32_t start = util::TickMs();
  dev.Execute("ping", 1, 2);
  uint32_t spent = util::TicksSince(start);
  EXPECT_EQ(dev.ResultCode(), rcNoAnswer);
  EXPECT_EQ(port.Sent().size(), 2u);
  ASSERT_EQ(details.size(), 1u);
  EXPECT_EQ(details[0], std::make_pair(TDeviceDetailMode::dmRepeat, 1));
  EXPECT_GE(spent, 290u);  // two budgets of 150 ms
}

TEST_F(Engine, ErrorStatusIsFinalWithoutRetry) {
  AnswerWith("4 unable\n");
  dev.Execute("ping", 1, 5);
  EXPECT_EQ(dev.ResultCode().Code, 4);
  EXPECT_EQ(port.Sent().size(), 1u);
}

TEST_F(Engine, UnsettledAnswerRunsToTimeOut) {
  AnswerWith("?\n");
  dev.Execute("ping", 1, 1);
  EXPECT_EQ(dev.ResultCode(), rcNoAnswer);
}

TEST_F(Engine, FloodOverflowsAtOnce) {
  dev.SetTimeOutMs(5000);
  port.SetResponder([](const std::string &) { return std::vector<Reply>{{std::string(5001, 'z')}}; });
  uint32_t start = util::TickMs();
  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode(), rcRxOverflow);
  EXPECT_EQ(port.Sent().size(), 1u);
  EXPECT_LT(util::TicksSince(start), 2000u);
}

TEST_F(Engine, BusyStatusShortensTheAttemptAndRepeats) {
  dev.SetTimeOutMs(1000);
  std::atomic<int> calls{0};
  port.SetResponder([&](const std::string &) {
    return std::vector<Reply>{{++calls == 1 ? "15\n" : "0 ok\n"}};
  });
  uint32_t start = util::TickMs();
  dev.Execute("ping", 1, 3);
  uint32_t spent = util::TicksSince(start);
  EXPECT_EQ(dev.ResultCode().Code, 0);
  EXPECT_EQ(calls.load(), 2);
  EXPECT_GE(spent, 690u);   // the busy attempt ran to 700 ms ...
  EXPECT_LT(spent, 1000u);  // ... not to the full second
}

TEST_F(Engine, StopDuringWaitEndsPromptlyAndNextRunsNormally) {
  dev.SetTimeOutMs(5000);
  std::thread stopper([&] {
    util::SleepMs(100);
    dev.Stop();
  });
  uint32_t start = util::TickMs();
  dev.Execute("ping", 1, 3);
  uint32_t spent = util::TicksSince(start);
  stopper.join();
  EXPECT_EQ(dev.ResultCode(), rcAborted);
  EXPECT_EQ(port.Sent().size(), 1u);
  EXPECT_LT(spent, 1000u);

  AnswerWith("0 ok\n");
  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode().Code, 0);
}

TEST_F(Engine, StopFromSendHandlerAbortsAndItsLateAnswerIsNotTheNextOnes) {
  // The stopped request was written: its answer still comes, before the
  // next request's, and must not be taken for it.
  int sent = 0;
  port.SetResponder([&](const std::string &) {
    return std::vector<Reply>{{++sent == 1 ? "4 stale\n" : "0 ok\n", 60}};
  });
  dev.OnSendPacket = [&](TCustomDevice &d, const std::string &, const std::string &) {
    if (sent == 1) d.Stop();
  };
  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode(), rcAborted);
  EXPECT_EQ(port.Sent().size(), 1u);

  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode(), (TResultCode{0, "0 ok"}));
}

TEST_F(Engine, StopAfterSendIgnoresLaterBytes) {
  AnswerWith("4 late\n", 20);
  dev.StopAfterSend = true;
  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode(), rcOK);
  port.Drain();
  EXPECT_EQ(dev.ResultCode(), rcOK);
  EXPECT_EQ(dev.AnswerData(), "");
}

TEST_F(Engine, NestedExecuteIsRefused) {
  bool nestedRan = false;
  dev.ExternalWaitProc = [&](TCustomDevice &d, int, uint8_t) {
    if (nestedRan) return;
    nestedRan = true;
    d.Execute("other", 1, 1);
    EXPECT_EQ(d.ResultCode().Code, 3);  // unchanged: still the running attempt's
  };
  dev.Execute("ping", 1, 1);
  EXPECT_TRUE(nestedRan);
  EXPECT_EQ(port.Sent(), std::vector<std::string>{"ping"});
}

TEST_F(Engine, SkippedAttemptsAndMissingPortLeaveInProgress) {
  int asked = 0;
  dev.OnBeforeExecute = [&](TCustomDevice &, uint8_t) {
    ++asked;
    return false;
  };
  dev.Execute("ping", 1, 3);
  EXPECT_EQ(dev.ResultCode(), rcPending);
  EXPECT_EQ(asked, 3);
  EXPECT_TRUE(port.Sent().empty());

  LineDevice loose;
  loose.Execute("ping", 1, 3);
  EXPECT_EQ(loose.ResultCode(), rcPending);
  EXPECT_FALSE(loose.Busy());
}

TEST_F(Engine, WaitStepReportsTheAttempt) {
  std::vector<TExtWaitProcParams> steps;
  dev.ExternalWaitProc2 = [&](TCustomDevice &, const TExtWaitProcParams &p) { steps.push_back(p); };
  AnswerWith("0 ok\n", 120);
  dev.SetTimeOutMs(1000);
  dev.Execute("ping", 1, 4);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front().TotalTime, 1000);
  EXPECT_EQ(steps.front().TransactionCount, 4);
  EXPECT_EQ(steps.front().Transaction, 0);
  EXPECT_EQ(steps.front().Packet, "ping");
  EXPECT_EQ(steps.front().LastResult, rcPending);
  EXPECT_LE(steps.back().Remaining, 1000);
  EXPECT_EQ(steps.back().Answer, "0 ok");
  EXPECT_EQ(steps.back().AbortHandle, &dev.AbortEvent());
}

TEST_F(Engine, ShowErrorIgnoresListedCodesAndEmptyTexts) {
  struct Presenter : IErrorPresenter {
    std::string shown;
    int ShowError(const std::string &, const std::string &text, int) override {
      shown = text;
      return 1;
    }
  };
  auto p = std::make_shared<Presenter>();
  SetDefaultErrorPresenter(p);
  dev.SetResult(rcNoAnswer);
  EXPECT_EQ(dev.ShowError("c", "more", {2}, 0), -1);
  EXPECT_EQ(dev.ShowError("c", "more", {}, 0), 1);
  EXPECT_EQ(p->shown, "нет ответа от устройства\rmore");
  dev.SetResult(rcPending);
  EXPECT_EQ(dev.ShowError("c", "more", {}, 0), -1);
  SetDefaultErrorPresenter(nullptr);
}

TEST_F(Engine, ACodeThreeAnswerWithTextIsFinal) {
  // A device class may settle an answer with a record of code 3 that is not
  // "in progress" (the modem's "unknown command"): it ends the transaction.
  AnswerWith("3 unknown command\n");
  dev.SetTimeOutMs(2000);
  uint32_t start = util::TickMs();
  dev.Execute("ping", 1, 5);
  EXPECT_EQ(dev.ResultCode(), (TResultCode{3, "3 unknown command"}));
  EXPECT_EQ(port.Sent().size(), 1u);
  EXPECT_LT(util::TicksSince(start), 1500u);
}
