#include "ui/widgets/window_placement_logic.h"

#include <algorithm>
#include <cstdint>

namespace placement {

namespace {

int64_t Overlap(const Rect &a, const Rect &b) {
  const int64_t w = std::min<int64_t>(int64_t{a.left} + a.width, int64_t{b.left} + b.width) -
                    std::max<int64_t>(a.left, b.left);
  const int64_t h = std::min<int64_t>(int64_t{a.top} + a.height, int64_t{b.top} + b.height) -
                    std::max<int64_t>(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

Rect VisiblePlacement(const Rect &stored, const std::vector<Rect> &screens) {
  if (screens.empty()) return stored;
  // The screen that shows most of the window, or the first one.
  const Rect *screen = &screens.front();
  int64_t best = 0;
  for (const Rect &s : screens) {
    int64_t o = Overlap(stored, s);
    if (o > best) best = o, screen = &s;
  }
  Rect r = stored;
  r.width = std::clamp(r.width, 1, std::max(1, screen->width));
  r.height = std::clamp(r.height, 1, std::max(1, screen->height));
  // Less than half of the window on its screen: it was left somewhere
  // else (another monitor, another resolution); centre it.
  if (2 * Overlap(r, *screen) < int64_t{r.width} * r.height) {
    r.left = screen->left + (screen->width - r.width) / 2;
    r.top = screen->top + (screen->height - r.height) / 2;
    return r;
  }
  r.left = std::clamp(r.left, screen->left, screen->left + screen->width - r.width);
  r.top = std::clamp(r.top, screen->top, screen->top + screen->height - r.height);
  return r;
}

}  // namespace placement
