// A PageView over a property-sheet page window: check boxes, combo boxes
// and list boxes (told apart by their window class), the hotkey control,
// tooltips and the sheet's "changed" state.
#pragma once
#include <windows.h>

#include "viewer/app/page_view.h"

namespace tolven::viewer::win {

class Win32PageView : public PageView {
 public:
  explicit Win32PageView(HWND page = nullptr) : page_(page) {}
  void Attach(HWND page) { page_ = page; }
  HWND Page() const { return page_; }

  bool Checked(int control) override;
  void SetChecked(int control, bool checked) override;
  void EnableControl(int control, bool enabled) override;
  void SetText(int control, WStringView text) override;
  void ShowControl(int control, bool shown) override;
  void SetTooltip(int control, WStringView text) override;
  void Focus(int control) override;
  int AddItem(int control, WStringView text, uintptr_t data) override;
  int ItemCount(int control) override;
  WString ItemText(int control, int index) override;
  uintptr_t ItemData(int control, int index) override;
  void SetItemData(int control, int index, uintptr_t data) override;
  void DeleteItem(int control, int index) override;
  void ClearItems(int control) override;
  int Selection(int control) override;
  void Select(int control, int index) override;
  uint32_t HotkeyValue(int control) override;
  void MarkModified() override;

 private:
  HWND Item(int control) const { return GetDlgItem(page_, control); }
  bool IsCombo(int control) const;

  HWND page_;
  HWND tooltip_ = nullptr;
};

}  // namespace tolven::viewer::win
