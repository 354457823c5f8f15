// CAutoTuneDlg: "Automatic tuning", the progress dialog around the tuner's
// band scan. The scan runs on the dialog's thread; its progress callback
// moves the bar and pumps the thread's messages, so Cancel stops the scan
// at the next report.
#pragma once
#include "driver/control/control_interface.h"
#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

class CDriverApp;

class CAutoTuneDlg : public DialogPresenter {
 public:
  // Requests the dialog posts itself.
  static constexpr int kStartRequest = 0x400 + 101;
  static constexpr int kCloseRequest = 0x400 + 102;

  explicit CAutoTuneDlg(CDriverApp &app);
  ~CAutoTuneDlg() override;
  CAutoTuneDlg(const CAutoTuneDlg &) = delete;
  CAutoTuneDlg &operator=(const CAutoTuneDlg &) = delete;

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnRequest(DialogView &view, int code) override;

  bool Cancelled() const { return cancelled_; }

  // The tuner's progress callback: finds the registered dialog.
  static int32_t TOLVEN_STDCALL Progress(int32_t code, int32_t value);

 private:
  CDriverApp &app_;
  DialogView *view_ = nullptr;
  bool cancelled_ = false;
  static CAutoTuneDlg *current_;
};

}  // namespace tolven::dialogs
