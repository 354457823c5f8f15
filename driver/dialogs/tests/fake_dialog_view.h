// A dialog view without a window: list controls hold items in memory
// (sorted ones insert in case-insensitive order, as the sorted drop-down
// lists of the templates do), and everything the presenter does is kept
// for the tests to look at. A scripted runner plays the user.
#pragma once
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "driver/dialogs/dialog_view.h"
#include "driver/dialogs/property_sheet.h"
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
  void SetControlText(int control, WStringView text) override { texts_[control] = WString(text); }
  WString ControlText(int control) override { return texts_[control]; }
  void SetChecked(int control, bool checked) override { checked_[control] = checked; }
  bool IsChecked(int control) override { return checked_[control]; }

  void SetRange(int control, int minimum, int maximum) override { ranges[control] = {minimum, maximum}; }
  void SetPosition(int control, int position) override {
    positions_[control] = position;
    positionLog[control].push_back(position);
  }
  int Position(int control) override { return positions_[control]; }
  void SetStepSizes(int control, int line, int page) override { steps[control] = {line, page}; }

  void InsertColumn(int control, int column, WStringView heading, int width) override {
    auto &t = tables_[control];
    t.columns.insert(t.columns.begin() + column, ColumnInfo{WString(heading), width});
    for (auto &row : t.rows) row.cells.insert(row.cells.begin() + column, WString());
  }
  int AutoSizeWidth(int control, int column) override {
    // What a header sizes a column to: its heading at 6 pixels a character, plus margins.
    return static_cast<int>(tables_[control].columns[column].heading.size()) * 6 + 12;
  }
  void SetColumnWidth(int control, int column, int width) override {
    tables_[control].columns[column].width = width;
  }
  int ColumnCount(int control) override { return static_cast<int>(tables_[control].columns.size()); }
  WString ColumnHeading(int control, int column) override {
    auto &c = tables_[control].columns;
    return column >= 0 && column < static_cast<int>(c.size()) ? c[column].heading : WString();
  }
  void MoveColumn(int control, int from, int to) override {
    auto &t = tables_[control];
    int at = to > from ? to - 1 : to;
    ColumnInfo moved = t.columns[from];
    t.columns.erase(t.columns.begin() + from);
    t.columns.insert(t.columns.begin() + at, moved);
    for (auto &row : t.rows) {
      WString cell = row.cells[from];
      row.cells.erase(row.cells.begin() + from);
      row.cells.insert(row.cells.begin() + at, cell);
    }
  }
  int InsertRow(int control, int row, WStringView firstCell, uintptr_t data) override {
    auto &t = tables_[control];
    if (row < 0 || row > static_cast<int>(t.rows.size())) row = static_cast<int>(t.rows.size());
    Row r{std::vector<WString>(t.columns.size()), data, false};
    if (!r.cells.empty()) r.cells[0] = WString(firstCell);
    t.rows.insert(t.rows.begin() + row, r);
    if (t.focused >= row) ++t.focused;
    return row;
  }
  void SetCellText(int control, int row, int column, WStringView text) override {
    if (RowOk(control, row) && column >= 0 && column < ColumnCount(control))
      tables_[control].rows[row].cells[column] = WString(text);
  }
  WString CellText(int control, int row, int column) override {
    if (!RowOk(control, row) || column < 0 || column >= ColumnCount(control)) return WString();
    return tables_[control].rows[row].cells[column];
  }
  uintptr_t RowData(int control, int row) override {
    return RowOk(control, row) ? tables_[control].rows[row].data : static_cast<uintptr_t>(-1);
  }
  void SetRowData(int control, int row, uintptr_t data) override {
    if (RowOk(control, row)) tables_[control].rows[row].data = data;
  }
  void DeleteRow(int control, int row) override {
    if (!RowOk(control, row)) return;
    auto &t = tables_[control];
    t.rows.erase(t.rows.begin() + row);
    if (t.focused == row) t.focused = -1;
    else if (t.focused > row) --t.focused;
  }
  void DeleteAllRows(int control) override {
    tables_[control].rows.clear();
    tables_[control].focused = -1;
  }
  int RowCount(int control) override { return static_cast<int>(tables_[control].rows.size()); }
  std::vector<int> SelectedRows(int control) override {
    std::vector<int> out;
    auto &rows = tables_[control].rows;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
      if (rows[i].selected) out.push_back(i);
    return out;
  }
  int FocusedRow(int control) override { return tables_[control].focused; }
  void SelectRow(int control, int row) override {
    if (!RowOk(control, row)) return;
    tables_[control].rows[row].selected = true;
    tables_[control].focused = row;
  }
  void EnsureRowVisible(int control, int row) override { visibleRow[control] = row; }

  void EnableControl(int control, bool enabled) override { enabled_[control] = enabled; }
  bool IsControlEnabled(int control) override {
    auto it = enabled_.find(control);
    return it == enabled_.end() || it->second;
  }
  void ShowControl(int control, bool shown) override { shown_[control] = shown; }
  void FocusControl(int control) override { focus = control; }
  void ShowDialogWindow() override { windowShown = true; }
  void SetWaitCursor(bool wait) override {
    waitDepth += wait ? 1 : -1;
    if (wait) ++waitCursors;
  }
  int ShowMessage(WStringView text, WStringView caption, uint32_t style) override {
    messages.push_back(Message{WString(text), WString(caption), style});
    return answers.empty() ? 1 : TakeAnswer();
  }
  void PostCommand(int control) override { posted.push_back({false, control}); }
  void PostRequest(int code) override { posted.push_back({true, code}); }
  bool PumpMessages(const std::function<bool()> &stop) override {
    ++pumps;
    if (onPump) onPump(*this);
    Drain(stop);
    return true;
  }
  // Delivers what was posted to the presenter, as the dialog's message loop
  // would, until the dialog has ended.
  void Drain(const std::function<bool()> &stop = {}) {
    while (presenter && !ended && !posted.empty() && !(stop && stop())) {
      Post post = posted.front();
      posted.pop_front();
      if (post.request)
        presenter->OnRequest(*this, post.code);
      else
        presenter->OnCommand(*this, post.code, 0);
    }
  }
  void EndDialog(int result) override {
    if (!ended) ended = result;
  }
  uintptr_t WindowHandle() override { return window; }

  // The user's side of a report list: click a row (it becomes the only
  // selected and the focused row).
  void ClickRow(int control, int row) {
    for (auto &r : tables_[control].rows) r.selected = false;
    SelectRow(control, row);
  }
  void AlsoSelectRow(int control, int row) { tables_[control].rows[row].selected = true; }
  std::vector<WString> ColumnTexts(int control, int column) {
    std::vector<WString> out;
    for (int r = 0; r < RowCount(control); ++r) out.push_back(CellText(control, r, column));
    return out;
  }
  int ColumnWidth(int control, int column) { return tables_[control].columns[column].width; }
  bool Enabled(int control) { return IsControlEnabled(control); }
  bool Shown(int control) {
    auto it = shown_.find(control);
    return it == shown_.end() || it->second;
  }
  int TakeAnswer() {
    int a = answers.front();
    answers.pop_front();
    return a;
  }

  // Queued posts: (request?, code or control).
  struct Post {
    bool request;
    int code;
  };
  std::deque<Post> posted;
  DialogPresenter *presenter = nullptr;  // set while the view is shown
  std::deque<int> answers;  // buttons the message boxes answer, in order
  std::function<void(FakeDialogView &)> onPump;
  int pumps = 0;
  bool windowShown = false;
  int focus = 0;
  int waitDepth = 0, waitCursors = 0;
  uintptr_t window = 0x1234;
  std::map<int, std::pair<int, int>> ranges, steps;
  std::map<int, std::vector<int>> positionLog;
  std::map<int, int> visibleRow;

  // The user's side.
  WString SelectedText(int control) { return ListItemText(control, ListSelection(control)); }
  bool Choose(int control, WStringView text) {
    for (int i = 0; i < ListCount(control); ++i)
      if (ListItemText(control, i) == text) return SelectListItem(control, i);
    return false;
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
  struct ColumnInfo {
    WString heading;
    int width;
  };
  struct Row {
    std::vector<WString> cells;
    uintptr_t data;
    bool selected;
  };
  struct Table {
    std::vector<ColumnInfo> columns;
    std::vector<Row> rows;
    int focused = -1;
  };
  bool RowOk(int control, int row) { return row >= 0 && row < RowCount(control); }
  std::map<int, List> lists_;
  std::set<int> sorted_;
  std::map<int, bool> enabled_, shown_, checked_;
  std::map<int, WString> texts_;
  std::map<int, int> positions_;
  std::map<int, Table> tables_;
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

// Runs modal dialogs on fake views. For each template, a script per run
// (in order) plays the user after the dialog has initialised and what it
// posted itself has been delivered; `before` scripts set the view up ahead
// of initialisation (for example what the user does while it pumps). A
// dialog the script leaves open is closed with Escape (IDC_CANCEL).
class FakeDialogRunner : public DialogRunner {
 public:
  using Script = std::function<void(FakeDialogView &, DialogPresenter &)>;
  int RunModal(uint16_t templateId, uintptr_t parent, DialogPresenter &presenter) override {
    runs.push_back({templateId, parent});
    FakeDialogView view;
    view.presenter = &presenter;
    if (auto it = before.find(templateId); it != before.end()) it->second(view, presenter);
    presenter.OnInitDialog(view);
    view.Drain();
    auto &queue = scripts[templateId];
    if (!view.ended && !queue.empty()) {
      Script script = queue.front();
      queue.pop_front();
      script(view, presenter);
      view.Drain();
    }
    if (!view.ended) {
      presenter.OnCommand(view, IDC_CANCEL, 0);
      view.Drain();
    }
    presenter.OnDestroy(view);
    view.presenter = nullptr;
    views.push_back(view);
    return view.ended.value_or(-1);
  }
  struct Run {
    uint16_t templateId;
    uintptr_t parent;
  };
  int Count(uint16_t templateId) const {
    return static_cast<int>(std::count_if(runs.begin(), runs.end(),
                                          [&](const Run &r) { return r.templateId == templateId; }));
  }
  std::vector<Run> runs;
  std::vector<FakeDialogView> views;
  std::map<uint16_t, std::deque<Script>> scripts;
  std::map<uint16_t, Script> before;
};

// Runs property sheets on fake page views. A page is created (initialised)
// when it first becomes current, as the system's sheet does. A script per
// sheet run plays the user; requests the sheet posts itself are delivered
// after the script, and a sheet the script leaves open is cancelled.
class FakeSheetRunner : public PropertySheetRunner {
 public:
  struct Run : SheetControl {
    PropertySheetPresenter *sheet = nullptr;
    uintptr_t parent = 0;
    std::vector<SheetPage> pages;
    std::vector<std::unique_ptr<FakeDialogView>> views;
    std::vector<bool> created;
    int active = -1;
    enum End { kOpen, kOk, kCancel } end = kOpen;
    bool hidden = false;
    int applies = 0;
    int waitCursors = 0, waitDepth = 0;
    std::deque<int> requests;
    std::map<PagePresenter *, bool> modified;

    FakeDialogView &View(int page) { return *views[page]; }
    PagePresenter &Page(int page) { return *pages[page].presenter; }
    void Create(int page) {
      if (created[page]) return;
      created[page] = true;
      views[page]->presenter = pages[page].presenter;
      pages[page].presenter->AttachSheet(this);
      pages[page].presenter->OnInitDialog(*views[page]);
      views[page]->Drain();
    }
    void SetActivePage(int index) override {
      if (index < 0 || index >= static_cast<int>(pages.size())) return;
      Create(index);
      active = index;
      pages[index].presenter->OnSetActive(*views[index]);
    }
    bool ApplyAll() {
      ++applies;
      bool ok = true;
      for (size_t i = 0; i < pages.size(); ++i)
        if (created[i] && !pages[i].presenter->OnApply(*views[i])) ok = false;
      return ok;
    }
    void PressApply() override { ApplyAll(); }
    void PressOk() override {
      if (end == kOpen && ApplyAll()) end = kOk;
    }
    void PressCancel() {
      if (end != kOpen) return;
      for (size_t i = 0; i < pages.size(); ++i)
        if (created[i]) pages[i].presenter->OnCancel(*views[i]);
      end = kCancel;
    }
    void Hide() override { hidden = true; }
    void PostRequest(int code) override { requests.push_back(code); }
    uintptr_t Parent() override { return parent; }
    void SetWaitCursor(bool wait) override {
      waitDepth += wait ? 1 : -1;
      if (wait) ++waitCursors;
    }
    void PageModified(PagePresenter &page, bool m) override { modified[&page] = m; }
    std::vector<uint16_t> Templates() const {
      std::vector<uint16_t> out;
      for (auto &p : pages) out.push_back(p.templateId);
      return out;
    }
    uint16_t ActiveTemplate() const { return active < 0 ? 0 : pages[active].templateId; }
  };
  using Script = std::function<void(Run &)>;

  bool RunModal(PropertySheetPresenter &sheet, uintptr_t parent) override {
    auto run = std::make_shared<Run>();
    runs.push_back(run);
    run->sheet = &sheet;
    run->parent = parent;
    run->pages = sheet.Pages();
    captions.push_back(sheet.CaptionString());
    for (size_t i = 0; i < run->pages.size(); ++i) {
      run->views.push_back(std::make_unique<FakeDialogView>());
      run->created.push_back(false);
    }
    run->SetActivePage(0);
    sheet.OnInitSheet(*run);
    if (!scripts.empty()) {
      Script script = scripts.front();
      scripts.pop_front();
      script(*run);
    }
    while (!run->requests.empty()) {
      int code = run->requests.front();
      run->requests.pop_front();
      sheet.OnRequest(*run, code);
    }
    if (run->end == Run::kOpen) run->PressCancel();
    for (size_t i = 0; i < run->pages.size(); ++i) {
      if (run->created[i]) run->pages[i].presenter->OnDestroy(*run->views[i]);
      run->views[i]->presenter = nullptr;
      run->pages[i].presenter->AttachSheet(nullptr);
    }
    sheet.OnEnd();
    return run->end == Run::kOk;
  }
  void SetWaitCursor(bool wait) override {
    if (wait) ++waitCursors;
  }

  std::vector<std::shared_ptr<Run>> runs;
  std::vector<uint32_t> captions;
  std::deque<Script> scripts;
  int waitCursors = 0;
};

}  // namespace tolven::dialogs::testing
