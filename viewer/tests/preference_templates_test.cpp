// The preferences pages' templates: each control's text and id as the
// program's pages expect them, the captions, and both languages of the
// resource script drawing on the one template file.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "viewer/app/preference_ids.h"

namespace {

std::string Read(const char *path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text of the control with this id (by its symbolic name) in a template line.
std::string ControlText(const std::string &dlg, const std::string &symbol) {
  const std::regex line("\"([^\"]*)\",\\s*" + symbol + "\\s*,");
  std::smatch m;
  return std::regex_search(dlg, m, line) ? m[1].str() : "<missing>";
}

TEST(PreferenceTemplates, SettingsPageControls) {
  const std::string dlg = Read(TOLVEN_PREFERENCES_DLG);
  ASSERT_FALSE(dlg.empty());
  EXPECT_EQ(ControlText(dlg, "IDC_SET_HIDE_BORDERS"), "Hide &Borders when Maximized");
  EXPECT_EQ(ControlText(dlg, "IDC_SET_HIDE_MAX"), "Hide  Remote &Controls on Maximization");
  EXPECT_EQ(ControlText(dlg, "IDC_SET_ASPECT_RATIO"), "Maintain Aspect &Ratio");
  EXPECT_EQ(ControlText(dlg, "IDC_SET_LAUNCH_BAR"), "&Place Icon on Launch Bar");
  EXPECT_EQ(ControlText(dlg, "IDC_SET_SCREENSAVER"), "&Disable Screensaver");
  EXPECT_EQ(ControlText(dlg, "IDC_SET_MASTER_VOLUME"), "Enable Master &Volume Control");
  EXPECT_NE(dlg.find("COMBOBOX        IDC_SET_ASPECT_TYPES"), std::string::npos);
  EXPECT_NE(dlg.find("IDD_SETTINGS DIALOGEX"), std::string::npos);
  EXPECT_NE(dlg.find("CAPTION \"Settings\""), std::string::npos);
}

TEST(PreferenceTemplates, HotkeysPageControls) {
  const std::string dlg = Read(TOLVEN_PREFERENCES_DLG);
  EXPECT_EQ(ControlText(dlg, "IDC_HOTKEY_ASSIGN"), "Assign");
  EXPECT_EQ(ControlText(dlg, "IDC_HOTKEY_REMOVE"), "Remove");
  EXPECT_EQ(ControlText(dlg, "IDC_HOTKEY_REMOVE_ALL"), "Remove All");
  EXPECT_EQ(ControlText(dlg, "IDC_HOTKEY_ENABLE"), "Enable Hotkeys");
  EXPECT_NE(dlg.find("\"Shortcut Commands:\""), std::string::npos);
  EXPECT_NE(dlg.find("\"Press New Shortcut Key:\""), std::string::npos);
  EXPECT_NE(dlg.find("\"Currently Assigned Keys:\""), std::string::npos);
  EXPECT_NE(dlg.find("IDC_HOTKEY_KEY, HOTKEY_CLASS"), std::string::npos);
  EXPECT_NE(dlg.find("COMBOBOX        IDC_HOTKEY_COMMANDS"), std::string::npos);
  EXPECT_NE(dlg.find("LISTBOX         IDC_HOTKEY_LIST"), std::string::npos);
  EXPECT_NE(dlg.find("IDD_HOTKEYS DIALOGEX"), std::string::npos);
  EXPECT_NE(dlg.find("CAPTION \"Hotkeys\""), std::string::npos);
}

TEST(PreferenceTemplates, TheIdsAreTheProgramsOwn) {
  EXPECT_EQ(IDD_HOTKEYS, 107);
  EXPECT_EQ(IDD_SETTINGS, 108);
  EXPECT_EQ(IDC_HOTKEY_COMMANDS, 246);
  EXPECT_EQ(IDC_HOTKEY_KEY, 235);
  EXPECT_EQ(IDC_HOTKEY_ASSIGN, 239);
  EXPECT_EQ(IDC_HOTKEY_LIST, 237);
  EXPECT_EQ(IDC_HOTKEY_ENABLE, 238);
  EXPECT_EQ(IDC_HOTKEY_REMOVE, 1074);
  EXPECT_EQ(IDC_HOTKEY_REMOVE_ALL, 241);
  EXPECT_EQ(IDC_SET_HIDE_BORDERS, 1030);
  EXPECT_EQ(IDC_SET_HIDE_MAX, 1039);
  EXPECT_EQ(IDC_SET_ASPECT_RATIO, 1035);
  EXPECT_EQ(IDC_SET_ASPECT_TYPES, 1103);
  EXPECT_EQ(IDC_SET_LAUNCH_BAR, 1032);
  EXPECT_EQ(IDC_SET_SCREENSAVER, 1034);
  EXPECT_EQ(IDC_SET_MASTER_VOLUME, 1077);
}

TEST(PreferenceTemplates, BothLanguagesUseTheOneTemplateFile) {
  const std::string rc = Read(TOLVEN_VIEWER_RC);
  const std::string include = "#include \"viewer/win32/preferences.dlg\"";
  const size_t us = rc.find("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US");
  const size_t uk = rc.find("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_UK");
  ASSERT_NE(us, std::string::npos);
  ASSERT_NE(uk, std::string::npos);
  const size_t first = rc.find(include, us);
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(first, uk);
  EXPECT_NE(rc.find(include, uk), std::string::npos);
}

}  // namespace
