// Every modem operation over a pseudo-terminal against the simulated modem,
// checked against the state the simulator keeps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "device/result_code.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"
#include "util/hex.h"
#include "util/tick.h"

using device::rcNoAnswer;
using modem::TDateTime;

namespace {

class OperationsE2E : public testing_support::SimLineTest {
 protected:
  void SetUp() override {
    SimLineTest::SetUp();
    // One attempt, so that a silent modem shows as a failed operation.
    node.SetTimeOutMs(1000);
    node.Transactions = 1;
  }
  uint8_t Register(uint8_t address) {
    modem::TRegisterImage regs;
    EXPECT_TRUE(node.ReadRegisters(address, 1, regs)) << node.ResultCode().Msg;
    return regs[address];
  }
  sim::NodeState SimState() {
    sim::NodeState state;
    server.WithModem([&](sim::SimModem &m) { state = m.State(); });
    return state;
  }
};

}  // namespace

TEST_F(OperationsE2E, IdentityAndModes) {
  modem::TVersion version;
  ASSERT_TRUE(node.ReadVersion(version)) << node.ResultCode().Msg;
  EXPECT_EQ(version.VersionStr, SimState().versionText);  // Cyrillic, sent in CP866
  std::string name;
  ASSERT_TRUE(node.ReadDeviceName(name));
  EXPECT_EQ(name, SimState().deviceName);

  ASSERT_TRUE(node.Identify());
  EXPECT_EQ(SimState().identifyCount, 1u);
  ASSERT_TRUE(node.SetMode(1));
  EXPECT_EQ(SimState().mode, 1);
  ASSERT_TRUE(node.SetMode(0));
  EXPECT_EQ(SimState().mode, 0);
}

TEST_F(OperationsE2E, RegistersStrobesAndTheTransceiverSwitch) {
  modem::TRegisterImage low, high;
  ASSERT_TRUE(node.ReadRegisters(0x00, 32, low));
  ASSERT_TRUE(node.ReadRegisters(0x20, 27, high));
  const auto expected = SimState().registers.Values();
  for (int r = 0; r < 0x3B; ++r) EXPECT_EQ(r < 0x20 ? low[r] : high[r], expected[r]) << r;

  ASSERT_TRUE(node.WriteRegister(0x0D, 0x5C));
  EXPECT_EQ(Register(0x0D), 0x5C);
  ASSERT_TRUE(node.Strobe(0x36));  // SIDLE
  EXPECT_EQ(Register(0x35), 1);    // MARCSTATE IDLE
  ASSERT_TRUE(node.Strobe(0x34));  // SRX
  EXPECT_EQ(Register(0x35), 13);   // RX

  modem::TPhyStatus phy;
  ASSERT_TRUE(node.ReadPhyStatus(phy));
  EXPECT_EQ(phy[1], 1);  // receiving
  EXPECT_EQ(phy[2], Register(0x0A));

  ASSERT_TRUE(node.SetTransceiver(0));
  EXPECT_FALSE(SimState().transceiverOn);
  EXPECT_EQ(Register(0x35), 0);  // asleep
  EXPECT_FALSE(node.WriteRegister(0x0D, 0x5B));
  EXPECT_EQ(node.ResultCode().Msg, "временно невозможно выполнить команду");
  ASSERT_TRUE(node.ReadPhyStatus(phy));
  EXPECT_EQ(phy[1], 0);
  ASSERT_TRUE(node.SetTransceiver(1));
  EXPECT_TRUE(SimState().transceiverOn);

  // A strobe address the chip does not have.
  EXPECT_FALSE(node.Strobe(0x2F));
  EXPECT_EQ(node.ResultCode().Code, 2);
}

