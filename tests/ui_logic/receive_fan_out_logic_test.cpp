// Received bytes reach every listener; a dropped handle is never called again.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ui/main/receive_fan_out_logic.h"

using ui::ReceiveFanOut;

TEST(ReceiveFanOut, EveryListenerGetsEveryBlockUntilItsHandleGoes) {
  ReceiveFanOut fan;
  std::string a, b;
  auto first = fan.Subscribe([&](const std::string &s) { a += s; });
  auto second = fan.Subscribe([&](const std::string &s) { b += s; });
  fan.Deliver("12");
  first.reset();
  fan.Deliver("34");
  EXPECT_EQ(a, "12");
  EXPECT_EQ(b, "1234");
  EXPECT_EQ(fan.Count(), 1u);
}

TEST(ReceiveFanOut, AHandleMayOutliveTheFanOut) {
  std::unique_ptr<ui::IReceiveSubscription> handle;
  {
    ReceiveFanOut fan;
    handle = fan.Subscribe([](const std::string &) {});
  }
  handle.reset();  // must not touch the gone fan-out
}

// The reader thread delivers while the window's thread subscribes and drops
// listeners: once a handle is gone, what its callback captured may go too.
TEST(ReceiveFanOut, UnsubscribingWhileTheReaderDeliversIsSafe) {
  ReceiveFanOut fan;
  std::atomic<bool> stop{false};
  std::thread reader([&] {
    while (!stop) fan.Deliver("x");
  });
  for (int i = 0; i < 2000; ++i) {
    auto counter = std::make_unique<int>(0);
    auto handle = fan.Subscribe([p = counter.get()](const std::string &) { ++*p; });
    handle.reset();
    counter.reset();  // would be used after free if the callback could still run
  }
  stop = true;
  reader.join();
  EXPECT_EQ(fan.Count(), 0u);
}
