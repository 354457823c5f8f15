#include "viewer/app/window_geometry.h"

namespace tolven::viewer {

namespace {
bool MovesLeft(int32_t edge) { return edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft; }
bool MovesTopForHeight(int32_t edge) { return edge >= kEdgeLeft && edge <= kEdgeTopRight; }

// A width or height in single precision, truncated as the window needs it.
int32_t Truncate(float value) { return static_cast<int32_t>(value); }

// Applies the minimum width; true when it changed the rectangle.
bool MinimumWidth(int32_t edge, const SizingRules &rules, ScreenRect *w) {
  if (!rules.minSize || w->Width() - rules.extraWidth >= WindowGeometry::kMinClientWidth) return false;
  const int32_t width = WindowGeometry::kMinClientWidth + rules.extraWidth;
  if (MovesLeft(edge))
    w->left = w->right - width;
  else
    w->right = w->left + width;
  return true;
}
}  // namespace

void WindowGeometry::Sizing(int32_t edge, const SizingRules &rules, ScreenRect *w) {
  if (edge < kEdgeLeft || edge > kEdgeBottomRight) return;
  MinimumWidth(edge, rules, w);
  if (rules.minSize && w->Height() - rules.extraHeight < kMinClientHeight) {
    const int32_t height = kMinClientHeight + rules.extraHeight;
    if (MovesTopForHeight(edge))
      w->top = w->bottom - height;
    else
      w->bottom = w->top + height;
  }
  if (!rules.keepAspect || rules.ratio <= 0) return;

  const int32_t clientWidth = w->Width() - rules.extraWidth;
  const int32_t clientHeight = w->Height() - rules.extraHeight;
  if (edge == kEdgeTop || edge == kEdgeBottom) {
    // Dragging the top or bottom edge sets the width from the height.
    w->right = w->left + Truncate(rules.ratio * static_cast<float>(clientHeight)) + rules.extraWidth;
    if (MinimumWidth(kEdgeRight, rules, w)) {
      const int32_t height = Truncate(static_cast<float>(w->Width() - rules.extraWidth) / rules.ratio);
      if (edge == kEdgeTop)
        w->top = w->bottom - height - rules.extraHeight;
      else
        w->bottom = w->top + height + rules.extraHeight;
    }
    return;
  }
  const int32_t height = Truncate(static_cast<float>(clientWidth) / rules.ratio);
  if (height > rules.workAreaHeight) {
    // Too tall for the screen: the width follows the height instead.
    const int32_t width = Truncate(rules.ratio * static_cast<float>(clientHeight)) + rules.extraWidth;
    if (MovesLeft(edge))
      w->left = w->right - width;
    else
      w->right = w->left + width;
  } else if (edge == kEdgeTopLeft || edge == kEdgeTopRight) {
    w->top = w->bottom - height - rules.extraHeight;
  } else {
    w->bottom = w->top + height + rules.extraHeight;
  }
}

ScreenRect WindowGeometry::Pane(int32_t width, int32_t height, bool letterbox, float ratio) {
  if (!letterbox || ratio <= 0) return ScreenRect{0, 0, width, height};
  int32_t h = Truncate(static_cast<float>(width) / ratio);
  int32_t w = width;
  if (height < h) {
    w = Truncate(ratio * static_cast<float>(height));
    h = height;
  }
  const int32_t x = (width - w) / 2, y = (height - h) / 2;
  return ScreenRect{x, y, x + w, y + h};
}

}  // namespace tolven::viewer
