// The hotkeys' stored bindings, key texts, registration with the system
// (atoms, modifiers, refusals) and unregistration.
#include <gtest/gtest.h>

#include "platform/hotkeys/emulated_system_hotkeys.h"
#include "platform/registry/emulated_registry.h"
#include "viewer/app/hotkey_bindings.h"

namespace tolven::viewer::testing {
namespace {

constexpr hk::Window kMain = 0x55;
constexpr uint32_t kF5 = 0x74;

struct Bindings : ::testing::Test {
  int64_t Get(int32_t command, const char16_t *name) {
    reg::Key key = 0;
    const WString path = WString(kHotkeysKey) + u"\\" + static_cast<char16_t>(u'0' + command);
    if (registry.OpenKey(reg::kCurrentUser, path, reg::kRead, &key) != 0) return -1;
    uint32_t type = 0, value = 0, size = sizeof(value);
    const bool ok = registry.QueryValue(key, name, &type, &value, &size) == 0 && type == reg::kDword &&
                    size == sizeof(value);
    registry.CloseKey(key);
    return ok ? static_cast<int64_t>(value) : -1;
  }

  reg::EmulatedRegistry registry;
  hk::EmulatedSystemHotkeys system;
  CHotkeyBindings bindings{registry, system};
};

TEST_F(Bindings, TheNineCommandsInTheirOrder) {
  const char16_t *expected[] = {u"Increase volume", u"Decrease volume", u"Next channel",
                                u"Previous channel", u"Mute volume", u"Next-source",
                                u"Prev-source", u"Hide/show remote controls", u"Maximize/restore "};
  for (int32_t i = 0; i < kHotkeyCommandCount; ++i) EXPECT_EQ(CHotkeyBindings::CommandText(i), expected[i]) << i;
  EXPECT_EQ(CHotkeyBindings::CommandText(9), u"");
}

TEST_F(Bindings, StoringWritesEveryValueOfTheCommandsSubkeyAsDwords) {
  bindings.Store(3, kHotkeyControl | kHotkeyAlt | kHotkeyExtended | 'P');
  EXPECT_EQ(Get(3, u"Hotkey"), 3);
  EXPECT_EQ(Get(3, u"VirtualKey"), 0xE00 | 'P');
  EXPECT_EQ(Get(3, u"Alt"), 1);
  EXPECT_EQ(Get(3, u"Control"), 1);
  EXPECT_EQ(Get(3, u"Win"), 1);
  EXPECT_EQ(Get(3, u"Shift"), 0);
  EXPECT_EQ(Get(3, u"HotKeyAtom"), -1);
  EXPECT_EQ(bindings.VirtualKey(3), 0xE00u | 'P');
  EXPECT_EQ(bindings.VirtualKey(4), 0u);  // never stored
}

TEST_F(Bindings, KeyTextNamesControlShiftAltThenTheKey) {
  EXPECT_EQ(bindings.KeyText(kHotkeyAlt | kHotkeyShift | kHotkeyControl | kF5), u"Ctrl + Shift + Alt + F5");
  EXPECT_EQ(bindings.KeyText(kHotkeyShift | 'A'), u"Shift + A");
  EXPECT_EQ(bindings.KeyText('7'), u"7");
  // The extended flag has no name of its own; it tells Page Up from the keypad's 9.
  EXPECT_EQ(bindings.KeyText(kHotkeyControl | kHotkeyExtended | 0x21), u"Ctrl + Page Up");
  EXPECT_EQ(bindings.KeyText(0x21), u"Num 9");
}

TEST_F(Bindings, WithHotkeysOffNothingIsRegisteredButTheBindingsStayStored) {
  bindings.Store(0, kHotkeyControl | kF5);
  bindings.Register(kMain, false);
  EXPECT_FALSE(bindings.Registered());
  EXPECT_TRUE(system.Registrations().empty());
  EXPECT_EQ(system.AtomCount(), 0u);
  EXPECT_EQ(bindings.VirtualKey(0), kHotkeyControl | kF5);
}

TEST_F(Bindings, RegisteringUsesTheCommandsAtomAndTheStoredModifiers) {
  bindings.Store(3, kHotkeyControl | kHotkeyShift | kHotkeyAlt | kHotkeyExtended | kF5);
  bindings.Store(5, 'N');
  bindings.Store(6, 0);  // unbound: skipped
  bindings.Register(kMain, true);
  ASSERT_TRUE(bindings.Registered());
  ASSERT_EQ(system.Registrations().size(), 2u);
  const uint32_t all = hk::kModAlt | hk::kModControl | hk::kModShift;  // "Win" is the extended flag
  const int32_t id3 = system.IdOf(all, kF5);
  ASSERT_NE(id3, 0);
  EXPECT_EQ(system.AtomName(static_cast<hk::Atom>(id3)), u"Varn Viewer 3");
  EXPECT_EQ(Get(3, u"HotKeyAtom"), id3);
  EXPECT_EQ(system.Registrations().at({all, kF5}).window, kMain);
  const int32_t id5 = system.IdOf(0, 'N');
  EXPECT_EQ(system.AtomName(static_cast<hk::Atom>(id5)), u"Varn Viewer 5");
  EXPECT_EQ(Get(6, u"HotKeyAtom"), -1);
  EXPECT_EQ(bindings.CommandFor(static_cast<uint32_t>(id3)), 3);
  EXPECT_EQ(bindings.CommandFor(static_cast<uint32_t>(id5)), 5);
  EXPECT_EQ(bindings.CommandFor(0x1234), -1);
  EXPECT_EQ(bindings.CommandFor(0), -1);
}

TEST_F(Bindings, AnExtendedKeyAnswersWithoutTheWindowsKey) {
  // Ctrl+Page Up as the hotkey control gives it: the extended flag is set.
  bindings.Store(kHotkeyChannelUp, kHotkeyControl | kHotkeyExtended | 0x21);
  EXPECT_EQ(Get(kHotkeyChannelUp, u"Win"), 1);  // stored as it always was
  bindings.Register(kMain, true);
  EXPECT_NE(system.IdOf(hk::kModControl, 0x21), 0);
  EXPECT_EQ(system.IdOf(hk::kModControl | hk::kModWin, 0x21), 0);
}

TEST_F(Bindings, ASecondRegistrationWaitsForUnregistering) {
  bindings.Store(0, 'V');
  bindings.Register(kMain, true);
  const uint32_t atoms = static_cast<uint32_t>(system.AtomCount());
  bindings.Register(kMain, true);
  EXPECT_EQ(system.AtomCount(), atoms);
  EXPECT_FALSE(bindings.Refused(0));
}

TEST_F(Bindings, ACombinationTheSystemRefusesIsStoredWithAtomZeroAndRemembered) {
  system.Take(hk::kModControl, 'M');
  bindings.Store(4, kHotkeyControl | 'M');
  bindings.Store(0, kHotkeyControl | 'U');
  bindings.Register(kMain, true);
  EXPECT_EQ(Get(4, u"HotKeyAtom"), 0);
  EXPECT_TRUE(bindings.Refused(4));
  EXPECT_FALSE(bindings.Refused(0));
  EXPECT_EQ(system.AtomCount(), 1u);  // the refused one's atom was deleted
  EXPECT_NE(Get(0, u"HotKeyAtom"), 0);
}

TEST_F(Bindings, UnregisteringReleasesEveryHotkeyAndAtomAndZeroesTheAtoms) {
  bindings.Store(1, 'D');
  bindings.Store(2, 'C');
  bindings.Register(kMain, true);
  const int32_t id1 = system.IdOf(0, 'D');
  bindings.Unregister(kMain);
  EXPECT_FALSE(bindings.Registered());
  EXPECT_TRUE(system.Registrations().empty());
  EXPECT_EQ(system.AtomCount(), 0u);
  EXPECT_EQ(Get(1, u"HotKeyAtom"), 0);
  EXPECT_EQ(Get(2, u"HotKeyAtom"), 0);
  EXPECT_EQ(bindings.CommandFor(static_cast<uint32_t>(id1)), -1);
  // Registered again afterwards.
  bindings.Register(kMain, true);
  EXPECT_EQ(system.Registrations().size(), 2u);
}

TEST_F(Bindings, AnAtomLeftByACrashedSessionOnAnUnboundCommandDoesNotCatchAnotherCommandsKey) {
  bindings.Store(1, 0);
  reg::Key key = 0;
  ASSERT_EQ(registry.OpenKey(reg::kCurrentUser, WString(kHotkeysKey) + u"\\1", reg::kAllAccess, &key), 0u);
  reg::SetDword(registry, key, u"HotKeyAtom", 0xC000);
  registry.CloseKey(key);
  bindings.Store(5, 'N');
  bindings.Register(kMain, true);
  const int32_t id = system.IdOf(0, 'N');
  ASSERT_EQ(id, 0xC000);  // the number the stale value holds
  EXPECT_EQ(Get(1, u"HotKeyAtom"), 0);
  EXPECT_EQ(bindings.CommandFor(static_cast<uint32_t>(id)), 5);
}

TEST_F(Bindings, UnregisteringWhenNotRegisteredTouchesNothing) {
  bindings.Store(1, 'D');
  reg::Key key = 0;
  ASSERT_EQ(registry.OpenKey(reg::kCurrentUser, WString(kHotkeysKey) + u"\\1", reg::kAllAccess, &key), 0u);
  reg::SetDword(registry, key, u"HotKeyAtom", 0xC123);  // left by a crashed session
  registry.CloseKey(key);
  bindings.Unregister(kMain);
  EXPECT_EQ(Get(1, u"HotKeyAtom"), 0xC123);
}

}  // namespace
}  // namespace tolven::viewer::testing
