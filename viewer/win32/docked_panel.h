// One of the two small panels that sit in the docked main skin's wells:
// the read-out (volume, channel, source) and the status (mute, hint,
// stereo). A frameless window owned by the main window, with a form
// showing "panel.skn" and four text panels.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "viewer/win32/skin_form.h"
#include "viewer/win32/skin_panel.h"

namespace tolven::viewer::win {

class CDockedPanel {
 public:
  enum class Kind { kReadout, kStatus };
  static constexpr int kWidth = 61, kHeight = 46;

  explicit CDockedPanel(Kind kind) : kind_(kind) {}
  ~CDockedPanel();
  CDockedPanel(const CDockedPanel &) = delete;
  CDockedPanel &operator=(const CDockedPanel &) = delete;

  bool Create(HWND owner, POINT topLeft, const std::wstring &skinFolder);
  void MoveTo(POINT topLeft);
  // Rows 1..3: read-out volume, channel, source; status mute, hint, stereo.
  void SetRow(int row, const std::wstring &text);
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Kind kind_;
  HWND window_ = nullptr;
  CSkinForm form_;
  std::array<std::unique_ptr<CSkinPanel>, 4> panels_;
};

}  // namespace tolven::viewer::win
