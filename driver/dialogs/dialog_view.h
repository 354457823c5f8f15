// How the driver's dialogs are built: a presenter holds a dialog's
// behaviour in portable code and talks to its window only through a
// DialogView (controls by id: lists, selections, item data, enabling,
// message boxes, ending the dialog). A thin Win32 view binds a presenter to
// the real dialog made from the module's template; native tests drive the
// presenter with a fake view.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::dialogs {

class DialogView {
 public:
  virtual ~DialogView() = default;

  // Drop-down and list controls. AddListItem appends (or, for a sorted
  // control, inserts in order) and answers the index it went to, -1 on
  // failure; `data` is the item's data.
  virtual int AddListItem(int control, WStringView text, uintptr_t data) = 0;
  virtual int ListCount(int control) = 0;
  virtual WString ListItemText(int control, int index) = 0;
  virtual uintptr_t ListItemData(int control, int index) = 0;
  // The selected index, -1 when nothing is selected.
  virtual int ListSelection(int control) = 0;
  // Selects `index`; an index out of range clears the selection and answers false.
  virtual bool SelectListItem(int control, int index) = 0;

  virtual void EnableControl(int control, bool enabled) = 0;
  // A message box owned by the dialog; answers the button pressed.
  virtual int ShowMessage(WStringView text, WStringView caption, uint32_t style) = 0;
  // Ends the modal dialog with `result` (IDC_OK, IDC_CANCEL, ...).
  virtual void EndDialog(int result) = 0;
};

class DialogPresenter {
 public:
  virtual ~DialogPresenter() = default;
  virtual void OnInitDialog(DialogView &view) = 0;
  // A command from a control (a button press, a selection change), the
  // dialog's OK and Cancel included.
  virtual void OnCommand(DialogView &view, int control, int notification) = 0;
};

// Runs a dialog modally: creates it from template `templateId` over
// `parent` (0: unparented), lets `presenter` drive it, and answers the
// result the presenter ended it with (-1 when it could not be shown).
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  virtual int RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) = 0;
};

}  // namespace tolven::dialogs
