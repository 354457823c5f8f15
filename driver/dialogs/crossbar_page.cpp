#include "driver/dialogs/crossbar_page.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/source_prop_sheet.h"

namespace tolven::dialogs {

namespace {
constexpr uint32_t kCurrentSourceString = 330;
}

WString CUserCrossbarPage::SourceName(int32_t index) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  if (!crossbar) return DecimalW(static_cast<uint32_t>(index));
  WString name;
  ReadComponentName([&] { return crossbar->GetSourceNameLength(index); },
                    [&](char16_t *buffer) { return crossbar->GetSourceName(index, buffer); }, &name);
  return name;
}

void CUserCrossbarPage::OnInitDialog(DialogView &view) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  selection_ = -1;
  if (crossbar) {
    int32_t count = crossbar->GetSourceCount();
    // An entry is added even when its name cannot be read.
    for (int32_t i = 0; i < count; ++i) view.AddListItem(IDC_XBAR_SOURCE, SourceName(i), static_cast<uintptr_t>(i));
    int32_t current = crossbar->GetSource();
    for (int i = 0; i < view.ListCount(IDC_XBAR_SOURCE); ++i)
      if (view.ListItemData(IDC_XBAR_SOURCE, i) == static_cast<uintptr_t>(current)) selection_ = i;
    status_ = app_.Text(kCurrentSourceString) + SourceName(current);
  } else {
    status_ = app_.Text(kCurrentSourceString);
  }
  view.SelectListItem(IDC_XBAR_SOURCE, selection_);
  view.SetControlText(IDC_XBAR_STATUS, status_);
}

int CUserCrossbarPage::CurrentEntry(DialogView &view) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  if (!crossbar) return -1;
  int32_t current = crossbar->GetSource();
  for (int i = 0; i < view.ListCount(IDC_XBAR_SOURCE); ++i)
    if (view.ListItemData(IDC_XBAR_SOURCE, i) == static_cast<uintptr_t>(current)) return i;
  return -1;
}

void CUserCrossbarPage::OnCommand(DialogView &view, int control, int notification) {
  if (control != IDC_XBAR_SOURCE || notification != kComboSelEndOk) return;
  selection_ = view.ListSelection(IDC_XBAR_SOURCE);
  // Picking the input the hardware is on again does nothing.
  if (app_.GetCrossbar() && CurrentEntry(view) == selection_) return;
  if (selection_ < 0) return;
  int32_t source = static_cast<int32_t>(view.ListItemData(IDC_XBAR_SOURCE, selection_));
  if (!sheet_.ChangeSource(view, source)) {
    // Cancelled: the list shows the input the hardware is on again.
    selection_ = CurrentEntry(view);
    view.SelectListItem(IDC_XBAR_SOURCE, selection_);
  }
}

void CUserCrossbarPage::OnSetActive(DialogView &) {
  if (control::ICrossbarControl *crossbar = app_.GetCrossbar()) crossbar->SaveSettings();
  SetModified(false);
}

void CUserCrossbarPage::OnCancel(DialogView &) {
  if (control::ICrossbarControl *crossbar = app_.GetCrossbar()) crossbar->LoadSettings();
}

}  // namespace tolven::dialogs
