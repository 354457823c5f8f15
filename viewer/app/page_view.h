// How the preferences pages are built: a presenter holds a page's behaviour
// in portable code and reaches its controls only through a PageView
// (controls by id). The Win32 view binds it to a property-sheet page made
// from the program's template; native tests drive it with a fake view.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::viewer {

class PageView {
 public:
  virtual ~PageView() = default;

  // Check boxes.
  virtual bool Checked(int control) = 0;
  virtual void SetChecked(int control, bool checked) = 0;
  virtual void EnableControl(int control, bool enabled) = 0;
  virtual void SetText(int control, WStringView text) = 0;
  virtual void ShowControl(int control, bool shown) = 0;
  virtual void SetTooltip(int control, WStringView text) = 0;
  virtual void Focus(int control) = 0;

  // Combo boxes and list boxes: AddItem appends and answers the index.
  virtual int AddItem(int control, WStringView text, uintptr_t data) = 0;
  virtual int ItemCount(int control) = 0;
  virtual WString ItemText(int control, int index) = 0;
  virtual uintptr_t ItemData(int control, int index) = 0;
  virtual void SetItemData(int control, int index, uintptr_t data) = 0;
  virtual void DeleteItem(int control, int index) = 0;
  virtual void ClearItems(int control) = 0;
  // -1 when nothing is selected.
  virtual int Selection(int control) = 0;
  virtual void Select(int control, int index) = 0;

  // The hotkey control's value (virtual key, modifier flags << 8).
  virtual uint32_t HotkeyValue(int control) = 0;

  // Tells the sheet that the page has changes to apply.
  virtual void MarkModified() = 0;
};

// Notifications a page reacts to (Windows' own codes).
inline constexpr int kButtonClicked = 0;     // BN_CLICKED
inline constexpr int kComboCloseUp = 8;      // CBN_CLOSEUP
inline constexpr int kComboSelChange = 1;    // CBN_SELCHANGE

class PagePresenter {
 public:
  virtual ~PagePresenter() = default;
  virtual void OnInit(PageView &view) = 0;
  virtual void OnCommand(PageView &view, int control, int notification) = 0;
  // The sheet's OK or Apply; does its work only when the page was modified.
  virtual void OnApply(PageView &view) = 0;
};

}  // namespace tolven::viewer
