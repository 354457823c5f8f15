#include "driver/dialogs/source_prop_sheet.h"

#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

CUserSourcePropSheet::CUserSourcePropSheet(CDriverApp &app)
    : app_(app), crossbarPage_(app, *this), tunerPage_(app), tvAudioPage_(app) {
  if (control::ICrossbarControl *crossbar = app_.GetCrossbar()) {
    int32_t current = crossbar->GetSource();
    if (crossbar->GetSourceType(current) == kTunerInputType) hasTunerPage_ = true;
    if (app_.GetCrossbar() && crossbar->SourceHasAudio(current) != 0) hasTvAudioPage_ = true;
  }
}

std::vector<SheetPage> CUserSourcePropSheet::Pages() {
  std::vector<SheetPage> pages{{IDD_SOURCE_CROSSBAR, &crossbarPage_}};
  if (hasTunerPage_) pages.push_back({IDD_SOURCE_TUNER, &tunerPage_});
  if (hasTvAudioPage_) pages.push_back({IDD_SOURCE_TVAUDIO, &tvAudioPage_});
  return pages;
}

void CUserSourcePropSheet::OnInitSheet(SheetControl &sheet) {
  control_ = &sheet;
  sheet.SetWaitCursor(true);
  if (hasTunerPage_) sheet.SetActivePage(1);
  sheet.SetWaitCursor(false);
}

bool CUserSourcePropSheet::ChangeSource(DialogView &page, int32_t source) {
  int answer = app_.Message(page, kSaveBeforeSwitchString, kMbYesNoCancel | kMbIconQuestion);
  SheetControl *sheet = crossbarPage_.Sheet();
  page.SetWaitCursor(true);
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  bool changed = answer == kIdYes || answer == kIdNo;
  if (crossbar) {
    if (answer == kIdYes) {
      crossbar->SaveSettings();
      crossbar->SetSource(source);
      crossbar->SaveSettings();
    } else if (answer == kIdNo) {
      // The stored input and volumes come back before the switch.
      crossbar->LoadSettings();
      crossbar->SetSource(source);
      crossbar->SaveSettings();
    } else {
      crossbar->LoadSettings();
    }
  }
  if (changed && sheet) {
    sheet->PressApply();
    sheet->PostRequest(kReopenRequest);
  }
  page.SetWaitCursor(false);
  return changed;
}

void CUserSourcePropSheet::OnRequest(SheetControl &sheet, int code) {
  if (code != kReopenRequest) return;
  // The old sheet closes as if OK had been pressed; the new one runs inside
  // its modal loop, over the same parent.
  sheet.Hide();
  sheet.PressOk();
  app_.ShowSourceSheet(sheet.Parent());
}

}  // namespace tolven::dialogs
