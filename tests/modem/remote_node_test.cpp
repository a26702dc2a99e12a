// The remote node over a scripted direct modem: one send, polls until the
// node has finished, one fetch; and how each failure of the tunnel ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "device/result_code.h"
#include "modem/remote_node.h"
#include "scripted_modem.h"

using device::TResultCode;
using modem::ZIZ2400_RemoteNode;
using modem_test::ScriptedModem;

namespace {

// What the direct modem answers to the three tunnel commands. Answers are
// hex of status and data; nothing means silence.
struct Tunnel {
  std::vector<std::optional<std::string>> sends{"0007"};
  std::vector<std::optional<std::string>> polls{"00000000"};  // the last one repeats
  std::optional<std::string> fetch = "00001122";

  std::optional<std::string> Answer(const std::string &command, size_t &sendCount, size_t &pollCount) {
    auto pick = [](const auto &list, size_t &count) {
      const auto &a = list[std::min(count, list.size() - 1)];
      ++count;
      return a;
    };
    if (command.rfind("1801", 0) == 0) return pick(sends, sendCount);
    if (command.rfind("1802", 0) == 0) return pick(polls, pollCount);
    if (command.rfind("1803", 0) == 0) return fetch;
    return std::nullopt;
  }
};

class RemoteNodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modem.node.SetTimeOutMs(100);
    modem.OnCommand([this](const std::string &command) { return tunnel.Answer(command, sends_, polls_); });
    remote.SetDirectNode(&modem.node);
    remote.SetRemoteAddress(2);
    remote.SetDeviceId(255);
    remote.Transactions = 2;
    remoteDetails.Attach(remote);
  }
  size_t Count(const std::string &prefix) const {
    size_t n = 0;
    for (const auto &c : modem.Commands()) n += c.rfind(prefix, 0) == 0;
    return n;
  }

  Tunnel tunnel;
  ScriptedModem modem;
  ZIZ2400_RemoteNode remote;
  modem_test::DetailLog remoteDetails;

 private:
  size_t sends_ = 0;
  size_t polls_ = 0;
};

}  // namespace

TEST_F(RemoteNodeTest, UnfinishedPollsThenTheFetchedAnswer) {
  tunnel.polls = {"00010000", "00010000", "00010000", "00000003"};
  std::vector<std::string> sentPackets, sentCommands, received;
  remote.OnSendPacket = [&](device::TCustomDevice &, const std::string &packet, const std::string &data) {
    sentPackets.push_back(packet);
    sentCommands.push_back(data);
  };
  remote.OnReceivePacket = [&](device::TCustomDevice &, const std::string &rx, const std::string &data) {
    EXPECT_EQ(rx, "");
    received.push_back(data);
  };
  remote.Execute("1501", 1, remote.Transactions);
  EXPECT_EQ(remote.ResultCode(), device::rcOK);
  EXPECT_EQ(remote.AnswerData(), "001122");
  EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"180102001501", "180207", "180207", "180207", "180207",
                                                        "180307"}));
  EXPECT_EQ(remote.RequestId(), 7);
  EXPECT_EQ(remote.RemoteStatus(), device::rcOK);
  EXPECT_EQ(sentPackets, std::vector<std::string>{std::string("\x15\x01")});
  EXPECT_EQ(sentCommands, std::vector<std::string>{"1501"});
  EXPECT_EQ(received, std::vector<std::string>{"001122"});
  // The direct node's log: one send, one entry per poll, one fetch.
  EXPECT_EQ(modem.details.Starts(),
            (std::vector<std::string>{"Удаленная команда узлу 2", "Чтение статуса выполнения удаленной команды",
                                      "Чтение статуса выполнения удаленной команды",
                                      "Чтение статуса выполнения удаленной команды",
                                      "Чтение статуса выполнения удаленной команды", "Чтение буфера удаленной команды"}));
  EXPECT_EQ(modem.details.entries[3].text, "OK (S:1 RC:0 BL:0)");
  EXPECT_EQ(modem.details.entries[9].text, "OK (S:0 RC:0 BL:3)");
}

