#include "viewer/app/hint_line.h"

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

WString HintLine::Show(uint32_t id) {
  shown_ = id;
  return ViewerStrings::Text(id);
}

bool HintLine::Hide(uint32_t id) {
  if (shown_ != id) return false;
  shown_ = 0;
  return true;
}

}  // namespace tolven::viewer
