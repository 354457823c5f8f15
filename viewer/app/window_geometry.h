// The main window's geometry rules: the size limits and the kept aspect
// ratio while the user drags an edge, and the letterboxed video of a
// maximized window.
#pragma once
#include <cstdint>

#include "viewer/app/viewer_settings.h"

namespace tolven::viewer {

// The edge being dragged, as WM_SIZING gives it.
enum SizingEdge : int32_t {
  kEdgeLeft = 1,
  kEdgeRight = 2,
  kEdgeTop = 3,
  kEdgeTopLeft = 4,
  kEdgeTopRight = 5,
  kEdgeBottom = 6,
  kEdgeBottomLeft = 7,
  kEdgeBottomRight = 8,
};

struct SizingRules {
  bool minSize = false;      // the skin's "Enable-min-size"
  bool keepAspect = false;   // "Aspect Ratio"
  float ratio = 1.3333f;     // width to height
  int32_t extraWidth = 0;    // window minus client element
  int32_t extraHeight = 0;
  int32_t workAreaHeight = 0;
};

class WindowGeometry {
 public:
  static constexpr int32_t kMinClientWidth = 250;
  static constexpr int32_t kMinClientHeight = 187;

  // Adjusts the window rectangle being dragged by `edge`.
  static void Sizing(int32_t edge, const SizingRules &rules, ScreenRect *window);
  // The video pane inside a W x H video window: letterboxed at `ratio`
  // when `letterbox`, else the whole window.
  static ScreenRect Pane(int32_t width, int32_t height, bool letterbox, float ratio);
};

}  // namespace tolven::viewer
