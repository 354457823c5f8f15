// A text panel of the skin engine: the docked panels' rows and the channel
// panels' "Function" line.
#pragma once
#include <string>

#include "viewer/win32/skin_child.h"

namespace tolven::viewer::win {

class CSkinPanel : public CSkinChild {
 public:
  // The panel takes the look of the skin element called `name`.
  bool Create(HWND parent, int id, const RECT &rect, IDispatch *form, LONG style, const std::wstring &name);
  void SetText(const std::wstring &text);
  const std::wstring &Text() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace tolven::viewer::win
