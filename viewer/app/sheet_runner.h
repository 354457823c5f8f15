// Shows a modal property sheet of pages made from the program's dialog
// templates, each driven by its presenter. The Win32 program uses the
// system's property sheet; tests play the user's part.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/messagebox/message_box.h"
#include "platform/wide.h"
#include "viewer/app/page_view.h"

namespace tolven::viewer {

struct SheetPage {
  uint16_t templateId = 0;
  PagePresenter *presenter = nullptr;
};

class SheetRunner {
 public:
  virtual ~SheetRunner() = default;
  // Runs the sheet over `owner` until it is closed; the pages' OnApply runs
  // for OK and Apply. Answers false when it could not be shown.
  virtual bool Run(ui::Window owner, WStringView caption, const std::vector<SheetPage> &pages) = 0;
};

}  // namespace tolven::viewer
