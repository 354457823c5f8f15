#include "driver/dialogs/channel_list_ctrl.h"

#include <string>

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/driver_app.h"

namespace tolven::dialogs {

namespace {
WString Number(int32_t value) { return Widen(std::to_string(value)); }
}  // namespace

void CChannelListCtrl::CreateColumns(DialogView &view) {
  view.InsertColumn(control_, 0, app_.Text(kChannelNameHeading), kNameColumnWidth);
  view.InsertColumn(control_, 1, app_.Text(kChannelNumberHeading), 0);
  view.SetColumnWidth(control_, 1, view.AutoSizeWidth(control_, 1) - 20);
}

int CChannelListCtrl::ColumnHeaded(DialogView &view, uint32_t heading) {
  WString text = app_.Text(heading);
  for (int c = 0; c < view.ColumnCount(control_); ++c)
    if (view.ColumnHeading(control_, c) == text) return c;
  return -1;
}

int CChannelListCtrl::NameColumn(DialogView &view) { return ColumnHeaded(view, kChannelNameHeading); }
int CChannelListCtrl::NumberColumn(DialogView &view) { return ColumnHeaded(view, kChannelNumberHeading); }

bool CChannelListCtrl::IsNameColumn(DialogView &view, int column) {
  return column >= 0 && view.ColumnHeading(control_, column) == app_.Text(kChannelNameHeading);
}

void CChannelListCtrl::Fill(DialogView &view, control::ITunerControl *tuner) {
  view.DeleteAllRows(control_);
  if (!tuner) return;
  int32_t count = tuner->GetChannelCount();
  for (int32_t i = 0; i < count; ++i) AppendChannel(view, tuner, i);
}

bool CChannelListCtrl::AppendChannel(DialogView &view, control::ITunerControl *tuner, int32_t index) {
  if (!tuner) return false;
  int32_t number = tuner->GetChannelNumber(index);
  WString name;
  if (!ReadComponentName([&] { return tuner->GetChannelNameLength(index); },
                         [&](char16_t *buffer) { return tuner->GetChannelName(index, buffer); }, &name))
    return false;
  int row = view.InsertRow(control_, view.RowCount(control_), u"", static_cast<uintptr_t>(index));
  if (row < 0) return false;
  SetRowName(view, row, name);
  SetRowNumber(view, row, number);
  return true;
}

void CChannelListCtrl::SetRowName(DialogView &view, int row, WStringView name) {
  int column = NameColumn(view);
  if (column >= 0) view.SetCellText(control_, row, column, name);
}

void CChannelListCtrl::SetRowNumber(DialogView &view, int row, int32_t number) {
  int column = NumberColumn(view);
  if (column >= 0) view.SetCellText(control_, row, column, Number(number));
}

void CChannelListCtrl::RemoveRow(DialogView &view, int row) {
  uintptr_t removed = view.RowData(control_, row);
  view.DeleteRow(control_, row);
  for (int r = 0; r < view.RowCount(control_); ++r) {
    uintptr_t data = view.RowData(control_, r);
    if (data > removed) view.SetRowData(control_, r, data - 1);
  }
}

bool CChannelListCtrl::DropColumn(DialogView &view, int from, int target) {
  int columns = view.ColumnCount(control_);
  if (from < 0 || from >= columns || target < 0 || target > columns) return false;
  if (target == from || target == from + 1) return false;
  view.MoveColumn(control_, from, target);
  return true;
}

}  // namespace tolven::dialogs
