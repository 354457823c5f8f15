// A text panel of the skin engine hosted in a window and attached to its
// form, so it paints in the skin's style.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>

#include "skin/host/ole_host.h"

namespace tolven::viewer::win {

class CSkinPanel {
 public:
  CSkinPanel() = default;
  ~CSkinPanel();
  CSkinPanel(const CSkinPanel &) = delete;
  CSkinPanel &operator=(const CSkinPanel &) = delete;

  // The panel takes the look of the skin element called `name`.
  bool Create(HWND parent, int id, const RECT &rect, IDispatch *form, LONG style, const std::wstring &name);
  void SetText(const std::wstring &text);
  const std::wstring &Text() const { return text_; }

 private:
  IDispatch *panel_ = nullptr;
  std::unique_ptr<skin::host::OleHost> site_;
  std::wstring text_;
};

}  // namespace tolven::viewer::win
