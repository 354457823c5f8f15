// CChannelListCtrl: the tuner page's channel list, a report list view with
// a "Channel Name" and a "Channel No" column. Each row carries the index of
// its channel in the tuner's list and rows stay in channel order. Updates
// find their column by its heading, so they follow a moved column; a row
// dropped onto another moves the channel in the tuner.
#pragma once
#include <cstdint>

#include "driver/control/control_interface.h"
#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

class CDriverApp;

inline constexpr uint32_t kChannelNameHeading = 128;
inline constexpr uint32_t kChannelNumberHeading = 114;
inline constexpr int kNameColumnWidth = 200;

class CChannelListCtrl {
 public:
  CChannelListCtrl(CDriverApp &app, int control) : app_(app), control_(control) {}

  void CreateColumns(DialogView &view);
  // Deletes every row and adds one per channel whose name can be read.
  void Fill(DialogView &view, control::ITunerControl *tuner);
  // Appends the row of channel `index`; false when its name cannot be read.
  bool AppendChannel(DialogView &view, control::ITunerControl *tuner, int32_t index);
  void SetRowName(DialogView &view, int row, WStringView name);
  void SetRowNumber(DialogView &view, int row, int32_t number);
  // Removes `row` and lowers the channel index of every later row.
  void RemoveRow(DialogView &view, int row);

  int NameColumn(DialogView &view);
  int NumberColumn(DialogView &view);
  bool IsNameColumn(DialogView &view, int column);

  // A column dragged from `from` and dropped on the column at `target`:
  // moved there unless that is where it is or the column just right of it.
  // True when it moved.
  bool DropColumn(DialogView &view, int from, int target);

  int Control() const { return control_; }

 private:
  int ColumnHeaded(DialogView &view, uint32_t heading);

  CDriverApp &app_;
  int control_;
};

}  // namespace tolven::dialogs
