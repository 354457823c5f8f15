#include "viewer/app/hotkey_page.h"

#include "viewer/app/preference_ids.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr int kOthers[] = {IDC_HOTKEY_COMMANDS, IDC_HOTKEY_KEY,    IDC_HOTKEY_ASSIGN,
                           IDC_HOTKEY_LIST,     IDC_HOTKEY_REMOVE, IDC_HOTKEY_REMOVE_ALL};
}  // namespace

void CHotkeyPage::EnableControls(PageView &view, bool enabled) {
  for (int control : kOthers) view.EnableControl(control, enabled);
}

WString CHotkeyPage::Line(int32_t command, uint32_t value) {
  WString line = bindings_.KeyText(value) + u" = " + CHotkeyBindings::CommandText(command);
  // Only a registration that was tried and refused is marked; a binding
  // applied while hotkeys are off is simply stored.
  if (bindings_.Registered() && bindings_.Refused(command)) line += ViewerStrings::Text(kStrHotkeyInUse);
  return line;
}

void CHotkeyPage::FillList(PageView &view) {
  view.ClearItems(IDC_HOTKEY_LIST);
  bool anyRefused = false;
  for (int32_t i = 0; i < view.ItemCount(IDC_HOTKEY_COMMANDS); ++i) {
    const uint32_t value = static_cast<uint32_t>(view.ItemData(IDC_HOTKEY_COMMANDS, i));
    if (value == 0) continue;
    view.AddItem(IDC_HOTKEY_LIST, Line(i, value), static_cast<uintptr_t>(i));
    anyRefused = anyRefused || (bindings_.Registered() && bindings_.Refused(i));
  }
  view.SetText(IDC_HOTKEY_NOTE, anyRefused ? ViewerStrings::Text(kStrHotkeyInUseNote) : WString());
  view.ShowControl(IDC_HOTKEY_NOTE, anyRefused);
}

void CHotkeyPage::OnInit(PageView &view) {
  view.SetChecked(IDC_HOTKEY_ENABLE, settings_.enableHotkeys);
  EnableControls(view, settings_.enableHotkeys);
  view.ClearItems(IDC_HOTKEY_COMMANDS);
  for (int32_t i = 0; i < kHotkeyCommandCount; ++i)
    view.AddItem(IDC_HOTKEY_COMMANDS, CHotkeyBindings::CommandText(i), bindings_.VirtualKey(i));
  view.Select(IDC_HOTKEY_COMMANDS, 0);
  FillList(view);
  view.Focus(IDC_HOTKEY_KEY);
  modified_ = false;
}

void CHotkeyPage::Modify(PageView &view) {
  modified_ = true;
  view.MarkModified();
}

void CHotkeyPage::Assign(PageView &view) {
  const uint32_t value = view.HotkeyValue(IDC_HOTKEY_KEY);
  if (value == 0) {
    view.Focus(IDC_HOTKEY_KEY);
    return;
  }
  const int count = view.ItemCount(IDC_HOTKEY_COMMANDS);
  for (int i = 0; i < count; ++i)
    if (view.ItemData(IDC_HOTKEY_COMMANDS, i) == value) return;  // bound to a command already
  const int command = view.Selection(IDC_HOTKEY_COMMANDS);
  if (command >= 0 && command < count && view.ItemData(IDC_HOTKEY_COMMANDS, command) == 0) {
    view.SetItemData(IDC_HOTKEY_COMMANDS, command, value);
    view.AddItem(IDC_HOTKEY_LIST, bindings_.KeyText(value) + u" = " + CHotkeyBindings::CommandText(command),
                 static_cast<uintptr_t>(command));
    Modify(view);
  }
  view.Focus(IDC_HOTKEY_KEY);
}

void CHotkeyPage::OnCommand(PageView &view, int control, int notification) {
  switch (control) {
    case IDC_HOTKEY_ASSIGN:
      if (notification == kButtonClicked) Assign(view);
      break;
    case IDC_HOTKEY_REMOVE: {
      if (notification != kButtonClicked) break;
      const int line = view.Selection(IDC_HOTKEY_LIST);
      if (line < 0) break;
      const int command = static_cast<int>(view.ItemData(IDC_HOTKEY_LIST, line));
      view.DeleteItem(IDC_HOTKEY_LIST, line);
      view.SetItemData(IDC_HOTKEY_COMMANDS, command, 0);
      Modify(view);
      break;
    }
    case IDC_HOTKEY_REMOVE_ALL:
      if (notification != kButtonClicked) break;
      view.ClearItems(IDC_HOTKEY_LIST);
      for (int i = 0; i < view.ItemCount(IDC_HOTKEY_COMMANDS); ++i) view.SetItemData(IDC_HOTKEY_COMMANDS, i, 0);
      Modify(view);
      break;
    case IDC_HOTKEY_ENABLE:
      if (notification != kButtonClicked) break;
      EnableControls(view, view.Checked(IDC_HOTKEY_ENABLE));
      Modify(view);
      break;
    case IDC_HOTKEY_COMMANDS:
      if (notification == kComboCloseUp) view.Focus(IDC_HOTKEY_KEY);
      break;
    default:
      break;
  }
}

void CHotkeyPage::OnApply(PageView &view) {
  if (!modified_) return;
  settings_.enableHotkeys = view.Checked(IDC_HOTKEY_ENABLE);
  settings_.Store(u"Enable hotkeys", settings_.enableHotkeys ? 1 : 0);
  for (int i = 0; i < view.ItemCount(IDC_HOTKEY_COMMANDS); ++i)
    bindings_.Store(i, static_cast<uint32_t>(view.ItemData(IDC_HOTKEY_COMMANDS, i)));
  bindings_.Unregister(window_);
  bindings_.Register(window_, settings_.enableHotkeys);
  // The list now tells which combinations the system refused.
  FillList(view);
  modified_ = false;
}

}  // namespace tolven::viewer
