// Message box port: a modal message box over an owner window, and the
// window that has the keyboard focus (the owner most callers give).
// Styles and answers are Windows' own values.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::ui {

using Window = uintptr_t;  // an HWND; 0 means none

enum MessageBoxStyle : uint32_t {
  kMbOk = 0x00000000,
  kMbOkCancel = 0x00000001,
  kMbYesNo = 0x00000004,
  kMbIconError = 0x00000010,
  kMbIconQuestion = 0x00000020,
  kMbIconWarning = 0x00000030,
  kMbIconInformation = 0x00000040,
  kMbDefButton2 = 0x00000100,
};

enum MessageBoxAnswer : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // MessageBoxW: the answer (kIdOk, ...); 0 when no box could be shown.
  virtual int Show(Window owner, WStringView text, WStringView caption, uint32_t style) = 0;
  // GetFocus: the focus window of the calling thread, or 0.
  virtual Window FocusWindow() = 0;
};

}  // namespace tolven::ui