TEST_F(RemoteNodeTest, OperationsRunUnchangedOnTheRemoteNode) {
  tunnel.fetch = "0000F6";  // the direct node's status, then the remote answer
  int16_t temperature = 0;
  ASSERT_TRUE(remote.ReadTemperature(temperature));
  EXPECT_EQ(temperature, -10);
  EXPECT_EQ(modem.Commands().front(), "180102001C02");
  ASSERT_EQ(remoteDetails.entries.size(), 2u);
  EXPECT_EQ(remoteDetails.entries[0].text, "Чтение температуры CC2500");
  EXPECT_EQ(remoteDetails.entries[1].mode, device::TDeviceDetailMode::dmDoneOK);

  // A wide address goes low byte first.
  remote.SetRemoteAddress(0x1234);
  remote.Execute("FD", 1, 1);
  EXPECT_EQ(modem.Commands()[3], "18013412FD");
}

TEST_F(RemoteNodeTest, HowEachOutcomeOfTheTunnelEnds) {
  struct Case {
    const char *name;
    Tunnel tunnel;
    TResultCode result;
    size_t sends, polls, fetches;
    const char *answerData;
  } cases[] = {
      {"remote unknown node", {{"0007"}, {"00001200"}, "00"}, {18, "Неизвестный узел"}, 1, 1, 0, ""},
      {"remote status outside the table", {{"0007"}, {"00000100"}, "00"}, {1, "Ошибка 1"}, 1, 1, 0, ""},
      {"answer with its own error", {{"0007"}, {"00000000"}, "00424344"}, {66, "Ошибка 66"}, 1, 1, 1, "424344"},
      {"answer refused by the node", {{"0007"}, {"00000000"}, "0003"}, {3, "неизвестная команда"}, 1, 1, 1, "03"},
      {"empty answer", {{"0007"}, {"00000000"}, "00"}, device::rcNoData, 1, 1, 1, ""},
      {"fetch refused", {{"0007"}, {"00000000"}, "04"}, modem::rcGatewayError, 1, 1, 1, ""},
      {"first poll fails", {{"0007", "0008"}, {"04", "00000000"}, "0000AB"}, device::rcOK, 2, 2, 1, "00AB"},
      {"every poll fails", {{"0007"}, {"04"}, "00"}, modem::rcGatewayError, 2, 2, 0, ""},
      {"status too short", {{"0007"}, {"000000"}, "00"}, modem::rcGatewayError, 2, 2, 0, ""},
      {"send refused every time", {{"05"}, {"00000000"}, "00"}, modem::rcGatewayError, 2, 0, 0, ""},
      {"send without request id", {{"00"}, {"00000000"}, "00"}, modem::rcGatewayError, 2, 0, 0, ""},
      {"send refused once", {{"05", "0009"}, {"00000000"}, "0000"}, device::rcOK, 2, 1, 1, "00"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedModem direct;
    size_t sends = 0, polls = 0;
    Tunnel t = c.tunnel;
    direct.OnCommand([&](const std::string &command) { return t.Answer(command, sends, polls); });
    ZIZ2400_RemoteNode node;
    node.SetDirectNode(&direct.node);
    node.SetRemoteAddress(2);
    node.Execute("1501", 1, 2);
    EXPECT_EQ(node.ResultCode(), c.result);
    EXPECT_EQ(node.AnswerData(), c.answerData);
    size_t fetches = 0;
    for (const auto &cmd : direct.Commands()) fetches += cmd.rfind("1803", 0) == 0;
    EXPECT_EQ(sends, c.sends);
    EXPECT_EQ(polls, c.polls);
    EXPECT_EQ(fetches, c.fetches);
  }
}

TEST_F(RemoteNodeTest, RemoteStatusKeepsTheLastFinishedCommand) {
  tunnel.polls = {"00001300"};
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.RemoteStatus(), (TResultCode{19, "узел вне сети (временно недоступен)"}));
  EXPECT_EQ(remote.ResultCode(), remote.RemoteStatus());
}

TEST_F(RemoteNodeTest, StopDuringPollingEndsWithAbortedAndNoRetry) {
  tunnel.polls = {"00010000"};  // never finishes
  int waits = 0;
  remote.ExternalWaitProc2 = [&](device::TCustomDevice &d, const device::TExtWaitProcParams &p) {
    // The command's time limit and what is left of it.
    EXPECT_EQ(p.TotalTime, ZIZ2400_RemoteNode::kDefaultCommandTimeoutMs);
    EXPECT_GT(p.Remaining, 0);
    EXPECT_LE(p.Remaining, p.TotalTime);
    EXPECT_EQ(p.TransactionCount, 2);
    EXPECT_EQ(p.Transaction, 0);
    EXPECT_EQ(p.AbortHandle, &d.AbortEvent());
    EXPECT_EQ(p.Packet, std::string("\x15\x01"));
    if (++waits == 2) d.Stop();
  };
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), device::rcAborted);
  EXPECT_EQ(Count("1801"), 1u);
  EXPECT_EQ(Count("1803"), 0u);
  EXPECT_FALSE(remote.Busy());
  EXPECT_FALSE(remote.Aborted());

  // The next command runs normally.
  tunnel.polls = {"00000000"};
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), device::rcOK);
}

