// CUserCrossbarPage: the "Video Crossbar" page of the Video Source sheet.
// It lists the crossbar's sources and shows the current one; picking
// another source runs the sheet's source change.
#pragma once
#include "driver/dialogs/property_sheet.h"

namespace tolven::dialogs {

class CDriverApp;
class CUserSourcePropSheet;

class CUserCrossbarPage : public PagePresenter {
 public:
  CUserCrossbarPage(CDriverApp &app, CUserSourcePropSheet &sheet) : app_(app), sheet_(sheet) {}

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnSetActive(DialogView &view) override;
  void OnCancel(DialogView &view) override;

  // The source list's entry that shows the crossbar's current input, or -1.
  int CurrentEntry(DialogView &view);
  const WString &StatusText() const { return status_; }

 private:
  WString SourceName(int32_t index);

  CDriverApp &app_;
  CUserSourcePropSheet &sheet_;
  int selection_ = -1;
  WString status_;
};

}  // namespace tolven::dialogs
