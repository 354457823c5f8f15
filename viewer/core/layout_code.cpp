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

int32_t LayoutCode::ToggleDock(int32_t code) {
  switch (code) {
    case 1: return 3;
    case 3: return 1;
    case 2: return 4;
    case 4: return 2;
    case 5: return 6;
    case 6: return 5;
    case 7: return 8;
    case 8: return 7;
    default: return code;
  }
}

int32_t LayoutCode::ToStandard(int32_t code) { return code == 6 ? 3 : code == 8 ? 4 : code; }
int32_t LayoutCode::ToAdvanced(int32_t code) { return code == 3 ? 6 : code == 4 ? 8 : code; }

}  // namespace tolven::viewer
