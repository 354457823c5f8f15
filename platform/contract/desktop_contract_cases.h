// Contract cases of the hotkey, screensaver and shell-link ports, written
// once and instantiated for each adapter: natively over the emulated ones,
// under Wine over the Win32 ones. A Desk gives the adapters and what a case
// needs to look at the outcome:
//   hk::SystemHotkeys &Hotkeys();  hk::Window WindowA(), WindowB();
//   desk::Screensaver &Screensaver();  bool ScreensaverActive();
//   lnk::ShellLinks &Links();  WString Folder();  bool LinkExists(const WString &path);
#pragma once
#include <gtest/gtest.h>

#include "platform/hotkeys/system_hotkeys.h"
#include "platform/screensaver/screensaver.h"
#include "platform/shelllink/shell_links.h"

namespace tolven::contract {

template <typename Desk>
class DesktopContract : public ::testing::Test {
 protected:
  Desk desk;
};

TYPED_TEST_SUITE_P(DesktopContract);

TYPED_TEST_P(DesktopContract, AnAtomIsNamedOnceAndTheSameNameGivesItAgain) {
  hk::SystemHotkeys &h = this->desk.Hotkeys();
  const hk::Atom a = h.AddGlobalAtom(u"Varn Viewer contract 1");
  const hk::Atom b = h.AddGlobalAtom(u"Varn Viewer contract 1");
  const hk::Atom c = h.AddGlobalAtom(u"Varn Viewer contract 2");
  EXPECT_GE(a, 0xC000);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  h.DeleteGlobalAtom(a);
  h.DeleteGlobalAtom(b);
  h.DeleteGlobalAtom(c);
}

TYPED_TEST_P(DesktopContract, ACombinationBelongsToOneRegistrationAtATime) {
  hk::SystemHotkeys &h = this->desk.Hotkeys();
  const uint32_t mods = hk::kModControl | hk::kModAlt | hk::kModShift;
  const uint32_t key = 0x7B;  // F12
  ASSERT_TRUE(h.Register(this->desk.WindowA(), 0xC101, mods, key));
  EXPECT_FALSE(h.Register(this->desk.WindowB(), 0xC102, mods, key));  // held by the other window
  EXPECT_FALSE(h.Register(this->desk.WindowA(), 0xC103, mods, key));
  EXPECT_TRUE(h.Register(this->desk.WindowA(), 0xC104, mods, 0x7A));  // another key is free
  EXPECT_TRUE(h.Unregister(this->desk.WindowA(), 0xC101));
  EXPECT_FALSE(h.Unregister(this->desk.WindowA(), 0xC101));
  EXPECT_TRUE(h.Register(this->desk.WindowB(), 0xC102, mods, key));
  EXPECT_TRUE(h.Unregister(this->desk.WindowB(), 0xC102));
  EXPECT_TRUE(h.Unregister(this->desk.WindowA(), 0xC104));
}

TYPED_TEST_P(DesktopContract, KeysHaveTheirKeyboardNames) {
  hk::SystemHotkeys &h = this->desk.Hotkeys();
  EXPECT_EQ(h.KeyName('A', false), u"A");
  EXPECT_EQ(h.KeyName('7', false), u"7");
  EXPECT_EQ(h.KeyName(0x74, false), u"F5");
  EXPECT_FALSE(h.KeyName(hk::kVkControl, false).empty());
  EXPECT_FALSE(h.KeyName(hk::kVkShift, false).empty());
  EXPECT_FALSE(h.KeyName(hk::kVkMenu, false).empty());
  // Page Up shares its scan code with the keypad's 9.
  EXPECT_FALSE(h.KeyName(0x21, true).empty());
  EXPECT_NE(h.KeyName(0x21, true), h.KeyName(0x21, false));
}

TYPED_TEST_P(DesktopContract, TheScreensaverFlagFollows) {
  desk::Screensaver &s = this->desk.Screensaver();
  EXPECT_TRUE(s.SetActive(false));
  EXPECT_FALSE(this->desk.ScreensaverActive());
  EXPECT_TRUE(s.SetActive(true));
  EXPECT_TRUE(this->desk.ScreensaverActive());
}

TYPED_TEST_P(DesktopContract, AShortcutIsSavedWhereAskedAndNotInAFolderThatDoesNotExist) {
  lnk::ShellLinks &l = this->desk.Links();
  const WString program = l.ProgramPath();
  EXPECT_GT(program.size(), 4u);
  const WString path = this->desk.Folder() + u"\\Contract.LNK";
  EXPECT_TRUE(l.Create(path, program, u"Shortcut to contract"));
  EXPECT_TRUE(this->desk.LinkExists(path));
  const WString nowhere = this->desk.Folder() + u"\\no such folder\\Contract.LNK";
  EXPECT_FALSE(l.Create(nowhere, program, u"Shortcut to contract"));
  EXPECT_FALSE(this->desk.LinkExists(nowhere));
}

REGISTER_TYPED_TEST_SUITE_P(DesktopContract, AnAtomIsNamedOnceAndTheSameNameGivesItAgain,
                            ACombinationBelongsToOneRegistrationAtATime, KeysHaveTheirKeyboardNames,
                            TheScreensaverFlagFollows,
                            AShortcutIsSavedWhereAskedAndNotInAFolderThatDoesNotExist);

}  // namespace tolven::contract
