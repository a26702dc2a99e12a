#pragma once
// Where a window goes when its stored placement is restored: somewhere the
// user can see it. A stored rectangle off every screen is centred on the
// first screen; one larger than its screen is shrunk to it; one partly off
// its screen is moved inside. Free of Qt, so the rules are tested alone.
#include <vector>

namespace placement {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect &) const = default;
};

// `screens` are the screens' available areas, the primary one first.
// With no screen the stored rectangle is returned as it is.
Rect VisiblePlacement(const Rect &stored, const std::vector<Rect> &screens);

}  // namespace placement
