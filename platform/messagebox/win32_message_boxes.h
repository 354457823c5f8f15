// The message box port on MessageBoxW and GetFocus.
#pragma once
#include "platform/messagebox/message_box.h"

namespace tolven::ui {

class Win32MessageBoxes : public MessageBoxes {
 public:
  int Show(Window owner, WStringView text, WStringView caption, uint32_t style) override;
  Window FocusWindow() override;
};

}  // namespace tolven::ui
