#include <gtest/gtest.h>

#include <thread>

#include "ui/main/vcomm_tab_logic.h"

using namespace vcomm_tab;

TEST(ChannelTestBlock, HeaderAndCountingBytes) {
  std::string b = TestBlock(300);
  ASSERT_EQ(b.size(), 303u);
  EXPECT_EQ(b.substr(0, 3), std::string("\x00\x2c\x01", 3));
  EXPECT_EQ(static_cast<uint8_t>(b[3 + 255]), 255);
  EXPECT_EQ(static_cast<uint8_t>(b[3 + 256]), 0);
  EXPECT_EQ(static_cast<uint8_t>(b.back()), 43);
}

namespace {
ReceiveChecker::Tick RunTicks(ReceiveChecker &c, int n) {
  ReceiveChecker::Tick last;
  for (int i = 0; i < n; ++i) {
    auto t = c.OnTimer();
    if (t.compared) return t;
    last = t;
  }
  return last;
}
}  // namespace

TEST(ReceiveChecker, ReportsOfGoodBadAndShortBlocks) {
  ReceiveChecker c;
  c.Start();
  // A right block, arriving whole in one delivery (header included).
  c.OnReceive(TestBlock(100));
  auto t = RunTicks(c, 10);
  EXPECT_TRUE(t.compared);
  EXPECT_TRUE(t.report.empty());

  // Byte 10 wrong.
  std::string bad = TestBlock(100);
  bad[3 + 10] = 0x0B;
  c.OnReceive(bad.substr(0, 40));
  c.OnReceive(bad.substr(40));
  t = RunTicks(c, 10);
  ASSERT_TRUE(t.compared);
  EXPECT_EQ(t.report, std::vector<std::string>{"Error at pos 0010 (000A): waited 0A, received 0B"});

  // Cut short after 60 of 100.
  c.OnReceive(TestBlock(100).substr(0, 63));
  t = RunTicks(c, 10);
  ASSERT_TRUE(t.compared);
  EXPECT_EQ(t.report, std::vector<std::string>{"Size differ: waited 100, received 60"});
  EXPECT_EQ(c.OnTimer().state, ReceiveChecker::WaitStart);
}

TEST(ReceiveChecker, SilenceWaitsAndTotalsCountEverything) {
  ReceiveChecker c;
  c.OnReceive("abc");
  EXPECT_EQ(c.OnTimer().total, 3u);
  c.Start();
  for (int i = 0; i < 20; ++i) {
    auto t = c.OnTimer();
    EXPECT_EQ(t.state, ReceiveChecker::WaitStart);
    EXPECT_FALSE(t.compared);
  }
  c.OnReceive("\x01\x02");  // no start byte: counted, not collected
  EXPECT_EQ(c.OnTimer().total, 2u);
  c.ResetTotal();
  EXPECT_EQ(c.OnTimer().total, 0u);
  c.Stop();
  EXPECT_STREQ(ReceiveChecker::StateName(c.OnTimer().state), "Off");
}

TEST(ReceiveChecker, FedFromAnotherThread) {
  ReceiveChecker c;
  c.Start();
  std::string block = TestBlock(2000);
  std::thread reader([&] {
    for (size_t i = 0; i < block.size(); i += 7) c.OnReceive(std::string_view(block).substr(i, 7));
  });
  // Ticks race the deliveries (the sanitizers watch); what they compare
  // depends on timing, so only the total is certain.
  for (int i = 0; i < 50; ++i) c.OnTimer();
  reader.join();
  EXPECT_EQ(c.OnTimer().total, block.size());
}
