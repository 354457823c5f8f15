#include "driver/dialogs/delete_channel_dlg.h"

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

CDeleteChannelDlg::CDeleteChannelDlg(CDriverApp &app) : app_(app) {
  uint32_t flag = 0;
  if (!app_.ReadUserDword(kDeleteChannelFlagValue, &flag)) flag = 0;
  doNotShow_ = flag != 0;
}

void CDeleteChannelDlg::OnInitDialog(DialogView &view) {
  view.SetChecked(IDC_DELETE_DONT_SHOW, doNotShow_);
  view.EnableControl(IDC_NO, !doNotShow_);
}

void CDeleteChannelDlg::OnCommand(DialogView &view, int control, int notification) {
  if (notification != kButtonClicked) return;
  switch (control) {
    case IDC_YES:
      doNotShow_ = view.IsChecked(IDC_DELETE_DONT_SHOW);
      app_.WriteUserDword(kDeleteChannelFlagValue, doNotShow_ ? 1 : 0);
      view.EndDialog(IDC_OK);
      break;
    case IDC_NO:
    case IDC_CANCEL:
      view.EndDialog(IDC_CANCEL);
      break;
    case IDC_DELETE_DONT_SHOW:
      doNotShow_ = view.IsChecked(IDC_DELETE_DONT_SHOW);
      view.EnableControl(IDC_NO, !doNotShow_);
      break;
    default:
      break;
  }
}

}  // namespace tolven::dialogs
