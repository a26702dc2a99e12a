// Memories, tables, mesh commands and channels end to end: the real engine
// and line code against the simulated modem on a pseudo-terminal, on the
// modem itself and on a remote node behind its tunnel.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "log/logger.h"
#include "log_wiring.h"
#include "modem/remote_node.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"

using modem::ZIZ2400;
using modem_test::LogTo;

namespace {

class MemoryE2E : public testing_support::SimLineTest, public ::testing::WithParamInterface<bool> {
 protected:
  static constexpr uint16_t kRemote = 2;

  void SetUp() override {
    SimLineTest::SetUp();
    node.SetTimeOutMs(1000);
    remote.SetDirectNode(&node);
    remote.SetRemoteAddress(kRemote);
    remote.SetDeviceId(255);
    remote.Transactions = 2;
    // Answered at the first poll: the tunnel's waiting is tested elsewhere.
    server.WithModem([](sim::SimModem &m) { m.GetMesh().FindNode(kRemote)->pendingPolls = 0; });
  }
  void TearDown() override {
    remote.SetDirectNode(nullptr);
    SimLineTest::TearDown();
  }
  bool Remote() const { return GetParam(); }
  ZIZ2400 &Target() { return Remote() ? static_cast<ZIZ2400 &>(remote) : node; }
  // The simulated memories of the node the test talks to.
  sim::MemoryState Memories() {
    sim::MemoryState m;
    server.WithModem([&](sim::SimModem &s) {
      m = Remote() ? s.GetMesh().FindNode(kRemote)->state.memory : s.State().memory;
    });
    return m;
  }

  modem::ZIZ2400_RemoteNode remote;
};

std::string Image(const sim::MemoryState &m) { return m.config.substr(0, m.configSize); }

}  // namespace

TEST_P(MemoryE2E, ConfigurationReadChangedWrittenAndReadBack) {
  auto &n = Target();
  std::shared_ptr<config::IZTConfig> config;
  ASSERT_TRUE(n.ReadConfig(config)) << n.ResultCode().Msg;
  EXPECT_EQ(config->GetUserSettings()->GetNodeName(), Remote() ? "Узел 2" : "Узел учёта 1");
  EXPECT_EQ(config->GetZTNETSettings()->GetNodeId(), Remote() ? kRemote : 1);
  EXPECT_EQ(config->GetPTPSettings()->GetRoute(), std::string("\x00\x01\x02", 3));
  // The modules read back exactly what the modem keeps.
  EXPECT_EQ(config->SaveToString(), Image(Memories()));

  config->GetZTNETSettings()->SetNetId(42);
  config->GetUserSettings()->SetNodeName("Котельная №3");
  config->GetPTPSettings()->SetRoute(std::string("\x01\x01\x05\x02", 4));
  ASSERT_TRUE(n.WriteConfig(config)) << n.ResultCode().Msg;
  std::string back;
  ASSERT_TRUE(n.ReadConfigImage(back));
  EXPECT_EQ(back, config->SaveToString());
  EXPECT_EQ(Image(Memories()), back);
  std::shared_ptr<config::IZTConfig> reread;
  ASSERT_TRUE(n.ReadConfig(reread));
  EXPECT_EQ(reread->GetZTNETSettings()->GetNetId(), 42);
  EXPECT_EQ(reread->GetUserSettings()->GetNodeName(), "Котельная №3");
}

