// CUserVideoDecoderPage: the video decoder page of the Video Format sheet.
// Five drop-down lists (video standard, interlace mode, scaling, aspect
// ratio, colour depth) and two check boxes (output enable, VCR timing); every
// change goes to the decoder at once.
#pragma once
#include "driver/dialogs/property_sheet.h"

namespace tolven::dialogs {

class CDriverApp;

class CUserVideoDecoderPage : public PagePresenter {
 public:
  explicit CUserVideoDecoderPage(CDriverApp &app) : app_(app) {}

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnSetActive(DialogView &view) override;
  // OK or Apply stores the decoder's settings, so that the next start of the
  // driver restores what the user chose.
  bool OnApply(DialogView &view) override;
  void OnCancel(DialogView &view) override;

  bool OutputEnable() const { return outputEnable_ != 0; }
  bool VcrTiming() const { return vcrTiming_ != 0; }

 private:
  void ReadControls(DialogView &view);
  void FillControls(DialogView &view);

  CDriverApp &app_;
  int32_t outputEnable_ = 1;
  int32_t vcrTiming_ = 0;
};

}  // namespace tolven::dialogs
