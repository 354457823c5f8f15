// A dialog view without a window: list controls hold items in memory
// (sorted ones insert in case-insensitive order, as the sorted drop-down
// lists of the templates do), and everything the presenter does is kept
// for the tests to look at. A scripted runner plays the user.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "driver/dialogs/dialog_view.h"
#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs::testing {

class FakeDialogView : public DialogView {
 public:
  struct Item {
    WString text;
    uintptr_t data;
  };
  struct Message {
    WString text, caption;
    uint32_t style;
  };

  void MakeSorted(int control) { sorted_.insert(control); }

  int AddListItem(int control, WStringView text, uintptr_t data) override {
    auto &items = lists_[control].items;
    size_t at = items.size();
    if (sorted_.count(control)) {
      at = 0;
      while (at < items.size() && !Less(text, items[at].text)) ++at;
    }
    items.insert(items.begin() + static_cast<long>(at), Item{WString(text), data});
    auto &sel = lists_[control].selection;
    if (sel >= static_cast<int>(at)) ++sel;
    return static_cast<int>(at);
  }
  int ListCount(int control) override { return static_cast<int>(lists_[control].items.size()); }
  WString ListItemText(int control, int index) override {
    return InRange(control, index) ? lists_[control].items[index].text : WString();
  }
  uintptr_t ListItemData(int control, int index) override {
    return InRange(control, index) ? lists_[control].items[index].data : static_cast<uintptr_t>(-1);
  }
  int ListSelection(int control) override { return lists_[control].selection; }
  bool SelectListItem(int control, int index) override {
    bool ok = InRange(control, index);
    lists_[control].selection = ok ? index : -1;
    return ok;
  }
  void EnableControl(int control, bool enabled) override { enabled_[control] = enabled; }
  int ShowMessage(WStringView text, WStringView caption, uint32_t style) override {
    messages.push_back(Message{WString(text), WString(caption), style});
    return 1;
  }
  void EndDialog(int result) override { ended = result; }

  // The user's side.
  WString SelectedText(int control) { return ListItemText(control, ListSelection(control)); }
  bool Choose(int control, WStringView text) {
    for (int i = 0; i < ListCount(control); ++i)
      if (ListItemText(control, i) == text) return SelectListItem(control, i);
    return false;
  }
  // Whether the presenter left `control` enabled (controls start enabled).
  bool Enabled(int control) const {
    auto it = enabled_.find(control);
    return it == enabled_.end() || it->second;
  }
  std::vector<WString> Texts(int control) {
    std::vector<WString> out;
    for (auto &item : lists_[control].items) out.push_back(item.text);
    return out;
  }

  std::optional<int> ended;
  std::vector<Message> messages;

 private:
  struct List {
    std::vector<Item> items;
    int selection = -1;
  };
  bool InRange(int control, int index) {
    return index >= 0 && index < static_cast<int>(lists_[control].items.size());
  }
  static bool Less(WStringView a, WStringView b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
  std::map<int, List> lists_;
  std::set<int> sorted_;
  std::map<int, bool> enabled_;
};

// Runs a presenter on a fresh fake view of the Driver Settings template,
// lets `user` act on it, and answers how the presenter ended it.
class ScriptedRunner : public DialogRunner {
 public:
  int RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) override {
    runs.push_back({templateId, parent});
    FakeDialogView view;
    view.MakeSorted(IDC_SETTINGS_ORIGIN);
    presenter.OnInitDialog(view);
    if (user) user(view, presenter);
    lastView = view;
    return view.ended.value_or(-1);
  }
  struct Run {
    uint16_t templateId;
    uintptr_t parent;
  };
  std::vector<Run> runs;
  std::function<void(FakeDialogView &, DialogPresenter &)> user;
  FakeDialogView lastView;
};

}  // namespace tolven::dialogs::testing
