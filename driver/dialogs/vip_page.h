// CUserVipPage: the video port page of the Video Format sheet (the feature
// connector towards the display adapter): video standard, aspect ratio,
// connection format and colour format, each applied when its pick is
// confirmed.
#pragma once
#include "driver/dialogs/property_sheet.h"

namespace tolven::dialogs {

class CDriverApp;

class CUserVipPage : public PagePresenter {
 public:
  explicit CUserVipPage(CDriverApp &app) : app_(app) {}

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnSetActive(DialogView &view) override;
  // OK or Apply stores the port's settings, so that the next start of the
  // driver restores what the user chose.
  bool OnApply(DialogView &view) override;
  void OnCancel(DialogView &view) override;

  // The selections as last read from the lists (-1: none).
  int VideoStandardSelection() const { return selection_[0]; }
  int ColourFormatSelection() const { return selection_[3]; }

 private:
  void ReadControls(DialogView &view);

  CDriverApp &app_;
  // Video standard, aspect ratio, connection format, colour format.
  int selection_[4] = {-1, -1, -1, -1};
};

// The text of a colour format's four-character code: its bytes from the
// most significant to the least, up to the first zero byte (so a code whose
// top byte is 0 has no text).
WString ColourFormatText(uint32_t code);

}  // namespace tolven::dialogs
