// The Hotkeys page: initialisation, the refusal rules of Assign, Remove and
// Remove All, the check box, and applying (stored bindings, registration,
// a refused combination reported on the page).
#include <gtest/gtest.h>

#include "platform/hotkeys/emulated_system_hotkeys.h"
#include "platform/registry/emulated_registry.h"
#include "viewer/app/hotkey_page.h"
#include "viewer/app/preference_ids.h"
#include "viewer/tests/fake_page_view.h"

namespace tolven::viewer::testing {
namespace {

constexpr hk::Window kMain = 0x55;

struct HotkeyPage : ::testing::Test {
  void Open(bool enabled) {
    settings.enableHotkeys = enabled;
    page.OnInit(view);
  }
  void Assign(int command, uint32_t value) {
    view.Select(IDC_HOTKEY_COMMANDS, command);
    view.hotkey = value;
    page.OnCommand(view, IDC_HOTKEY_ASSIGN, kButtonClicked);
  }
  uint32_t Bound(int command) { return static_cast<uint32_t>(view.ItemData(IDC_HOTKEY_COMMANDS, command)); }
  int64_t StoredEnable() {
    reg::Key key = 0;
    if (registry.OpenKey(reg::kCurrentUser, kViewerAppKey, reg::kRead, &key) != 0) return -1;
    uint32_t type = 0, value = 0, size = sizeof(value);
    const bool ok = registry.QueryValue(key, u"Enable hotkeys", &type, &value, &size) == 0;
    registry.CloseKey(key);
    return ok ? static_cast<int64_t>(value) : -1;
  }