TEST_P(MemoryE2E, EveryRegionDumps) {
  auto &n = Target();
  const sim::MemoryState m = Memories();
  std::string data;
  ASSERT_TRUE(n.ReadConfigBytes(0, 476, data));
  EXPECT_EQ(data, m.config);
  ASSERT_TRUE(n.ReadNodeTable(data));
  // The modem on the cable lists its mesh (1 and 2 below it, 3 below 1); a
  // remote node keeps a table of its own.
  if (Remote()) EXPECT_EQ(data, m.nodeTable);
  else EXPECT_EQ(data.size(), 16u * 9);
  modem::TZT_NodeTableItems items;
  uint16_t count = 0;
  ASSERT_TRUE(n.ReadNodeTableCount(count));
  ASSERT_TRUE(n.ReadNodeTableItems(0, count, items));
  ASSERT_EQ(items.size(), Remote() ? 12u : 16u);
  const size_t child = Remote() ? 4 : 3;
  EXPECT_TRUE(items[child].InUse());
  EXPECT_EQ(items[child].ParentIndex(), 1);
  EXPECT_FALSE(items[11].InUse());
  bool flag = false;
  ASSERT_TRUE(n.ReadWorkParams(data, flag));
  EXPECT_EQ(data, m.workParams);
  EXPECT_TRUE(flag);
  modem::TProductionRecord rec{};
  ASSERT_TRUE(n.ReadProductionRecord(rec, flag));
  EXPECT_TRUE(flag);
  EXPECT_EQ(rec[4] | rec[5] << 8, modem::ProductionCheckWord(rec));
  uint16_t size = 0;
  ASSERT_TRUE(n.ReadPureEEPROMSize(size));
  EXPECT_EQ(size, 2048);
  ASSERT_TRUE(n.ReadPureEEPROM(0, 64, data));
  EXPECT_EQ(data, m.config.substr(0, 64));  // the EEPROM holds the configuration region
  ASSERT_TRUE(n.ReadPureMemorySize(size));
  EXPECT_EQ(size, 0x800);
  ASSERT_TRUE(n.ReadPureMemory(0x4E1 - 0x60, 129, data));
  EXPECT_EQ(data, m.ram.substr(0x481, 129));
  ASSERT_TRUE(n.ReadPureFRAMSize(size));
  EXPECT_EQ(size, 8192);
  ASSERT_TRUE(n.ReadPureFRAM(8192 - 40, 40, data));
  EXPECT_EQ(data, m.fram.substr(8192 - 40));
  EXPECT_FALSE(n.ReadPureFRAM(8192 - 40, 41, data));  // past the end: the modem refuses
  EXPECT_EQ(n.ResultCode().Code, 2);
}

TEST_P(MemoryE2E, ProductionRecordWriteAndErases) {
  auto &n = Target();
  modem::TProductionRecord rec{9, 8, 7, 6, 0, 0};
  ASSERT_TRUE(n.WriteProductionRecord(rec));
  modem::TProductionRecord back{};
  bool flag = false;
  ASSERT_TRUE(n.ReadProductionRecord(back, flag));
  EXPECT_EQ(back, rec);
  EXPECT_TRUE(flag);
  ASSERT_TRUE(n.EraseWorkParams());
  std::string data;
  ASSERT_TRUE(n.ReadWorkParams(data, flag));
  EXPECT_FALSE(flag);
  EXPECT_EQ(data, std::string(data.size(), '\xFF'));
  ASSERT_TRUE(n.ErasePureFRAM());
  ASSERT_TRUE(n.ReadPureFRAM(100, 8, data));
  EXPECT_EQ(data, std::string(8, '\xFF'));
}

TEST_P(MemoryE2E, ACompositeReadIsOneActionHoldingItsRequests) {
  auto &n = Target();
  TLogger log(nullptr, TLoggerOptions{});
  LogTo(log, node);
  LogTo(log, remote);
  std::string image;
  ASSERT_TRUE(n.ReadConfigImage(image));
  ASSERT_EQ(log.ChildCount(), 1);
  TLogNode *op = log.ChildAt(0);
  EXPECT_EQ(op->GetText(), "Чтение конфигурации");
  EXPECT_EQ(op->GetState(), lsOK);
  const int blocks = static_cast<int>((image.size() + 31) / 32);
  ASSERT_EQ(op->ChildCount(), 1 + blocks);
  EXPECT_EQ(op->ChildAt(0)->GetText(), "Чтение области \"ConfigSize\" (000000, 2 items)");
  EXPECT_EQ(op->ChildAt(1)->GetText(), "Чтение области \"Config\" (000000, 32 items)");
  for (int k = 0; k <= blocks; ++k) {
    EXPECT_EQ(op->ChildAt(k)->GetState(), lsOK);
    // On a remote node every request holds its own tunnel steps.
    if (Remote()) EXPECT_GE(op->ChildAt(k)->ChildCount(), 3) << k;
    else EXPECT_EQ(op->ChildAt(k)->ChildCount(), 0) << k;
  }

  // A failed request fails the whole operation.
  log.Clear();
  sim::Faults faults;
  faults.statusOverride = 4;
  SetFaults(faults);
  EXPECT_FALSE(n.ReadNodeTable(image));
  ASSERT_EQ(log.ChildCount(), 1);
  EXPECT_EQ(log.ChildAt(0)->GetState(), lsError);
  EXPECT_EQ(log.ChildAt(0)->ChildAt(0)->GetState(), lsError);
}

