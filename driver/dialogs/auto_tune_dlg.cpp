#include "driver/dialogs/auto_tune_dlg.h"

#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

CAutoTuneDlg *CAutoTuneDlg::current_ = nullptr;

CAutoTuneDlg::CAutoTuneDlg(CDriverApp &app) : app_(app) { current_ = this; }

CAutoTuneDlg::~CAutoTuneDlg() {
  if (current_ == this) current_ = nullptr;
}

void CAutoTuneDlg::OnInitDialog(DialogView &view) {
  view_ = &view;
  view.SetRange(IDC_AUTO_PROGRESS, 0, 100);
  // The count and its OK button are never shown.
  view.ShowControl(IDC_AUTO_COUNT, false);
  view.ShowControl(IDC_OK, false);
  // Visible before the scan, which runs before the dialog's loop would show it.
  view.ShowDialogWindow();
  view.PostRequest(kStartRequest);
}

void CAutoTuneDlg::OnRequest(DialogView &view, int code) {
  if (code == kStartRequest) {
    if (control::ITunerControl *tuner = app_.GetTuner()) {
      tuner->SetProgressCallback(&CAutoTuneDlg::Progress);
      tuner->AutoScan();
    }
    view.PostRequest(kCloseRequest);
  } else if (code == kCloseRequest) {
    cancelled_ = true;
    view.EndDialog(IDC_CANCEL);
  }
}

void CAutoTuneDlg::OnCommand(DialogView &view, int control, int) {
  if (control == IDC_CANCEL) {
    cancelled_ = true;
    view.EndDialog(IDC_CANCEL);
  }
}

int32_t CAutoTuneDlg::Progress(int32_t code, int32_t value) {
  CAutoTuneDlg *dialog = current_;
  if (!dialog || !dialog->view_) return 0;
  int32_t answer = 0;
  if (code == 1) {
    dialog->view_->SetPosition(IDC_AUTO_PROGRESS, value);
    answer = 1;
  }
  dialog->view_->PumpMessages({});
  // The dialog may have gone while its messages ran.
  if (current_ != dialog || dialog->cancelled_) answer = 0;
  return answer;
}

}  // namespace tolven::dialogs
