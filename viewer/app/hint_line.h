// A panel's hint: the text shown, and which string it came from, so that
// hiding a hint clears it only when that hint is still the one shown.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::viewer {

class HintLine {
 public:
  // Shows string `id`; answers the text to display.
  WString Show(uint32_t id);
  // True (and the line cleared) when string `id` is the hint shown.
  bool Hide(uint32_t id);
  void Clear() { shown_ = 0; }
  uint32_t Shown() const { return shown_; }

 private:
  uint32_t shown_ = 0;
};

}  // namespace tolven::viewer
