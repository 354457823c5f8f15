// CUserTunerPage: the "TV Tuner" page of the Video Source sheet: the
// tuner's broadcast format and input, the channel list with in-place
// renaming, column moves and row reordering, and the New, Modify, Remove,
// Remove All and Automatic tuning commands.
#pragma once
#include "driver/dialogs/channel_list_ctrl.h"
#include "driver/dialogs/property_sheet.h"

namespace tolven::dialogs {

class CDriverApp;

inline constexpr uint32_t kRemoveAllString = 234;
inline constexpr uint32_t kChannelFileUnwritableString = 331;

class CUserTunerPage : public PagePresenter {
 public:
  explicit CUserTunerPage(CDriverApp &app);

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnListEvent(DialogView &view, const ListEvent &event) override;
  bool CanEditLabel(DialogView &view, int control, int column) override;
  void OnSetActive(DialogView &view) override;
  bool OnApply(DialogView &view) override;
  void OnCancel(DialogView &view) override;

  int CurrentRow() const { return currentRow_; }
  CChannelListCtrl &List() { return list_; }

 private:
  void SelectCurrentRow(DialogView &view);
  void ReadControls(DialogView &view);
  void FillNamedList(DialogView &view, int control, int32_t count, bool standards);
  void OnNew(DialogView &view);
  void OnModify(DialogView &view);
  void OnRemove(DialogView &view);
  void OnRemoveAll(DialogView &view);
  void OnAutomaticTuning(DialogView &view);
  void OnRowDropped(DialogView &view, int from, int to);
  // Stores the channel list; on failure says so, naming the file.
  bool StoreChannels(DialogView &view);

  CDriverApp &app_;
  CChannelListCtrl list_;
  int currentRow_ = -1;
  int formatSelection_ = -1;
  int inputSelection_ = -1;
};

}  // namespace tolven::dialogs
