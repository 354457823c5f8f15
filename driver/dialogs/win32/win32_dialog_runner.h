// The Win32 side of the driver's dialogs: modal dialogs made from the
// module's templates, whose controls a presenter reaches through a view
// over the dialog window.
#pragma once
#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

class Win32DialogRunner : public DialogRunner {
 public:
  // `module`: the HINSTANCE whose dialog templates are used.
  explicit Win32DialogRunner(uintptr_t module) : module_(module) {}
  int RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) override;

 private:
  uintptr_t module_;
};

}  // namespace tolven::dialogs
