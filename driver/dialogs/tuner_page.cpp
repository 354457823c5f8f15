#include "driver/dialogs/tuner_page.h"

#include "driver/dialogs/auto_tune_dlg.h"
#include "driver/dialogs/channel_edit_dlg.h"
#include "driver/dialogs/component_names.h"
#include "driver/dialogs/delete_channel_dlg.h"
#include "driver/dialogs/driver_app.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

CUserTunerPage::CUserTunerPage(CDriverApp &app) : app_(app), list_(app, IDC_TUNER_LIST) {}

void CUserTunerPage::FillNamedList(DialogView &view, int control, int32_t count, bool standards) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (!tuner) return;
  for (int32_t i = 0; i < count; ++i) {
    WString name;
    bool read = standards
                    ? ReadComponentName([&] { return tuner->GetStandardNameLength(i); },
                                        [&](char16_t *b) { return tuner->GetStandardName(i, b); }, &name)
                    : ReadComponentName([&] { return tuner->GetInputTypeNameLength(i); },
                                        [&](char16_t *b) { return tuner->GetInputTypeName(i, b); }, &name);
    if (read) view.AddListItem(control, name, static_cast<uintptr_t>(i));
  }
  if (view.ListCount(control) > 0) view.SelectListItem(control, 0);
}

void CUserTunerPage::OnInitDialog(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  list_.CreateColumns(view);
  list_.Fill(view, tuner);
  FillNamedList(view, IDC_TUNER_FORMAT, tuner ? tuner->GetStandardCount() : 0, true);
  FillNamedList(view, IDC_TUNER_INPUT, tuner ? tuner->GetInputCount() : 0, false);
  view.EnableControl(IDC_TUNER_FORMAT, view.ListCount(IDC_TUNER_FORMAT) >= 2);
  view.EnableControl(IDC_TUNER_INPUT, view.ListCount(IDC_TUNER_INPUT) >= 2);
  view.EnableControl(IDC_TUNER_MODIFY, false);
  view.EnableControl(IDC_TUNER_REMOVE, false);
  if (view.RowCount(IDC_TUNER_LIST) == 0)
    view.EnableControl(IDC_TUNER_REMOVE_ALL, false);
  else if (currentRow_ != -1)
    SelectCurrentRow(view);
}

void CUserTunerPage::SelectCurrentRow(DialogView &view) {
  if (currentRow_ == -1) {
    view.EnableControl(IDC_TUNER_MODIFY, false);
    view.EnableControl(IDC_TUNER_REMOVE, false);
    return;
  }
  view.FocusControl(IDC_TUNER_LIST);
  view.SelectRow(IDC_TUNER_LIST, currentRow_);
  view.EnableControl(IDC_TUNER_MODIFY, true);
  view.EnableControl(IDC_TUNER_REMOVE, true);
  view.EnableControl(IDC_TUNER_REMOVE_ALL, true);
  view.EnsureRowVisible(IDC_TUNER_LIST, currentRow_);
}

void CUserTunerPage::ReadControls(DialogView &view) {
  formatSelection_ = view.ListSelection(IDC_TUNER_FORMAT);
  inputSelection_ = view.ListSelection(IDC_TUNER_INPUT);
}

void CUserTunerPage::OnCommand(DialogView &view, int control, int notification) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (control == IDC_TUNER_FORMAT && notification == kComboSelEndOk) {
    ReadControls(view);
    if (tuner && formatSelection_ >= 0)
      tuner->SetStandard(static_cast<int32_t>(view.ListItemData(IDC_TUNER_FORMAT, formatSelection_)));
    return;
  }
  if (control == IDC_TUNER_INPUT && notification == kComboSelEndOk) {
    int entry = view.ListSelection(IDC_TUNER_INPUT);
    if (tuner && entry >= 0) tuner->SetInput(static_cast<int32_t>(view.ListItemData(IDC_TUNER_INPUT, entry)));
    return;
  }
  if (notification != kButtonClicked) return;
  switch (control) {
    case IDC_TUNER_NEW: OnNew(view); break;
    case IDC_TUNER_MODIFY: OnModify(view); break;
    case IDC_TUNER_REMOVE: OnRemove(view); break;
    case IDC_TUNER_REMOVE_ALL: OnRemoveAll(view); break;
    case IDC_TUNER_AUTO: OnAutomaticTuning(view); break;
    default: break;
  }
}

