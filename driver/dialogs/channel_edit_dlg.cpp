#include "driver/dialogs/channel_edit_dlg.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

CChannelEditDlg *CChannelEditDlg::currentNew_ = nullptr;
CChannelEditDlg *CChannelEditDlg::currentModify_ = nullptr;

CChannelEditDlg::CChannelEditDlg(CDriverApp &app, Variant variant) : app_(app), variant_(variant) {
  (variant_ == kNew ? currentNew_ : currentModify_) = this;
}

CChannelEditDlg::~CChannelEditDlg() {
  CChannelEditDlg *&current = variant_ == kNew ? currentNew_ : currentModify_;
  if (current == this) current = nullptr;
}

void CChannelEditDlg::OnInitDialog(DialogView &view) {
  view_ = &view;
  control::ITunerControl *tuner = app_.GetTuner();
  view.SetRange(IDC_CHANNEL_PROGRESS, 0, 100);
  view.SetStepSizes(IDC_CHANNEL_PROGRESS, 1, 1);
  if (variant_ == kNew) {
    view.SetControlText(IDC_NAME, u"");
    view.SetPosition(IDC_CHANNEL_PROGRESS, 0);
    if (tuner && tuner->AddChannel(nullptr, -1)) {
      channel_ = tuner->GetChannelCount() - 1;
      ReadComponentName([&] { return tuner->GetChannelNameLength(channel_); },
                        [&](char16_t *b) { return tuner->GetChannelName(channel_, b); }, &name_);
    }
  } else {
    view.SetPosition(IDC_CHANNEL_PROGRESS, tuner ? tuner->GetChannelPosition(channel_) : 0);
    if (tuner) tuner->MarkCurrentChannel();
  }
  view.SetControlText(IDC_NAME, name_);
}

void CChannelEditDlg::Seek(DialogView &, bool up) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (!tuner) return;
  busy_ = true;
  stopRequest_ = false;
  tuner->SetProgressCallback(variant_ == kNew ? &NewProgress : &ModifyProgress);
  if (up)
    tuner->SeekUp(channel_);
  else
    tuner->SeekDown(channel_);
  busy_ = false;
}

void CChannelEditDlg::Step(DialogView &view, int control, bool up) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (variant_ == kModify) {
    stopRequest_ = true;
    // A running seek ends first; this command comes back once it has.
    if (busy_) {
      view.PostCommand(control);
      return;
    }
  }
  if (!tuner) return;
  tuner->SetProgressCallback(variant_ == kNew ? &NewProgress : &ModifyProgress);
  if (up)
    tuner->StepUp(channel_);
  else
    tuner->StepDown(channel_);
}

void CChannelEditDlg::OnCommand(DialogView &view, int control, int notification) {
  if (notification != kButtonClicked) return;
  switch (control) {
    case IDC_SEEK_UP: Seek(view, true); break;
    case IDC_SEEK_DOWN: Seek(view, false); break;
    case IDC_STEP_UP: Step(view, control, true); break;
    case IDC_STEP_DOWN: Step(view, control, false); break;
    case IDC_OK: OnOk(view); break;
    case IDC_CANCEL: OnCancel(view); break;
    default: break;
  }
}

void CChannelEditDlg::OnChar(DialogView &view, char16_t c) {
  switch (c) {
    case u'+': OnCommand(view, IDC_SEEK_UP, kButtonClicked); break;
    case u'-': OnCommand(view, IDC_SEEK_DOWN, kButtonClicked); break;
    case u'>': OnCommand(view, IDC_STEP_UP, kButtonClicked); break;
    case u'<': OnCommand(view, IDC_STEP_DOWN, kButtonClicked); break;
    default: break;
  }
}

void CChannelEditDlg::OnOk(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (variant_ == kNew) {
    ReadControls(view);
    if (busy_) return;
    if (name_.empty()) {
      app_.Message(view, kNoNameString, kMbOk | kMbIconExclamation);
      return;
    }
    if (tuner) tuner->RenameChannel(channel_, name_.c_str());
  } else {
    stopRequest_ = true;
    if (busy_) {
      view.PostCommand(IDC_OK);
      return;
    }
    ReadControls(view);
  }
  ended_ok_ = true;
  view.EndDialog(IDC_OK);
}

void CChannelEditDlg::OnCancel(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (variant_ == kModify) {
    stopRequest_ = true;
    if (busy_) {
      view.PostCommand(IDC_CANCEL);
      return;
    }
    if (tuner) {
      tuner->RestoreMarkedChannel();
      tuner->TuneChannel(channel_);
    }
  } else if (busy_) {
    return;  // a seek runs; Escape waits for it like OK does
  }
  view.EndDialog(IDC_CANCEL);
}

void CChannelEditDlg::OnDestroy(DialogView &) {
  // "New Channel" closed without OK takes back the channel it added.
  if (variant_ == kNew && !ended_ok_ && channel_ >= 0) {
    if (control::ITunerControl *tuner = app_.GetTuner()) tuner->DeleteChannel(channel_);
    channel_ = -1;
  }
  view_ = nullptr;
}

int32_t CChannelEditDlg::Answer(int32_t code, int32_t value) {
  bool seekReport = code >= 2 && code <= 5;
  if (seekReport && view_) view_->SetPosition(IDC_CHANNEL_PROGRESS, value);
  if (variant_ == kNew) {
    if (view_) view_->PumpMessages({});
    return busy_ ? 1 : 0;
  }
  if (!stopRequest_ && view_) view_->PumpMessages([this] { return stopRequest_; });
  if (stopRequest_) return 0;
  return seekReport ? (busy_ ? 1 : 0) : 1;
}

int32_t CChannelEditDlg::NewProgress(int32_t code, int32_t value) {
  return currentNew_ ? currentNew_->Answer(code, value) : 0;
}

int32_t CChannelEditDlg::ModifyProgress(int32_t code, int32_t value) {
  return currentModify_ ? currentModify_->Answer(code, value) : 0;
}

}  // namespace tolven::dialogs
