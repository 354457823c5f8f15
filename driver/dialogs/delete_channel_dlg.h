// CDeleteChannelDlg: "Delete Channel", the question before channels are
// removed, with a per-user "do not show this dialog in future" setting.
#pragma once
#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

class CDriverApp;

inline constexpr char16_t kDeleteChannelFlagValue[] = u"tune_DeleteChannelFlag";

class CDeleteChannelDlg : public DialogPresenter {
 public:
  // Reads the stored flag (0 when absent).
  explicit CDeleteChannelDlg(CDriverApp &app);

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;

  bool DoNotShow() const { return doNotShow_; }

 private:
  CDriverApp &app_;
  bool doNotShow_ = false;
};

}  // namespace tolven::dialogs