void CUserTunerPage::OnListEvent(DialogView &view, const ListEvent &event) {
  if (event.control != IDC_TUNER_LIST) return;
  control::ITunerControl *tuner = app_.GetTuner();
  switch (event.kind) {
    case ListEvent::kItemChanged:
      currentRow_ = view.FocusedRow(IDC_TUNER_LIST);
      view.EnableControl(IDC_TUNER_MODIFY, true);
      view.EnableControl(IDC_TUNER_REMOVE, true);
      view.EnableControl(IDC_TUNER_REMOVE_ALL, true);
      if (view.SelectedRows(IDC_TUNER_LIST).size() == 1) {
        view.SetWaitCursor(true);
        if (tuner && currentRow_ >= 0) tuner->TuneChannel(currentRow_);
        SetModified(true);
        ReadControls(view);
        view.SetWaitCursor(false);
      }
      break;
    case ListEvent::kClick:
      currentRow_ = view.FocusedRow(IDC_TUNER_LIST);
      SelectCurrentRow(view);
      break;
    case ListEvent::kHeaderClick:
      if (currentRow_ != -1) {
        view.EnableControl(IDC_TUNER_MODIFY, true);
        view.EnableControl(IDC_TUNER_REMOVE, true);
        view.EnableControl(IDC_TUNER_REMOVE_ALL, true);
      }
      break;
    case ListEvent::kDoubleClick:
      SelectCurrentRow(view);
      break;
    case ListEvent::kCellEdited:
      if (event.row < 0 || event.row >= view.RowCount(IDC_TUNER_LIST)) break;
      list_.SetRowName(view, event.row, event.text);
      if (tuner) tuner->RenameChannel(static_cast<int32_t>(view.RowData(IDC_TUNER_LIST, event.row)), event.text.c_str());
      break;
    case ListEvent::kRowDropped:
      OnRowDropped(view, event.row, event.target);
      break;
    case ListEvent::kColumnMoved:
      list_.DropColumn(view, event.column, event.target);
      break;
  }
}

bool CUserTunerPage::CanEditLabel(DialogView &view, int control, int column) {
  return control == IDC_TUNER_LIST && list_.IsNameColumn(view, column);
}

void CUserTunerPage::OnNew(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  CChannelEditDlg dialog(app_, CChannelEditDlg::kNew);
  if (app_.Dialogs().RunModal(IDD_NEW_CHANNEL, view.WindowHandle(), dialog) != IDC_OK || !tuner) return;
  list_.AppendChannel(view, tuner, tuner->GetChannelCount() - 1);
  view.EnableControl(IDC_TUNER_REMOVE_ALL, true);
}

void CUserTunerPage::OnModify(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  std::vector<int> selected = view.SelectedRows(IDC_TUNER_LIST);
  if (!tuner || selected.empty()) return;
  int row = selected.front();
  int32_t channel = static_cast<int32_t>(view.RowData(IDC_TUNER_LIST, row));
  WString name;
  if (!ReadComponentName([&] { return tuner->GetChannelNameLength(channel); },
                         [&](char16_t *b) { return tuner->GetChannelName(channel, b); }, &name))
    return;
  CChannelEditDlg dialog(app_, CChannelEditDlg::kModify);
  dialog.SetChannel(channel, name);
  if (app_.Dialogs().RunModal(IDD_MODIFY_CHANNEL, view.WindowHandle(), dialog) != IDC_OK) return;
  list_.SetRowName(view, row, dialog.Name());
  tuner->RenameChannel(row, dialog.Name().c_str());
  list_.SetRowNumber(view, row, tuner->GetChannelNumber(channel));
}

