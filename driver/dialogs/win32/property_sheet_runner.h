// The Win32 property sheet: the system's PropertySheetW with one page per
// SheetPage, each made from the module's template (in the thread's
// language) and driven by its presenter through a Win32DialogView, under
// the module's common-controls v6 activation context.
#pragma once
#include "driver/dialogs/property_sheet.h"
#include "driver/strings/string_table.h"

namespace tolven::dialogs {

class Win32PropertySheetRunner : public PropertySheetRunner {
 public:
  // `module`: the HINSTANCE whose templates are used; `strings`: where the
  // caption comes from.
  Win32PropertySheetRunner(uintptr_t module, strings::StringTable &strings)
      : module_(module), strings_(strings) {}
  bool RunModal(PropertySheetPresenter &sheet, uintptr_t parent) override;
  void SetWaitCursor(bool wait) override;

 private:
  uintptr_t module_;
  strings::StringTable &strings_;
  int waitDepth_ = 0;
  void *savedCursor_ = nullptr;
};

}  // namespace tolven::dialogs
