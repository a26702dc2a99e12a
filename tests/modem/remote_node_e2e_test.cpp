// Remote nodes through the simulated modem's tunnel, over a pseudo-terminal:
// polls, fetches, the tunnel's failures, Stop, and how the action log shows
// a remote command.
#include <gtest/gtest.h>

#include "device/result_code.h"
#include "log/logger.h"
#include "log_wiring.h"
#include "modem/remote_node.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"
#include "util/format.h"

using device::TDeviceDetailMode;
using device::TResultCode;
using modem::ZIZ2400_RemoteNode;
using modem_test::LogTo;

namespace {

class RemoteNodeE2E : public testing_support::SimLineTest {
 protected:
  void SetUp() override {
    SimLineTest::SetUp();
    // As the main window sets the direct node up: one attempt per tunnel step.
    node.SetTimeOutMs(1000);
    node.Transactions = 1;
    remote.SetDirectNode(&node);
    remote.SetRemoteAddress(2);
    remote.SetDeviceId(255);
    remote.Transactions = 2;
  }
  void TearDown() override {
    remote.SetDirectNode(nullptr);
    SimLineTest::TearDown();
  }
  sim::RemoteNode &MeshNode(sim::SimModem &m, uint16_t address) { return *m.GetMesh().FindNode(address); }
  sim::TunnelCounters Counters() {
    sim::TunnelCounters c;
    server.WithModem([&](sim::SimModem &m) { c = m.GetMesh().Counters(); });
    return c;
  }

  ZIZ2400_RemoteNode remote;
};

}  // namespace

TEST_F(RemoteNodeE2E, ThreeUnfinishedPollsThenTheAnswer) {
  server.WithModem([&](sim::SimModem &m) {
    auto &n = MeshNode(m, 2);
    n.pendingPolls = 3;
    n.state.registers.Write(0x00, 0x11);
    n.state.registers.Write(0x01, 0x22);
  });
  TLogger log(nullptr, TLoggerOptions{});
  LogTo(log, node);
  LogTo(log, remote);
  modem::TRegisterImage regs;
  ASSERT_TRUE(remote.ReadRegisters(0x00, 2, regs)) << remote.ResultCode().Msg;
  EXPECT_EQ(remote.AnswerData(), "001122");
  EXPECT_EQ(regs[0], 0x11);
  EXPECT_EQ(regs[1], 0x22);
  auto c = Counters();
  EXPECT_EQ(c.sends, 1u);
  EXPECT_EQ(c.polls, 4u);
  EXPECT_EQ(c.fetches, 1u);

  // One action for the operation, holding one send, an entry per poll and one fetch.
  ASSERT_EQ(log.ChildCount(), 1);
  TLogNode *op = log.ChildAt(0);
  EXPECT_EQ(op->GetText(), "Чтение регистров (0x00 - 0x01)");
  EXPECT_EQ(op->GetState(), lsOK);
  ASSERT_EQ(op->ChildCount(), 6);
  EXPECT_EQ(op->ChildAt(0)->GetText(), "Удаленная команда узлу 2");
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(op->ChildAt(i)->GetText(), "Чтение статуса выполнения удаленной команды");
    EXPECT_EQ(op->ChildAt(i)->GetDetail(), i < 4 ? "OK (S:1 RC:0 BL:0)" : "OK (S:0 RC:0 BL:3)");
  }
  EXPECT_EQ(op->ChildAt(5)->GetText(), "Чтение буфера удаленной команды");
}

