#include "driver/dialogs/vpa_page.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

using namespace control;

const std::array<CUserVpaPage::Row, 9> CUserVpaPage::kRows = {{
    {kBackLightComp, IDC_VPA_BACK_LIGHT_LABEL, IDC_VPA_BACK_LIGHT_SLIDER, IDC_VPA_BACK_LIGHT_DEFAULT},
    {kBrightness, IDC_VPA_BRIGHTNESS_LABEL, IDC_VPA_BRIGHTNESS_SLIDER, IDC_VPA_BRIGHTNESS_DEFAULT},
    {kColourBalance, IDC_VPA_COLOUR_BALANCE_LABEL, IDC_VPA_COLOUR_BALANCE_SLIDER,
     IDC_VPA_COLOUR_BALANCE_DEFAULT},
    {kContrast, IDC_VPA_CONTRAST_LABEL, IDC_VPA_CONTRAST_SLIDER, IDC_VPA_CONTRAST_DEFAULT},
    {kGammaCorrection, IDC_VPA_GAMMA_LABEL, IDC_VPA_GAMMA_SLIDER, IDC_VPA_GAMMA_DEFAULT},
    {kHue, IDC_VPA_HUE_LABEL, IDC_VPA_HUE_SLIDER, IDC_VPA_HUE_DEFAULT},
    {kSaturation, IDC_VPA_SATURATION_LABEL, IDC_VPA_SATURATION_SLIDER, IDC_VPA_SATURATION_DEFAULT},
    {kSharpness, IDC_VPA_SHARPNESS_LABEL, IDC_VPA_SHARPNESS_SLIDER, IDC_VPA_SHARPNESS_DEFAULT},
    {kWhiteBalance, IDC_VPA_WHITE_BALANCE_LABEL, IDC_VPA_WHITE_BALANCE_SLIDER,
     IDC_VPA_WHITE_BALANCE_DEFAULT},
}};

CUserVpaPage::CUserVpaPage(CDriverApp &app) : app_(app) {
  if (IProcAmpControl *procAmp = app_.GetProcAmp())
    for (int32_t p = 0; p < kProcAmpPropertyCount; ++p) procAmp->GetRange(p, &ranges_[p]);
}

const CUserVpaPage::Row *CUserVpaPage::RowOfSlider(int control) {
  for (const Row &row : kRows)
    if (row.slider == control) return &row;
  return nullptr;
}

const CUserVpaPage::Row *CUserVpaPage::RowOfProperty(int32_t property) {
  for (const Row &row : kRows)
    if (row.property == property) return &row;
  return nullptr;
}

void CUserVpaPage::ReadControls(DialogView &view) {
  colourEnable_ = view.IsChecked(IDC_VPA_COLOUR_ENABLE) ? 1 : 0;
  inverseVideo_ = view.IsChecked(IDC_VPA_INVERSE_VIDEO) ? 1 : 0;
}

void CUserVpaPage::FillControls(DialogView &view) {
  view.SetChecked(IDC_VPA_COLOUR_ENABLE, colourEnable_ != 0);
  view.SetChecked(IDC_VPA_INVERSE_VIDEO, inverseVideo_ != 0);
}

void CUserVpaPage::OnInitDialog(DialogView &view) {
  IProcAmpControl *procAmp = app_.GetProcAmp();
  for (const Row &row : kRows) {
    const ProcAmpRange &r = ranges_[row.property];
    view.SetRange(row.slider, r.minimum, r.maximum);
    view.SetStepSizes(row.slider, r.step, r.step);
  }
  known_.fill(false);
  if (procAmp) {
    for (int32_t p = 0; p < kProcAmpPropertyCount; ++p)
      known_[p] = procAmp->GetValue(p, &values_[p]) != 0;
    for (const Row &row : kRows)
      if (!Empty(ranges_[row.property]) && known_[row.property])
        view.SetPosition(row.slider, values_[row.property]);
    // The boxes show what the hardware has now.
    colourEnable_ = known_[kColourEnable] && values_[kColourEnable] ? 1 : 0;
    inverseVideo_ = known_[kInverseVideo] && values_[kInverseVideo] ? 1 : 0;
  }
  FillControls(view);

  for (const Row &row : kRows) {
    if (!Empty(ranges_[row.property])) continue;
    view.EnableControl(row.label, false);
    view.EnableControl(row.slider, false);
    view.EnableControl(row.defaultButton, false);
  }
  if (Empty(ranges_[kColourEnable])) view.EnableControl(IDC_VPA_COLOUR_ENABLE, false);
  if (Empty(ranges_[kInverseVideo])) view.EnableControl(IDC_VPA_INVERSE_VIDEO, false);
  if (!procAmp) {
    view.EnableControl(IDC_VPA_DEFAULT_ALL, false);
    view.SetControlText(IDC_VPA_STATUS, app_.Text(kNoProcAmpString));
  }
}

void CUserVpaPage::OnHScroll(DialogView &view, int control) {
  // Applied from the queue, once the slider has taken its new position.
  if (const Row *row = RowOfSlider(control)) view.PostRequest(row->property);
}

void CUserVpaPage::OnRequest(DialogView &view, int code) { ApplySlider(view, code); }

void CUserVpaPage::ApplySlider(DialogView &view, int32_t property) {
  const Row *row = RowOfProperty(property);
  if (!row) return;
  SetModified(true);
  const int32_t position = view.Position(row->slider);
  if (known_[property] && values_[property] == position) return;
  IProcAmpControl *procAmp = app_.GetProcAmp();
  if (procAmp && procAmp->SetValue(property, position)) {
    values_[property] = position;
    known_[property] = true;
  }
}

void CUserVpaPage::Default(DialogView &view, const Row &row) {
  const ProcAmpRange &r = ranges_[row.property];
  if (Empty(r)) return;
  view.SetPosition(row.slider, r.defaultValue);
  view.PostRequest(row.property);
}

void CUserVpaPage::OnCommand(DialogView &view, int control, int notification) {
  if (notification != kButtonClicked) return;
  if (control == IDC_VPA_DEFAULT_ALL) {
    for (const Row &row : kRows) Default(view, row);
    return;
  }
  for (const Row &row : kRows) {
    if (row.defaultButton == control) {
      Default(view, row);
      return;
    }
  }
  IProcAmpControl *procAmp = app_.GetProcAmp();
  if (control == IDC_VPA_COLOUR_ENABLE) {
    ReadControls(view);
    SetModified(true);
    if (procAmp) procAmp->SetValue(kColourEnable, colourEnable_);
  } else if (control == IDC_VPA_INVERSE_VIDEO) {
    // As the page always has: this box does not light Apply.
    ReadControls(view);
    if (procAmp) procAmp->SetValue(kInverseVideo, inverseVideo_);
  }
}

void CUserVpaPage::OnSetActive(DialogView &) {
  if (IProcAmpControl *procAmp = app_.GetProcAmp()) procAmp->SaveSettings();
}

bool CUserVpaPage::OnApply(DialogView &) {
  if (IProcAmpControl *procAmp = app_.GetProcAmp()) procAmp->SaveSettings();
  SetModified(false);
  return true;
}

void CUserVpaPage::OnCancel(DialogView &) {
  if (IProcAmpControl *procAmp = app_.GetProcAmp()) procAmp->LoadSettings();
}

}  // namespace tolven::dialogs