TEST_P(MemoryE2E, MeshStateAndTables) {
  auto &n = Target();
  modem::ZIZ2400RoutePairs pairs;
  modem::TORVA_Nodes nodes;
  uint8_t second = 0;
  modem::TORVA_CommonContext common;
  modem::TORVA_RouterContext router;
  ASSERT_TRUE(n.ReadOrvaCommonContext(common));
  ASSERT_TRUE(n.ReadOrvaRouterContext(router));
  EXPECT_EQ(modem::DecodeOrvaCommon(common).Status, 4);
  ASSERT_TRUE(n.ReadRouteTable(pairs));
  ASSERT_TRUE(n.ReadOrvaNodeTable(true, nodes, second));
  if (Remote()) {
    EXPECT_EQ(pairs, (modem::ZIZ2400RoutePairs{{0, 0}}));
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(modem::DecodeOrvaRouter(router).Depth, 1);
    return;
  }
  EXPECT_EQ(pairs, (modem::ZIZ2400RoutePairs{{1, 1}, {2, 2}, {3, 1}}));
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_EQ(second, 3);
  EXPECT_EQ(modem::DecodeOrvaNode(nodes[2]).Addr, 3);
  EXPECT_EQ(modem::DecodeOrvaNode(nodes[2]).Depth, 2);
  EXPECT_EQ(modem::DecodeOrvaCommon(common).NodeCount, 3);
  n.RemoveOrvaChild(2);
  EXPECT_EQ(n.ResultCode().Code, 0);
  ASSERT_TRUE(n.ReadOrvaNodeTable(true, nodes, second));
  EXPECT_EQ(nodes.size(), 3u);
  EXPECT_FALSE(modem::DecodeOrvaNode(nodes[1]).Active);
  EXPECT_EQ(second, 2);
  n.RemoveOrvaChild(77);
  EXPECT_EQ(n.ResultCode().Code, 18);
}

INSTANTIATE_TEST_SUITE_P(DirectAndRemote, MemoryE2E, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Remote" : "Direct"; });

// Bytes the port hears while a channel is open, collected off the reader thread.
class ChannelE2E : public testing_support::SimLineTest {
 protected:
  void SetUp() override {
    SimLineTest::SetUp();
    port.OnReceiveData = [this](const std::string &data) {
      std::lock_guard l(mutex_);
      heard_ += data;
      cv_.notify_all();
    };
  }
  void TearDown() override {
    port.OnReceiveData = nullptr;
    SimLineTest::TearDown();
  }
  // What arrived once `bytes` have come or the time is up.
  std::string Hear(size_t bytes, int ms) {
    std::unique_lock l(mutex_);
    cv_.wait_for(l, std::chrono::milliseconds(ms), [&] { return heard_.size() >= bytes; });
    std::string out = heard_;
    heard_.clear();
    return out;
  }
  void Forget() { Hear(SIZE_MAX, 0); }

  std::mutex mutex_;
  std::condition_variable cv_;
  std::string heard_;
};

TEST_F(ChannelE2E, RawBytesComeBackWhileAChannelIsOpen) {
  // A test block: 00, length, then the bytes 0, 1, 2 ... (ESC and "/" among them).
  std::string block("\x00\x2C\x01", 3);
  for (int k = 0; k < 300; ++k) block.push_back(static_cast<char>(k));

  port.SendData(block);
  EXPECT_EQ(Hear(1, 200), "");  // no channel: the modem ignores raw bytes

  ASSERT_TRUE(node.OpenVComm(0, 0)) << node.ResultCode().Msg;
  Forget();
  port.SendData(block);
  EXPECT_EQ(Hear(block.size(), 3000), block);

  // Requests are still the modem's own while the channel is open.
  modem::TVersion version;
  ASSERT_TRUE(node.ReadVersion(version));
  ASSERT_TRUE(node.CloseVComm());
  Forget();
  port.SendData(block);
  EXPECT_EQ(Hear(1, 200), "");

  // An idle channel closes itself after its time-out (20 units: 100 ms).
  ASSERT_TRUE(node.OpenUart(0, 20, "00010A", 3));
  Forget();
  port.SendData("ping");
  EXPECT_EQ(Hear(4, 2000), "ping");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  port.SendData("ping");
  EXPECT_EQ(Hear(1, 200), "");
}
