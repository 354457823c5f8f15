// CUserDisplayPropSheet: "Video Display Properties", shown for DVM_DIALOG on
// the external-out channel. Its one page is the picture-control page.
#pragma once
#include <vector>

#include "driver/dialogs/property_sheet.h"
#include "driver/dialogs/vpa_page.h"

namespace tolven::dialogs {

class CDriverApp;

inline constexpr uint32_t kDisplaySheetCaption = 124;

class CUserDisplayPropSheet : public PropertySheetPresenter {
 public:
  // The page reads the picture controls' ranges now, from the hub as it stands.
  explicit CUserDisplayPropSheet(CDriverApp &app) : vpaPage_(app) {}

  uint32_t CaptionString() const override { return kDisplaySheetCaption; }
  std::vector<SheetPage> Pages() override;

  CUserVpaPage &VpaPage() { return vpaPage_; }

 private:
  CUserVpaPage vpaPage_;
};

}  // namespace tolven::dialogs
