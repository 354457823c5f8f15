// CChannelEditDlg: the "New Channel" and "Modify Channel" dialogs: a
// channel's name, seeking ("-", "+") and fine steps ("<", ">") of its
// frequency, with a bar showing where in the band it is. The characters
// "+", "-", ">" and "<" typed anywhere in the dialog do what the buttons do.
#pragma once
#include "driver/control/control_interface.h"
#include "driver/dialogs/dialog_view.h"

namespace tolven::dialogs {

class CDriverApp;

inline constexpr uint32_t kNoNameString = 131;

class CChannelEditDlg : public DialogPresenter {
 public:
  enum Variant { kNew, kModify };

  CChannelEditDlg(CDriverApp &app, Variant variant);
  ~CChannelEditDlg() override;
  CChannelEditDlg(const CChannelEditDlg &) = delete;
  CChannelEditDlg &operator=(const CChannelEditDlg &) = delete;

  // "Modify Channel": the channel and its name, before the dialog shows.
  void SetChannel(int32_t index, WStringView name) {
    channel_ = index;
    name_ = WString(name);
  }

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  void OnChar(DialogView &view, char16_t c) override;
  void OnDestroy(DialogView &view) override;

  int32_t Channel() const { return channel_; }
  const WString &Name() const { return name_; }
  bool Busy() const { return busy_; }

  static int32_t TOLVEN_STDCALL NewProgress(int32_t code, int32_t value);
  static int32_t TOLVEN_STDCALL ModifyProgress(int32_t code, int32_t value);

 private:
  void Seek(DialogView &view, bool up);
  void Step(DialogView &view, int control, bool up);
  void OnOk(DialogView &view);
  void OnCancel(DialogView &view);
  void ReadControls(DialogView &view) { name_ = view.ControlText(IDC_NAME); }
  int32_t Answer(int32_t code, int32_t value);

  static constexpr int IDC_NAME = 1062;

  CDriverApp &app_;
  Variant variant_;
  DialogView *view_ = nullptr;
  int32_t channel_ = -1;
  WString name_;
  bool busy_ = false;
  bool stopRequest_ = false;
  bool ended_ok_ = false;
  static CChannelEditDlg *currentNew_;
  static CChannelEditDlg *currentModify_;
};

}  // namespace tolven::dialogs
