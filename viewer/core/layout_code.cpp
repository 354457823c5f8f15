#include "viewer/core/layout_code.h"

namespace tolven::viewer {

int32_t LayoutCode::Make(bool standard, bool undocked, bool tuner) {
  if (standard) return undocked ? (tuner ? 3 : 4) : (tuner ? 1 : 2);
  return undocked ? (tuner ? 6 : 8) : (tuner ? 5 : 7);
}

int32_t LayoutCode::ForSourceType(int32_t current, int32_t sourceType) {
  if (sourceType == 0 || sourceType < -1 || sourceType > 16) return current;
  return Make(Standard(current), Undocked(current), sourceType == 2);
}

}  // namespace tolven::viewer
