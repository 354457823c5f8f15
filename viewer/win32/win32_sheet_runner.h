// The preferences sheet on Win32: a modal property sheet whose pages come
// from the program's dialog templates; each page's controls are reached by
// its presenter through a PageView over the page window.
#pragma once
#include <windows.h>

#include "viewer/app/sheet_runner.h"

namespace tolven::viewer::win {

class Win32SheetRunner : public SheetRunner {
 public:
  // `instance` holds the templates (the program's own module by default).
  explicit Win32SheetRunner(HINSTANCE instance = nullptr) : instance_(instance) {}
  bool Run(ui::Window owner, WStringView caption, const std::vector<SheetPage> &pages) override;

 private:
  HINSTANCE instance_;
};

}  // namespace tolven::viewer::win
