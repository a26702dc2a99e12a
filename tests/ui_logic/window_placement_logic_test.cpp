// A stored window rectangle is put where it can be seen.
#include <gtest/gtest.h>

#include "ui/widgets/window_placement_logic.h"

using placement::Rect;
using placement::VisiblePlacement;

TEST(WindowPlacement, StoredRectanglesAreMadeVisible) {
  const std::vector<Rect> one{{0, 0, 1920, 1040}};
  const std::vector<Rect> two{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
  struct Case {
    const char *what;
    Rect stored;
    std::vector<Rect> screens;
    Rect expected;
  } cases[] = {
      {"on screen: kept", {275, 174, 841, 398}, one, {275, 174, 841, 398}},
      {"far off every screen: centred", {-30000, 5000, 841, 398}, one, {539, 321, 841, 398}},
      {"larger than the screen: clamped to it", {0, 0, 32767, 32767}, one, {0, 0, 1920, 1040}},
      {"mostly on screen: moved inside", {1300, 700, 841, 398}, one, {1079, 642, 841, 398}},
      {"on the second screen: kept there", {2000, 100, 800, 600}, two, {2000, 100, 800, 600}},
      {"second screen gone: centred on the first", {2000, 100, 800, 600}, one, {560, 220, 800, 600}},
      {"no screens known: as stored", {-30000, 0, 10, 10}, {}, {-30000, 0, 10, 10}},
  };
  for (const auto &c : cases) EXPECT_EQ(VisiblePlacement(c.stored, c.screens), c.expected) << c.what;
}