TEST_F(RemoteNodeE2E, EveryOperationRunsOnTheRemoteNode) {
  server.WithModem([&](sim::SimModem &m) {
    auto &n = MeshNode(m, 3);
    n.state.temperature = -10;
    n.state.rawVoltageExternal = 320;
    n.state.rawVoltageInternal = 640;
  });
  remote.SetRemoteAddress(3);
  modem::TVersion version;
  ASSERT_TRUE(remote.ReadVersion(version));
  std::string expectedVersion;
  server.WithModem([&](sim::SimModem &m) { expectedVersion = MeshNode(m, 3).state.versionText; });
  EXPECT_EQ(version.VersionStr, expectedVersion);
  std::string name;
  ASSERT_TRUE(remote.ReadDeviceName(name));
  EXPECT_EQ(name, "ORVA-SIM-3");
  int16_t temperature = 0;
  ASSERT_TRUE(remote.ReadTemperature(temperature));
  EXPECT_EQ(temperature, -10);
  double v1 = 0, v2 = 0;
  ASSERT_TRUE(remote.ReadVoltages(v1, v2));
  EXPECT_NEAR(v1, 4.88, 0.005);
  EXPECT_NEAR(v2, 9.76, 0.005);
  const modem::TDateTime t{2025, 6, 30, 23, 59, 0, 0};
  ASSERT_TRUE(remote.WriteRtc(t));
  modem::TDateTime back;
  ASSERT_TRUE(remote.ReadRtc(back));
  EXPECT_LT(modem::ToMilliseconds(back) - modem::ToMilliseconds(t), 3000);
  ASSERT_TRUE(remote.SetMode(1));
  ASSERT_TRUE(remote.Strobe(0x36));
  ASSERT_TRUE(remote.Identify());
  server.WithModem([&](sim::SimModem &m) {
    auto &n = MeshNode(m, 3);
    EXPECT_EQ(n.state.mode, 1);
    EXPECT_EQ(n.state.registers.MarcState(), 1);
    EXPECT_EQ(n.state.identifyCount, 1u);
    // The direct modem itself was left alone.
    EXPECT_EQ(m.State().mode, 0);
    EXPECT_EQ(m.State().identifyCount, 0u);
  });
  modem::TPhyStatus phy;
  EXPECT_TRUE(remote.ReadPhyStatus(phy));
  modem::TMacContext mac;
  EXPECT_TRUE(remote.ReadMacContext(mac));
}

TEST_F(RemoteNodeE2E, UnknownAddressFinishesWithItsStatusAndNoFetch) {
  remote.SetRemoteAddress(77);
  remote.Execute("1501", 1, remote.Transactions);
  EXPECT_EQ(remote.ResultCode(), (TResultCode{18, "Неизвестный узел"}));
  auto c = Counters();
  EXPECT_EQ(c.sends, 1u);
  EXPECT_EQ(c.fetches, 0u);
}

TEST_F(RemoteNodeE2E, FaultsOfTheRemoteNode) {
  struct Case {
    const char *name;
    sim::NodeFaults faults;
    TResultCode result;
    uint64_t fetches;
  } cases[] = {
      {"its own error status", {false, false, -1, 0x42}, {66, "Ошибка 66"}, 1},
      {"empty answer", {false, true, -1, -1}, device::rcNoData, 1},
      {"remote error status", {false, false, 0x13, -1}, {19, "узел вне сети (временно недоступен)"}, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    uint64_t fetchesBefore = Counters().fetches;
    server.WithModem([&](sim::SimModem &m) { MeshNode(m, 2).faults = c.faults; });
    remote.Execute("1501", 1, remote.Transactions);
    EXPECT_EQ(remote.ResultCode(), c.result);
    EXPECT_EQ(Counters().fetches - fetchesBefore, c.fetches);
  }
}

TEST_F(RemoteNodeE2E, AFailedFirstPollSendsTheCommandAgain) {
  int sent = 0;
  remote.OnSendPacket = [&](device::TCustomDevice &, const std::string &, const std::string &) {
    // The direct modem loses its answer to the first poll.
    if (++sent != 1) return;
    sim::Faults faults;
    faults.dropNextAnswers = 1;
    server.SetFaults(faults);
  };
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), device::rcOK);
  EXPECT_EQ(sent, 2);
  auto c = Counters();
  EXPECT_EQ(c.sends, 2u);
  EXPECT_EQ(c.fetches, 1u);
}

TEST_F(RemoteNodeE2E, StopDuringPollingEndsWithAborted) {
  server.WithModem([&](sim::SimModem &m) { MeshNode(m, 2).faults.noAnswer = true; });
  int waits = 0;
  remote.ExternalWaitProc2 = [&](device::TCustomDevice &d, const device::TExtWaitProcParams &) {
    if (++waits == 3) d.Stop();
  };
  remote.Execute("1501", 1, 2);
  EXPECT_EQ(remote.ResultCode(), device::rcAborted);
  auto c = Counters();
  EXPECT_EQ(c.sends, 1u);
  EXPECT_EQ(c.fetches, 0u);
  EXPECT_GE(c.polls, 3u);
}
