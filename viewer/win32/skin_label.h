// A text label of the skin engine, named after the skin element it sits on.
#pragma once
#include <string>

#include "viewer/win32/skin_child.h"

namespace tolven::viewer::win {

class CSkinLabel : public CSkinChild {
 public:
  bool Create(HWND parent, int id, const RECT &rect, IDispatch *form, const std::wstring &name);
  void SetText(const std::wstring &text);
  const std::wstring &Text() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace tolven::viewer::win