namespace {

// Waits as the default does, noting how long each wait was asked to be.
class RecordingWaiter : public device::IDeviceWaiter {
 public:
  Outcome Wait(uint32_t timeoutMs, util::ManualResetEvent &answer, util::ManualResetEvent &abort) override {
    steps.push_back(timeoutMs);
    return inner_.Wait(timeoutMs, answer, abort);
  }
  void ProcessInput() override {}
  std::vector<uint32_t> steps;

 private:
  device::CondVarWaiter inner_;
};

}  // namespace

TEST_F(RemoteNodeTest, ANodeThatNeverFinishesEndsAtTheTimeOutPolledEverMoreSparingly) {
  tunnel.polls = {"00010000"};
  auto waiter = std::make_shared<RecordingWaiter>();
  remote.SetWaiter(waiter);
  remote.SetCommandTimeoutMs(1500);
  std::vector<int> remaining;
  remote.ExternalWaitProc2 = [&](device::TCustomDevice &, const device::TExtWaitProcParams &p) {
    EXPECT_EQ(p.TotalTime, 1500);
    remaining.push_back(p.Remaining);
  };
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), (TResultCode{2, "нет ответа от удаленного узла за 1500 мс"}));
  // The limit is the command's: no repeat, nothing fetched.
  EXPECT_EQ(Count("1801"), 1u);
  EXPECT_EQ(Count("1803"), 0u);
  ASSERT_FALSE(remaining.empty());
  EXPECT_EQ(remaining.back(), 0);
  EXPECT_TRUE(std::is_sorted(remaining.rbegin(), remaining.rend()));
  // The first poll follows the send at once, the waits between polls grow
  // up to 100 ms.
  const auto &steps = waiter->steps;
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(Count("1802"), steps.size() + 1);
  EXPECT_LE(steps.front(), 5u);
  const auto firstFull = std::find(steps.begin(), steps.end(), 100u);
  ASSERT_NE(firstFull, steps.end());
  EXPECT_TRUE(std::is_sorted(steps.begin(), firstFull));
  EXPECT_EQ(*std::max_element(steps.begin(), steps.end()), 100u);

  // The same node answered within the limit.
  tunnel.polls = {"00010000", "00000000"};
  remote.SetCommandTimeoutMs(0);  // none
  remote.ExternalWaitProc2 = nullptr;
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), device::rcOK);
}

TEST_F(RemoteNodeTest, StopOfBothNodesWhilePollingEndsWithAborted) {
  // The main window's Stop, pressed while the direct node waits for a poll's
  // answer, stops the direct node and then the remote one; the poll that
  // fails under it must not turn into a gateway error.
  tunnel.polls = {std::nullopt};
  modem.node.SetTimeOutMs(2000);
  modem.node.ExternalWaitProc2 = [&](device::TCustomDevice &, const device::TExtWaitProcParams &) {
    if (Count("1802") == 0) return;
    modem.node.Stop();
    remote.Stop();
  };
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), device::rcAborted);
  EXPECT_EQ(Count("1801"), 1u);
  EXPECT_EQ(Count("1802"), 1u);
}

TEST(RemoteResultCode, StatusesReadAsTheModemTableOrAsNumberedErrors) {
  struct Case {
    uint8_t status;
    TResultCode rc;
  } cases[] = {
      {0, {0, "OK"}},
      {2, {2, "неверные параметры команды"}},
      {3, {3, "неизвестная команда"}},
      {7, {7, "неверная CS у запрошенных данных"}},
      {18, {18, "Неизвестный узел"}},
      {22, {22, "Неизвстный маршрут доставки"}},
      {80, {80, "Доступ запрещен"}},
      {81, {81, "Операция не поддерживается"}},
      {1, {1, "Ошибка 1"}},
      {8, {8, "Ошибка 8"}},
      {66, {66, "Ошибка 66"}},
      {255, {255, "Ошибка 255"}},
  };
  for (const auto &c : cases) EXPECT_EQ(modem::RemoteResultCode(c.status), c.rc) << int(c.status);
  EXPECT_EQ(modem::rcGatewayError, (TResultCode{513, "Ошибка шлюза"}));
}
