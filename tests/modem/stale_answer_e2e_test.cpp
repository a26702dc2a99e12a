// Answers that come after their time-out: the engine must never take one
// for the answer to the next command, whatever mix of commands follows.
#include <gtest/gtest.h>

#include "sim/sim_modem.h"
#include "support/sim_fixture.h"

namespace {

class StaleAnswers : public testing_support::SimLineTest {
 protected:
  template <class F>
  auto Sim(F f) {
    decltype(f(std::declval<sim::SimModem &>())) result{};
    server.WithModem([&](sim::SimModem &m) { result = f(m); });
    return result;
  }
  // One command of a kind; false when it failed. A success with another
  // command's data counts in `wrong`.
  bool Run(int kind) {
    switch (kind % 4) {
      case 0: {
        modem::TVersion v;
        if (!node.ReadVersion(v)) return false;
        if (v.VersionStr != Sim([](sim::SimModem &m) { return m.State().versionText; })) ++wrong;
        return true;
      }
      case 1: {
        std::string name;
        if (!node.ReadDeviceName(name)) return false;
        if (name != Sim([](sim::SimModem &m) { return m.State().deviceName; })) ++wrong;
        return true;
      }
      case 2: {
        std::string data;
        const uint16_t at = static_cast<uint16_t>(kind * 37 % 4000);
        if (!node.ReadPureFRAM(at, 16, data)) return false;
        if (data != Sim([&](sim::SimModem &m) { return m.State().memory.fram.substr(at, 16); })) ++wrong;
        return true;
      }
      default: {
        int16_t t = 0;
        if (!node.ReadTemperature(t)) return false;
        if (t != Sim([](sim::SimModem &m) { return static_cast<int16_t>(m.State().temperature); })) ++wrong;
        return true;
      }
    }
  }
  int wrong = 0;
};

TEST_F(StaleAnswers, AnswersLaterThanTheTimeOutAreNeverTakenForTheNextCommand) {
  node.SetTimeOutMs(200);
  node.Transactions = 3;
  server.WithModem([](sim::SimModem &m) { m.State().temperature = 31; });
  sim::Faults late;
  late.delayMs = 300;  // 1.5 x the time-out
  SetFaults(late);
  int succeeded = 0;
  for (int i = 0; i < 25; ++i) succeeded += Run(i) ? 1 : 0;
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(succeeded, 0) << "a late answer to a repeated request still serves that request";

  // Once the line is clean again, operations are as quick and right as ever.
  SetFaults(sim::Faults{});
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Run(i)) << i;
  EXPECT_EQ(wrong, 0);
}

TEST_F(StaleAnswers, AnAnswerLaterThanTheDrainIsRefusedWhenItsFormCannotBeTheNextCommands) {
  node.SetTimeOutMs(100);
  node.Transactions = 1;
  // The register block comes 350 ms after its request: past its own time-out
  // and past the wait for owed answers (200 ms) before the next command.
  sim::Faults late;
  late.delayMs = 350;
  SetFaults(late);
  modem::TRegisterImage regs{};
  EXPECT_FALSE(node.ReadRegisters(0x00, 0x2F, regs));
  SetFaults(sim::Faults{});

  // The modem answers in turn: the version follows the late register block.
  node.Transactions = 2;
  modem::TVersion v;
  ASSERT_TRUE(node.ReadVersion(v)) << node.ResultCode().Msg;
  EXPECT_EQ(v.VersionStr, Sim([](sim::SimModem &m) { return m.State().versionText; }));
}

}  // namespace
