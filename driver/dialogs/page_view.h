// What a property page's presenter needs of its window beyond a dialog's
// lists: check boxes, sliders, a text line, the sheet's "changed" state and
// messages the page posts to itself. A Win32 view binds it to the page's
// dialog; native tests use a fake.
#pragma once
#include <cstdint>

#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

// Notification codes the views pass on with a command (the system's values).
inline constexpr int kButtonClicked = 0;         // BN_CLICKED
inline constexpr int kListSelectionChanged = 1;  // CBN_SELCHANGE
inline constexpr int kListSelectionConfirmed = 9;  // CBN_SELENDOK

class PageView : public DialogView {
 public:
  virtual bool IsChecked(int control) = 0;
  virtual void SetChecked(int control, bool checked) = 0;
  virtual void SetControlText(int control, WStringView text) = 0;

  // Sliders (trackbars).
  virtual void SetSliderRange(int control, int32_t minimum, int32_t maximum, bool redraw) = 0;
  virtual void SetSliderLineSize(int control, int32_t size) = 0;
  virtual void SetSliderPageSize(int control, int32_t size) = 0;
  virtual void SetSliderPosition(int control, int32_t position, bool redraw) = 0;
  virtual int32_t SliderPosition(int control) = 0;

  // Marks the page changed (enables the sheet's Apply) or unchanged.
  virtual void SetModified(bool modified) = 0;
  // Posts `message` to the page's own queue; the presenter sees it later
  // through its posted-message handler.
  virtual void PostToPage(uint32_t message, uintptr_t wParam) = 0;
};

}  // namespace tolven::dialogs

namespace tolven::dialogs {

// A property page's behaviour. The sheet's runner calls these as the page's
// window receives the corresponding messages.
class PagePresenter {
 public:
  virtual ~PagePresenter() = default;
  virtual void OnInitDialog(PageView &view) = 0;
  virtual void OnCommand(PageView &, int /*control*/, int /*notification*/) {}
  // A horizontal scroll notification from `control` (a slider).
  virtual void OnHScroll(PageView &, int /*control*/) {}
  // A message the page posted to itself, now taken from the queue.
  virtual void OnPostedMessage(PageView &, uint32_t /*message*/, uintptr_t /*wParam*/) {}
  // The page becomes the active one.
  virtual void OnSetActive(PageView &) {}
  // OK or Apply: the page keeps what the user set.
  virtual void OnApply(PageView &) {}
  // Cancel (only for pages whose window exists).
  virtual void OnReset(PageView &) {}
};

}  // namespace tolven::dialogs
