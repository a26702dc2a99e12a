#include <gtest/gtest.h>

#include <thread>

#include "ui/main/vcomm_tab_logic.h"

using namespace vcomm_tab;

TEST(ChannelRoute, FieldGroupsBecomeTheRouteText) {
  struct Case {
    const char *field;
    const char *route;  // nullptr: refused
  } cases[] = {
      {"001 002 003", "01010203"},
      {"1   7  ", "000107"},
      {"1  ", nullptr},
      {"", nullptr},
      {"001 300 002", nullptr},
      {"12  34  255", "010C22FF"},
  };
  std::string full, overfull;  // the mask's 24 groups, and a pasted 25th
  for (int i = 0; i < 25; ++i) (i < 24 ? full : overfull) += "001 ";
  overfull = full + overfull;
  RouteField whole = RouteFromField(full);
  ASSERT_TRUE(whole.route) << whole.error;
  EXPECT_EQ(whole.route->substr(0, 2), "16");
  RouteField refused = RouteFromField(overfull);
  EXPECT_FALSE(refused.route);
  EXPECT_EQ(refused.error, "в маршруте больше 24 адресов");
  for (const auto &c : cases) {
    RouteField r = RouteFromField(c.field);
    if (c.route) {
      ASSERT_TRUE(r.route) << c.field << ": " << r.error;
      EXPECT_EQ(*r.route, c.route) << c.field;
    } else {
      EXPECT_FALSE(r.route) << c.field;
      EXPECT_FALSE(r.error.empty()) << c.field;
    }
  }
}

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