  reg::EmulatedRegistry registry;
  hk::EmulatedSystemHotkeys system;
  CViewerSettings settings{registry};
  CHotkeyBindings bindings{registry, system};
  CHotkeyPage page{bindings, settings, kMain};
  FakePageView view;
};

TEST_F(HotkeyPage, OpensWithTheCommandsTheStoredBindingsAndTheFocusOnTheKey) {
  bindings.Store(1, kHotkeyControl | 'D');
  bindings.Store(7, 'R');
  Open(true);
  ASSERT_EQ(view.ItemCount(IDC_HOTKEY_COMMANDS), 9);
  EXPECT_EQ(view.ItemText(IDC_HOTKEY_COMMANDS, 0), u"Increase volume");
  EXPECT_EQ(view.ItemText(IDC_HOTKEY_COMMANDS, 8), u"Maximize/restore ");
  EXPECT_EQ(Bound(1), kHotkeyControl | 'D');
  EXPECT_EQ(Bound(0), 0u);
  EXPECT_EQ(view.Selection(IDC_HOTKEY_COMMANDS), 0);
  EXPECT_EQ(view.Texts(IDC_HOTKEY_LIST),
            (std::vector<WString>{u"Ctrl + D = Decrease volume", u"R = Hide/show remote controls"}));
  EXPECT_EQ(view.ItemData(IDC_HOTKEY_LIST, 1), 7u);
  EXPECT_EQ(view.focus, IDC_HOTKEY_KEY);
  EXPECT_TRUE(view.checked[IDC_HOTKEY_ENABLE]);
  EXPECT_TRUE(view.Enabled(IDC_HOTKEY_ASSIGN));
  EXPECT_FALSE(view.shown[IDC_HOTKEY_NOTE]);
  EXPECT_EQ(view.modifiedMarks, 0);
}

TEST_F(HotkeyPage, WithHotkeysOffEveryOtherControlIsDisabledAndTheBoxEnablesThem) {
  Open(false);
  for (int control : {IDC_HOTKEY_COMMANDS, IDC_HOTKEY_KEY, IDC_HOTKEY_ASSIGN, IDC_HOTKEY_LIST, IDC_HOTKEY_REMOVE,
                      IDC_HOTKEY_REMOVE_ALL})
    EXPECT_FALSE(view.Enabled(control)) << control;
  EXPECT_TRUE(view.Enabled(IDC_HOTKEY_ENABLE));
  view.checked[IDC_HOTKEY_ENABLE] = true;
  page.OnCommand(view, IDC_HOTKEY_ENABLE, kButtonClicked);
  EXPECT_TRUE(view.Enabled(IDC_HOTKEY_REMOVE_ALL));
  EXPECT_TRUE(page.Modified());
  EXPECT_EQ(view.modifiedMarks, 1);
}

TEST_F(HotkeyPage, AssignBindsTheSelectedCommandAndAddsItsLine) {
  Open(true);
  Assign(4, kHotkeyControl | kHotkeyShift | 'M');
  EXPECT_EQ(Bound(4), kHotkeyControl | kHotkeyShift | 'M');
  EXPECT_EQ(view.Texts(IDC_HOTKEY_LIST), (std::vector<WString>{u"Ctrl + Shift + M = Mute volume"}));
  EXPECT_EQ(view.ItemData(IDC_HOTKEY_LIST, 0), 4u);
  EXPECT_TRUE(page.Modified());
  EXPECT_EQ(view.focus, IDC_HOTKEY_KEY);
}

TEST_F(HotkeyPage, AssigningACombinationBoundToAnotherCommandChangesNothing) {
  Open(true);
  Assign(0, 'U');
  const int marks = view.modifiedMarks;
  Assign(1, 'U');
  EXPECT_EQ(Bound(1), 0u);
  EXPECT_EQ(view.ItemCount(IDC_HOTKEY_LIST), 1);
  EXPECT_EQ(view.modifiedMarks, marks);
}

TEST_F(HotkeyPage, AssigningToABoundCommandChangesNothingUntilItsLineIsRemoved) {
  Open(true);
  Assign(2, 'N');
  Assign(2, 'X');
  EXPECT_EQ(Bound(2), static_cast<uint32_t>('N'));
  EXPECT_EQ(view.ItemCount(IDC_HOTKEY_LIST), 1);
  view.Select(IDC_HOTKEY_LIST, 0);
  page.OnCommand(view, IDC_HOTKEY_REMOVE, kButtonClicked);
  EXPECT_EQ(Bound(2), 0u);
  EXPECT_EQ(view.ItemCount(IDC_HOTKEY_LIST), 0);
  Assign(2, 'X');
  EXPECT_EQ(Bound(2), static_cast<uint32_t>('X'));
}

TEST_F(HotkeyPage, AnEmptyKeyOnlyRefocuses) {
  Open(true);
  view.focus = IDC_HOTKEY_ASSIGN;
  Assign(0, 0);
  EXPECT_EQ(Bound(0), 0u);
  EXPECT_EQ(view.focus, IDC_HOTKEY_KEY);
  EXPECT_FALSE(page.Modified());
}

TEST_F(HotkeyPage, RemoveWithoutASelectedLineDoesNothing) {
  Open(true);
  Assign(0, 'U');
  view.selection[IDC_HOTKEY_LIST] = -1;
  page.OnApply(view);  // clears the modified state
  page.OnCommand(view, IDC_HOTKEY_REMOVE, kButtonClicked);
  EXPECT_FALSE(page.Modified());
  EXPECT_EQ(Bound(0), static_cast<uint32_t>('U'));
}

TEST_F(HotkeyPage, RemoveAllEmptiesTheListAndEveryBinding) {
  bindings.Store(0, 'U');
  bindings.Store(8, 'F');
  Open(true);
  page.OnCommand(view, IDC_HOTKEY_REMOVE_ALL, kButtonClicked);
  EXPECT_EQ(view.ItemCount(IDC_HOTKEY_LIST), 0);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(Bound(i), 0u);
  page.OnApply(view);
  EXPECT_EQ(bindings.VirtualKey(0), 0u);
  EXPECT_EQ(bindings.VirtualKey(8), 0u);
}

TEST_F(HotkeyPage, ClosingTheCommandListMovesTheFocusToTheKey) {
  Open(true);
  view.focus = IDC_HOTKEY_COMMANDS;
  page.OnCommand(view, IDC_HOTKEY_COMMANDS, kComboSelChange);
  EXPECT_EQ(view.focus, IDC_HOTKEY_COMMANDS);
  page.OnCommand(view, IDC_HOTKEY_COMMANDS, kComboCloseUp);
  EXPECT_EQ(view.focus, IDC_HOTKEY_KEY);
}

TEST_F(HotkeyPage, ApplyWithoutChangesStoresNothing) {
  Open(true);
  page.OnApply(view);
  EXPECT_EQ(StoredEnable(), -1);
  EXPECT_FALSE(bindings.Registered());
}

TEST_F(HotkeyPage, ApplyStoresEveryCommandAndTheSwitchAndRegistersAgain) {
  bindings.Store(0, 'U');
  Open(true);
  bindings.Register(kMain, true);
  const int32_t oldId = system.IdOf(0, 'U');
  Assign(5, kHotkeyAlt | 'S');
  page.OnApply(view);
  EXPECT_EQ(StoredEnable(), 1);
  EXPECT_TRUE(settings.enableHotkeys);
  EXPECT_EQ(bindings.VirtualKey(5), kHotkeyAlt | 'S');
  for (int i = 0; i < 9; ++i) {
    reg::Key key = 0;
    EXPECT_EQ(registry.OpenKey(reg::kCurrentUser, WString(kHotkeysKey) + u"\\" + static_cast<char16_t>(u'0' + i),
                               reg::kRead, &key),
              0u)
        << "subkey " << i;
    registry.CloseKey(key);
  }
  EXPECT_EQ(system.Registrations().size(), 2u);
  EXPECT_EQ(system.IdOf(0, 'U'), oldId);  // the same atom name gives the same atom
  EXPECT_NE(system.IdOf(hk::kModAlt, 'S'), 0);
  EXPECT_FALSE(page.Modified());
}

TEST_F(HotkeyPage, SwitchingHotkeysOffUnregistersButKeepsTheBindings) {
  bindings.Store(0, 'U');
  Open(true);
  bindings.Register(kMain, true);
  view.checked[IDC_HOTKEY_ENABLE] = false;
  page.OnCommand(view, IDC_HOTKEY_ENABLE, kButtonClicked);
  page.OnApply(view);
  EXPECT_EQ(StoredEnable(), 0);
  EXPECT_TRUE(system.Registrations().empty());
  EXPECT_EQ(bindings.VirtualKey(0), static_cast<uint32_t>('U'));
}

TEST_F(HotkeyPage, ACombinationTheSystemRefusesIsReportedOnThePage) {
  system.Take(hk::kModControl, 'M');
  Open(true);
  Assign(4, kHotkeyControl | 'M');
  Assign(0, 'U');
  page.OnApply(view);
  EXPECT_EQ(view.Texts(IDC_HOTKEY_LIST),
            (std::vector<WString>{u"U = Increase volume", u"Ctrl + M = Mute volume (in use)"}));
  EXPECT_TRUE(view.shown[IDC_HOTKEY_NOTE]);
  EXPECT_FALSE(view.texts[IDC_HOTKEY_NOTE].empty());
  // Opening the page again still tells.
  FakePageView again;
  page.OnInit(again);
  EXPECT_EQ(again.ItemText(IDC_HOTKEY_LIST, 1), u"Ctrl + M = Mute volume (in use)");
  // Once the other program lets go and the page is applied, the mark goes.
  system = hk::EmulatedSystemHotkeys();
  again.checked[IDC_HOTKEY_ENABLE] = true;
  page.OnCommand(again, IDC_HOTKEY_ENABLE, kButtonClicked);
  page.OnApply(again);
  EXPECT_EQ(again.ItemText(IDC_HOTKEY_LIST, 1), u"Ctrl + M = Mute volume");
  EXPECT_FALSE(again.shown[IDC_HOTKEY_NOTE]);
}

}  // namespace
}  // namespace tolven::viewer::testing
