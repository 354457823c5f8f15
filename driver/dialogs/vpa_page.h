// CUserVpaPage: the picture-control page of the Video Display sheet. One row
// per ranged property (label, slider, "Default"), the colour-enable and
// inverse-video boxes and "Default All". A slider's position reaches the
// hardware at once, through a message the page posts to itself.
#pragma once
#include <array>

#include "driver/control/control_interface.h"
#include "driver/dialogs/property_sheet.h"

namespace tolven::dialogs {

class CDriverApp;

class CUserVpaPage : public PagePresenter {
 public:
  // One slider row and the property it drives.
  struct Row {
    int32_t property;
    int label, slider, defaultButton;
  };
  // The rows, in the order "Default All" runs them (property number order).
  static const std::array<Row, 9> kRows;
  // The status line's text when there is no proc-amp.
  static constexpr uint32_t kNoProcAmpString = 341;

  // Reads every property's range when there is a proc-amp.
  explicit CUserVpaPage(CDriverApp &app);

  void OnInitDialog(DialogView &view) override;
  void OnCommand(DialogView &view, int control, int notification) override;
  // A slider moved: the page posts itself a request carrying the slider's
  // property number, and applies the position when the request arrives.
  void OnHScroll(DialogView &view, int control) override;
  void OnRequest(DialogView &view, int code) override;
  // Activation stores the values as the page finds them, so that Cancel can
  // go back to them; OK and Apply keep and store what the user set.
  void OnSetActive(DialogView &view) override;
  bool OnApply(DialogView &view) override;
  void OnCancel(DialogView &view) override;

  const control::ProcAmpRange &Range(int32_t property) const { return ranges_[property]; }
  bool ColourEnable() const { return colourEnable_ != 0; }
  bool InverseVideo() const { return inverseVideo_ != 0; }

 private:
  static const Row *RowOfSlider(int control);
  static const Row *RowOfProperty(int32_t property);
  static bool Empty(const control::ProcAmpRange &r) { return r.minimum == r.maximum; }
  void ReadControls(DialogView &view);
  void FillControls(DialogView &view);
  void Default(DialogView &view, const Row &row);
  void ApplySlider(DialogView &view, int32_t property);

  CDriverApp &app_;
  std::array<control::ProcAmpRange, control::kProcAmpPropertyCount> ranges_{};
  // The value each property had when last read or set; a position equal to
  // it is not sent again (a slider reports one move several times).
  std::array<int32_t, control::kProcAmpPropertyCount> values_{};
  std::array<bool, control::kProcAmpPropertyCount> known_{};
  int32_t colourEnable_ = 0;
  int32_t inverseVideo_ = 0;
};

}  // namespace tolven::dialogs
