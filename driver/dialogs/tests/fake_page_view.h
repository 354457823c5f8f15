// A property page's view without a window: the fake dialog view's lists plus
// check boxes, sliders (which keep their position inside their range, as a
// trackbar does), control texts, the page's "changed" state and a queue of
// the messages the page posted to itself. The user's side moves sliders,
// clicks and picks, and pumps the queue the way the page's message loop
// would.
#pragma once
#include <algorithm>
#include <deque>

#include "driver/dialogs/page_view.h"
#include "driver/dialogs/tests/fake_dialog_view.h"

namespace tolven::dialogs::testing {

class FakePageView : public PageView {
 public:
  struct Slider {
    int32_t minimum = 0, maximum = 100, line = 1, page = 1, position = 0;
  };

  // DialogView, passed to the list fake.
  int AddListItem(int control, WStringView text, uintptr_t data) override {
    return lists.AddListItem(control, text, data);
  }
  int ListCount(int control) override { return lists.ListCount(control); }
  WString ListItemText(int control, int index) override { return lists.ListItemText(control, index); }
  uintptr_t ListItemData(int control, int index) override { return lists.ListItemData(control, index); }
  int ListSelection(int control) override { return lists.ListSelection(control); }
  bool SelectListItem(int control, int index) override { return lists.SelectListItem(control, index); }
  void EnableControl(int control, bool enabled) override { lists.EnableControl(control, enabled); }
  int ShowMessage(WStringView text, WStringView caption, uint32_t style) override {
    return lists.ShowMessage(text, caption, style);
  }
  void EndDialog(int result) override { lists.EndDialog(result); }

  bool IsChecked(int control) override { return checks[control]; }
  void SetChecked(int control, bool checked) override { checks[control] = checked; }
  void SetControlText(int control, WStringView text) override { texts[control] = WString(text); }
  void SetSliderRange(int control, int32_t minimum, int32_t maximum, bool) override {
    Slider &s = sliders[control];
    s.minimum = minimum;
    s.maximum = maximum;
    s.position = std::clamp(s.position, minimum, std::max(minimum, maximum));
  }
  void SetSliderLineSize(int control, int32_t size) override { sliders[control].line = size; }
  void SetSliderPageSize(int control, int32_t size) override { sliders[control].page = size; }
  void SetSliderPosition(int control, int32_t position, bool) override {
    Slider &s = sliders[control];
    s.position = std::clamp(position, s.minimum, std::max(s.minimum, s.maximum));
  }
  int32_t SliderPosition(int control) override { return sliders[control].position; }
  void SetModified(bool m) override { modified = m; }
  void PostToPage(uint32_t message, uintptr_t wParam) override { posted.push_back({message, wParam}); }

  // The user's side.
  bool Enabled(int control) const { return lists.Enabled(control); }
  WString SelectedText(int control) { return lists.SelectedText(control); }
  std::vector<WString> Texts(int control) { return lists.Texts(control); }
  // Drags a slider to `position` (a trackbar reports a move more than once:
  // the track notifications and the end of the move) and lets the queue run.
  void MoveSlider(PagePresenter &page, int control, int32_t position, int notifications = 2) {
    SetSliderPosition(control, position, true);
    for (int i = 0; i < notifications; ++i) page.OnHScroll(*this, control);
    Pump(page);
  }
  // A button press; a check box changes its state first.
  void Click(PagePresenter &page, int control, bool checkBox = false) {
    if (checkBox) checks[control] = !checks[control];
    page.OnCommand(*this, control, kButtonClicked);
    Pump(page);
  }
  // Picks the entry reading `text` in a drop-down list, with the
  // notifications a mouse pick sends (selection changed, then confirmed).
  bool Pick(PagePresenter &page, int control, WStringView text) {
    if (!lists.Choose(control, text)) return false;
    page.OnCommand(*this, control, kListSelectionChanged);
    page.OnCommand(*this, control, kListSelectionConfirmed);
    Pump(page);
    return true;
  }
  void Pump(PagePresenter &page) {
    while (!posted.empty()) {
      auto [message, wParam] = posted.front();
      posted.pop_front();
      page.OnPostedMessage(*this, message, wParam);
    }
  }

  FakeDialogView lists;
  std::map<int, bool> checks;
  std::map<int, WString> texts;
  std::map<int, Slider> sliders;
  bool modified = false;
  std::deque<std::pair<uint32_t, uintptr_t>> posted;
};

}  // namespace tolven::dialogs::testing
