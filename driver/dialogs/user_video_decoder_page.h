// CUserVideoDecoderPage: the video decoder page of the Video Format sheet.
// Five drop-down lists (video standard, interlace mode, scaling, aspect
// ratio, colour depth) and two check boxes (output enable, VCR timing); every
// change goes to the decoder at once.
#pragma once
#include "driver/dialogs/component_access.h"
#include "driver/dialogs/page_view.h"

namespace tolven::dialogs {

class CUserVideoDecoderPage : public PagePresenter {
 public:
  explicit CUserVideoDecoderPage(ComponentAccess &components) : components_(components) {}

  void OnInitDialog(PageView &view) override;
  void OnCommand(PageView &view, int control, int notification) override;
  void OnSetActive(PageView &view) override;
  // OK or Apply stores the decoder's settings, so that the next start of the
  // driver restores what the user chose.
  void OnApply(PageView &view) override;
  void OnReset(PageView &view) override;

  bool OutputEnable() const { return outputEnable_ != 0; }
  bool VcrTiming() const { return vcrTiming_ != 0; }

 private:
  void ReadControls(PageView &view);
  void FillControls(PageView &view);

  ComponentAccess &components_;
  int32_t outputEnable_ = 1;
  int32_t vcrTiming_ = 0;
};

}  // namespace tolven::dialogs
