#include "virtualcard/picture/overlay_compositor.h"

#include <algorithm>

#include "virtualcard/picture/frame.h"

namespace tolven::card::picture {

display::Rect OverlayCompositor::VisiblePart(const display::Rect &d, int32_t screenWidth,
                                             int32_t screenHeight) {
  // 64-bit sums: a rectangle reaching INT32_MAX must not wrap.
  const int64_t right = std::min<int64_t>(int64_t{d.right} + 1, screenWidth);
  const int64_t bottom = std::min<int64_t>(int64_t{d.bottom} + 1, screenHeight);
  display::Rect v{std::max(d.left, 0), std::max(d.top, 0), static_cast<int32_t>(right),
                  static_cast<int32_t>(bottom)};
  if (v.right <= v.left || v.bottom <= v.top) return display::Rect{};
  return v;
}

void OverlayCompositor::Forget() {
  drawn_ = display::Rect{};
  wrote_.clear();
  ours_.clear();
}

int64_t OverlayCompositor::Apply(const Frame &frame, const KeyColour &key,
                                 const display::Rect &destination, const ScreenArea &area) {
  if (!area.pixels || area.width <= 0 || area.height <= 0 || frame.Empty() || !key.Valid()) return 0;
  const int64_t destWidth = int64_t{destination.right} - destination.left + 1;
  const int64_t destHeight = int64_t{destination.bottom} - destination.top + 1;
  if (destWidth <= 0 || destHeight <= 0) return 0;
  // The destination within the area, in screen coordinates, right/bottom excluded.
  const int64_t left = std::max<int64_t>(destination.left, area.left);
  const int64_t top = std::max<int64_t>(destination.top, area.top);
  const int64_t right = std::min<int64_t>(int64_t{destination.right} + 1, int64_t{area.left} + area.width);
  const int64_t bottom = std::min<int64_t>(int64_t{destination.bottom} + 1, int64_t{area.top} + area.height);
  if (right <= left || bottom <= top) return 0;
  const display::Rect span{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                           static_cast<int32_t>(bottom)};
  const int32_t w = span.right - span.left, h = span.bottom - span.top;
  if (!(span == drawn_)) {
    drawn_ = span;
    wrote_.assign(static_cast<size_t>(w) * h, 0);
    ours_.assign(static_cast<size_t>(w) * h, 0);
  }
  // Frame column for each screen column (nearest pixel).
  columns_.resize(static_cast<size_t>(w));
  for (int32_t x = 0; x < w; ++x)
    columns_[x] = static_cast<int32_t>((left + x - destination.left) * frame.Width() / destWidth);

  int64_t replaced = 0;
  for (int32_t y = 0; y < h; ++y) {
    const int64_t frameY = (top + y - destination.top) * frame.Height() / destHeight;
    const uint32_t *source = frame.Row(static_cast<int32_t>(frameY));
    uint32_t *screen = area.pixels + (top + y - area.top) * int64_t{area.stride} + (left - area.left);
    uint32_t *wrote = wrote_.data() + static_cast<size_t>(y) * w;
    uint8_t *ours = ours_.data() + static_cast<size_t>(y) * w;
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t pixel = screen[x];
      if (key.Matches(pixel) || (ours[x] && (pixel & 0x00FFFFFF) == wrote[x])) {
        const uint32_t value = source[columns_[x]] & 0x00FFFFFF;
        screen[x] = (pixel & 0xFF000000) | value;
        wrote[x] = value;
        ours[x] = 1;
        ++replaced;
      } else {
        ours[x] = 0;
      }
    }
  }
  return replaced;
}

}  // namespace tolven::card::picture
