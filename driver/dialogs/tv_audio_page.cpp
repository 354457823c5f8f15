#include "driver/dialogs/tv_audio_page.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

namespace {
constexpr int kLanguageButtons[] = {IDC_AUDIO_PRIMARY, IDC_AUDIO_SECONDARY, IDC_AUDIO_TERTIARY};
}

void CUserTvAudioPage::OnInitDialog(DialogView &view) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  if (crossbar) {
    int32_t current = crossbar->GetAudioMode();
    int32_t count = crossbar->GetAudioModeCount();
    for (int32_t i = 0; i < count; ++i) {
      WString name;
      if (!ReadComponentName([&] { return crossbar->GetAudioModeNameLength(i); },
                             [&](char16_t *buffer) { return crossbar->GetAudioModeName(i, buffer); }, &name))
        continue;
      int at = view.AddListItem(IDC_AUDIO_FORMAT, name, static_cast<uintptr_t>(i));
      if (i == current) modeSelection_ = at;
    }
  }
  view.EnableControl(IDC_AUDIO_FORMAT, view.ListCount(IDC_AUDIO_FORMAT) >= 2);
  view.SetControlText(IDC_AUDIO_DETECTED, u"");
  UpdateLanguageButtons(view);
  view.SetRange(IDC_AUDIO_VOLUME, 0, 100);
  view.SetStepSizes(IDC_AUDIO_VOLUME, 1, 1);
  if (crossbar) {
    volume_ = crossbar->GetVolume();
    mute_ = crossbar->GetMute() != 0;
  }
  FillControls(view);
}

void CUserTvAudioPage::FillControls(DialogView &view) {
  view.SelectListItem(IDC_AUDIO_FORMAT, modeSelection_);
  view.SetChecked(IDC_AUDIO_MUTE, mute_);
  for (int i = 0; i < 3; ++i) view.SetChecked(kLanguageButtons[i], language_ == i);
  view.SetPosition(IDC_AUDIO_VOLUME, volume_);
}

void CUserTvAudioPage::ReadControls(DialogView &view) {
  modeSelection_ = view.ListSelection(IDC_AUDIO_FORMAT);
  mute_ = view.IsChecked(IDC_AUDIO_MUTE);
  for (int i = 0; i < 3; ++i)
    if (view.IsChecked(kLanguageButtons[i])) language_ = i;
  volume_ = view.Position(IDC_AUDIO_VOLUME);
}

void CUserTvAudioPage::UpdateLanguageButtons(DialogView &view) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  int32_t count = crossbar ? crossbar->GetLanguageCount() : 1;
  if (count >= 1 && count <= 3) {
    for (int i = 0; i < 3; ++i) view.EnableControl(kLanguageButtons[i], i < count);
    if (language_ >= count) language_ = 0;
  }
  FillControls(view);
}

void CUserTvAudioPage::OnHScroll(DialogView &view, int) {
  ReadControls(view);
  if (control::ICrossbarControl *crossbar = app_.GetCrossbar()) {
    // Turning the volume up unmutes first.
    if (mute_) {
      crossbar->SetMute(0);
      mute_ = false;
      view.SetChecked(IDC_AUDIO_MUTE, false);
    }
    crossbar->SetVolume(volume_);
  }
  SetModified(true);
}

void CUserTvAudioPage::OnCommand(DialogView &view, int control, int notification) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  if (control == IDC_AUDIO_MUTE && notification == kButtonClicked) {
    ReadControls(view);
    if (crossbar) crossbar->SetMute(mute_ ? 1 : 0);
    SetModified(true);
  } else if ((control == IDC_AUDIO_PRIMARY || control == IDC_AUDIO_SECONDARY || control == IDC_AUDIO_TERTIARY) &&
             notification == kButtonClicked) {
    view.SetWaitCursor(true);
    if (crossbar) crossbar->SetLanguage(control - IDC_AUDIO_PRIMARY);
    SetModified(true);
    ReadControls(view);
    view.SetWaitCursor(false);
  } else if (control == IDC_AUDIO_FORMAT && notification == kComboSelEndOk) {
    view.SetWaitCursor(true);
    ReadControls(view);
    if (modeSelection_ >= 0) {
      int32_t mode = static_cast<int32_t>(view.ListItemData(IDC_AUDIO_FORMAT, modeSelection_));
      if (crossbar) {
        crossbar->SetAudioMode(mode);
        ReadControls(view);
        UpdateLanguageButtons(view);
        crossbar->SetLanguage(language_);
      }
    }
    SetModified(true);
    view.SetWaitCursor(false);
  }
}

}  // namespace tolven::dialogs