void CUserTunerPage::OnRemove(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  std::vector<int> selected = view.SelectedRows(IDC_TUNER_LIST);
  if (!tuner || selected.empty()) return;
  int first = selected.front();
  CDeleteChannelDlg ask(app_);
  bool go = ask.DoNotShow() || app_.Dialogs().RunModal(IDD_DELETE_CHANNEL, view.WindowHandle(), ask) == IDC_OK;
  if (go) {
    // First to last; each removal moves the later rows up by one.
    int removed = 0;
    for (int row : selected) {
      int at = row - removed;
      if (!tuner->DeleteChannel(static_cast<int32_t>(view.RowData(IDC_TUNER_LIST, at)))) break;
      list_.RemoveRow(view, at);
      ++removed;
    }
    int rows = view.RowCount(IDC_TUNER_LIST);
    if (rows > 0) {
      currentRow_ = first < rows ? first : rows - 1;
      SelectCurrentRow(view);
    }
  }
  if (view.RowCount(IDC_TUNER_LIST) == 0) {
    currentRow_ = -1;
    view.EnableControl(IDC_TUNER_REMOVE_ALL, false);
    view.EnableControl(IDC_TUNER_REMOVE, false);
  }
  ReadControls(view);
  view.FocusControl(IDC_TUNER_LIST);
}

void CUserTunerPage::OnRemoveAll(DialogView &view) {
  if (view.RowCount(IDC_TUNER_LIST) == 0) return;
  if (app_.Message(view, kRemoveAllString, kMbYesNo | kMbIconQuestion | kMbDefButton2) != kIdYes) return;
  if (control::ITunerControl *tuner = app_.GetTuner()) tuner->DeleteAllChannels();
  view.DeleteAllRows(IDC_TUNER_LIST);
  currentRow_ = -1;
  view.EnableControl(IDC_TUNER_REMOVE_ALL, false);
  view.EnableControl(IDC_TUNER_REMOVE, false);
  view.EnableControl(IDC_TUNER_MODIFY, false);
}

void CUserTunerPage::OnAutomaticTuning(DialogView &view) {
  control::ICrossbarControl *crossbar = app_.GetCrossbar();
  if (!crossbar) return;
  int32_t mute = crossbar->GetMute();
  crossbar->SetMute(1);
  {
    CAutoTuneDlg dialog(app_);
    app_.Dialogs().RunModal(IDD_AUTO_TUNE, view.WindowHandle(), dialog);
  }
  // Whatever the scan found, also when it was cancelled.
  list_.Fill(view, app_.GetTuner());
  currentRow_ = -1;
  view.EnableControl(IDC_TUNER_REMOVE_ALL, view.RowCount(IDC_TUNER_LIST) > 0);
  view.EnableControl(IDC_TUNER_MODIFY, false);
  view.EnableControl(IDC_TUNER_REMOVE, false);
  crossbar->SetMute(mute);
}

void CUserTunerPage::OnRowDropped(DialogView &view, int from, int to) {
  control::ITunerControl *tuner = app_.GetTuner();
  int rows = view.RowCount(IDC_TUNER_LIST);
  if (!tuner || from < 0 || from >= rows || to < 0 || to >= rows || from == to) return;
  if (!tuner->MoveChannel(from, to)) return;
  list_.Fill(view, tuner);
  currentRow_ = to;
  SelectCurrentRow(view);
  // The order the user sees is the order stored.
  StoreChannels(view);
}

bool CUserTunerPage::StoreChannels(DialogView &view) {
  control::ITunerControl *tuner = app_.GetTuner();
  if (!tuner || tuner->SaveSettings()) return true;
  WString text = app_.Text(kChannelFileUnwritableString);
  size_t at = text.find(u"%s");
  if (at != WString::npos) text.replace(at, 2, app_.ChannelFilePath());
  view.ShowMessage(text, app_.ApplicationName(), kMbOk | kMbIconExclamation);
  return false;
}

void CUserTunerPage::OnSetActive(DialogView &) {
  if (control::ITunerControl *tuner = app_.GetTuner()) tuner->SaveSettings();
}

bool CUserTunerPage::OnApply(DialogView &view) {
  if (currentRow_ != -1) SelectCurrentRow(view);
  // OK and Apply store the channels found or edited since the page opened.
  return StoreChannels(view);
}

void CUserTunerPage::OnCancel(DialogView &) {
  if (control::ITunerControl *tuner = app_.GetTuner()) tuner->LoadSettings();
}

}  // namespace tolven::dialogs
