// The layout code of the viewer's controls, 1..8: standard or advanced
// controller, docked or undocked controls, tuner or other source.
#pragma once
#include <cstdint>

namespace tolven::viewer {

class LayoutCode {
 public:
  static bool Valid(int32_t code) { return code >= 1 && code <= 8; }
  static bool Undocked(int32_t code) { return code == 3 || code == 4 || code == 6 || code == 8; }
  static bool Standard(int32_t code) { return code >= 1 && code <= 4; }
  static bool Tuner(int32_t code) { return code == 1 || code == 3 || code == 5 || code == 6; }
  static int32_t Make(bool standard, bool undocked, bool tuner);
  // The code for a source of the given crossbar type: 2 is the tuner; 0 or
  // a value outside -1..16 keeps the current code; anything else is other.
  static int32_t ForSourceType(int32_t current, int32_t sourceType);
  // Docked and undocked swapped: 1-3, 2-4, 5-6, 7-8.
  static int32_t ToggleDock(int32_t code);
  // The controller styles of an undocked layout: 6 becomes 3 and 8 becomes
  // 4, or 3 becomes 6 and 4 becomes 8; other codes stay.
  static int32_t ToStandard(int32_t code);
  static int32_t ToAdvanced(int32_t code);
};

}  // namespace tolven::viewer