TEST_F(OperationsE2E, TransceiverDiagnostics) {
  server.WithModem([](sim::SimModem &m) {
    m.State().temperature = -10;
    m.State().phyErrors = {1, 2, 0x0102};
    m.State().carrierOffsets = {-3, -2, -1, -1};
  });
  int16_t temperature = 0;
  ASSERT_TRUE(node.ReadTemperature(temperature));
  EXPECT_EQ(temperature, -10);

  modem::TCarrierOffsets offsets;
  ASSERT_TRUE(node.ReadCarrierOffsets(offsets));
  EXPECT_EQ(offsets, (modem::TCarrierOffsets{0xFD, 0xFE, 0xFF, 0xFF, 0xFF}));

  modem::TPhyErrorStats errors;
  ASSERT_TRUE(node.ReadPhyErrorStats(errors));
  EXPECT_EQ(errors, (modem::TPhyErrorStats{1, 0, 2, 0, 2, 1}));

  modem::TLastPacketStatus lps;
  ASSERT_TRUE(node.ReadLastPacketStatus(lps));
  const auto last = SimState().lastPacket;
  EXPECT_EQ(lps[2], last.rssi);
  EXPECT_EQ(lps[3], last.lqi);
  EXPECT_EQ(lps[6], last.length);

  modem::TMacContext mac;
  ASSERT_TRUE(node.ReadMacContext(mac));
  EXPECT_EQ(mac[0], SimState().macPacketId);
}

TEST_F(OperationsE2E, ClockRunsFromTheTimeItWasSet) {
  const TDateTime set{2024, 3, 1, 12, 34, 56, 789};
  ASSERT_TRUE(node.WriteRtc(set));
  TDateTime read;
  ASSERT_TRUE(node.ReadRtc(read));
  int64_t gap = modem::ToMilliseconds(read) - modem::ToMilliseconds(TDateTime{2024, 3, 1, 12, 34, 56, 785});
  EXPECT_GE(gap, 0);
  EXPECT_LT(gap, 3000);

  std::string first, second;
  ASSERT_TRUE(node.ReadTickCounter(first));
  EXPECT_EQ(first.size(), 8u);
  util::SleepMs(30);
  ASSERT_TRUE(node.ReadTickCounter(second));
  auto ticks = [](const std::string &hex) {
    std::string b = util::HexToBytes(hex, 4, false);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[i]);
    return v;
  };
  EXPECT_GT(ticks(second), ticks(first));

  std::string cycle;
  ASSERT_TRUE(node.ReadCycleTime(cycle));
  EXPECT_EQ(cycle.size(), 10u);
  uint16_t eeprom = 0;
  ASSERT_TRUE(node.ReadEepromTestTime(eeprom));
  EXPECT_EQ(eeprom, SimState().eepromTestTime);
}

TEST_F(OperationsE2E, SupplySensorAndVoltages) {
  server.WithModem([](sim::SimModem &m) {
    m.State().rawVoltageExternal = 320;
    m.State().rawVoltageInternal = 640;
  });
  uint8_t sensor = 0;
  ASSERT_TRUE(node.ReadVoltageSensor(sensor));
  EXPECT_EQ(sensor, 1);
  server.WithModem([](sim::SimModem &m) { m.State().mainsPresent = false; });
  ASSERT_TRUE(node.ReadVoltageSensor(sensor));
  EXPECT_EQ(sensor, 0);
  double v1 = 0, v2 = 0;
  ASSERT_TRUE(node.ReadVoltages(v1, v2));
  EXPECT_EQ(std::round(v1 * 100), 488);
  EXPECT_EQ(std::round(v2 * 100), 976);
}

TEST_F(OperationsE2E, RestartAnswersThenTheModemIsSilentForAWhile) {
  server.WithModem([](sim::SimModem &m) { m.State().restartSilenceMs = 1500; });
  ASSERT_TRUE(node.SetMode(1));
  ASSERT_TRUE(node.Restart());
  EXPECT_EQ(SimState().restartCount, 1u);
  EXPECT_EQ(SimState().mode, 0);
  int16_t temperature = 0;
  EXPECT_FALSE(node.ReadTemperature(temperature));
  EXPECT_EQ(node.ResultCode(), rcNoAnswer);
  EXPECT_EQ(temperature, -100);
  util::SleepMs(600);
  EXPECT_TRUE(node.ReadTemperature(temperature)) << node.ResultCode().Msg;
}
