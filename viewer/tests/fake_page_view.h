// A PageView in memory: check boxes, enabled and shown states, texts,
// tooltips, lists with item data and selection, the hotkey control's value,
// the focus and the sheet's "modified" mark.
#pragma once
#include <map>
#include <vector>

#include "viewer/app/page_view.h"

namespace tolven::viewer::testing {

class FakePageView : public PageView {
 public:
  struct Item {
    WString text;
    uintptr_t data = 0;
  };

  bool Checked(int control) override { return checked[control]; }
  void SetChecked(int control, bool value) override { checked[control] = value; }
  void EnableControl(int control, bool value) override { enabled[control] = value; }
  void SetText(int control, WStringView value) override { texts[control] = WString(value); }
  void ShowControl(int control, bool value) override { shown[control] = value; }
  void SetTooltip(int control, WStringView value) override { tooltips[control] = WString(value); }
  void Focus(int control) override { focus = control; }
  int AddItem(int control, WStringView text, uintptr_t data) override {
    lists[control].push_back(Item{WString(text), data});
    return static_cast<int>(lists[control].size()) - 1;
  }
  int ItemCount(int control) override { return static_cast<int>(lists[control].size()); }
  WString ItemText(int control, int index) override { return Valid(control, index) ? At(control, index).text : u""; }
  uintptr_t ItemData(int control, int index) override { return Valid(control, index) ? At(control, index).data : 0; }
  void SetItemData(int control, int index, uintptr_t data) override {
    if (Valid(control, index)) At(control, index).data = data;
  }
  void DeleteItem(int control, int index) override {
    if (!Valid(control, index)) return;
    lists[control].erase(lists[control].begin() + index);
    if (selection[control] >= ItemCount(control)) selection[control] = -1;
  }
  void ClearItems(int control) override {
    lists[control].clear();
    selection[control] = -1;
  }
  int Selection(int control) override {
    auto it = selection.find(control);
    return it == selection.end() ? -1 : it->second;
  }
  void Select(int control, int index) override { selection[control] = Valid(control, index) ? index : -1; }
  uint32_t HotkeyValue(int) override { return hotkey; }
  void MarkModified() override { ++modifiedMarks; }

  // Enabled unless disabled.
  bool Enabled(int control) const {
    auto it = enabled.find(control);
    return it == enabled.end() || it->second;
  }
  std::vector<WString> Texts(int control) {
    std::vector<WString> out;
    for (const Item &item : lists[control]) out.push_back(item.text);
    return out;
  }

  std::map<int, bool> checked, enabled, shown;
  std::map<int, WString> texts, tooltips;
  std::map<int, std::vector<Item>> lists;
  std::map<int, int> selection;
  uint32_t hotkey = 0;
  int focus = 0;
  int modifiedMarks = 0;

 private:
  bool Valid(int control, int index) { return index >= 0 && index < ItemCount(control); }
  Item &At(int control, int index) { return lists[control][static_cast<size_t>(index)]; }
};

}  // namespace tolven::viewer::testing
