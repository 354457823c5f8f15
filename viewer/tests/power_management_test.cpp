// The settings' first run, the power-management probe, the screensaver
// option with and without the power-management product, the restore after a
// crashed session, and the quick-launch shortcut.
#include <gtest/gtest.h>

#include <memory>

#include "platform/registry/emulated_registry.h"
#include "platform/screensaver/emulated_screensaver.h"
#include "platform/shelllink/emulated_shell_links.h"
#include "viewer/app/power_management.h"
#include "viewer/app/quick_launch.h"
#include "viewer/app/screensaver_option.h"
#include "viewer/app/viewer_settings.h"

namespace tolven::viewer::testing {
namespace {

struct Power : ::testing::Test {
  // A DWORD under HKEY_CURRENT_USER, the key created when missing.
  void Put(const char16_t *path, const char16_t *name, uint32_t value) {
    reg::Key key = 0;
    ASSERT_EQ(registry.CreateKey(reg::kCurrentUser, path, reg::kAllAccess, &key), 0u);
    reg::SetDword(registry, key, name, value);
    registry.CloseKey(key);
  }
  void MakeKey(const char16_t *path) {
    reg::Key key = 0;
    ASSERT_EQ(registry.CreateKey(reg::kCurrentUser, path, reg::kAllAccess, &key), 0u);
    registry.CloseKey(key);
  }
  bool KeyExists(const char16_t *path) {
    reg::Key key = 0;
    if (registry.OpenKey(reg::kCurrentUser, path, reg::kRead, &key) != 0) return false;
    registry.CloseKey(key);
    return true;
  }
  // The DWORD, or -1 when missing.
  int64_t Get(const char16_t *path, const char16_t *name) {
    reg::Key key = 0;
    if (registry.OpenKey(reg::kCurrentUser, path, reg::kRead, &key) != 0) return -1;
    uint32_t type = 0, value = 0, size = sizeof(value);
    const bool ok = registry.QueryValue(key, name, &type, &value, &size) == 0 && type == reg::kDword;
    registry.CloseKey(key);
    return ok ? static_cast<int64_t>(value) : -1;
  }
  void InstallPowerManagement(uint32_t shutOff, uint32_t standby) {
    MakeKey(kPowerManagementKey);
    Put(kPowerShutOffKey, u"ShutOffEnabled", shutOff);
    Put(kPowerStandbyKey, u"StandbyEnabled", standby);
  }
  // A viewer session's settings and option, made as start-up makes them.
  void Session() {
    option.reset();
    settings = std::make_unique<CViewerSettings>(registry);
    settings->Load();
    option = std::make_unique<CScreensaverOption>(screensaver, registry, *settings);
  }

  reg::EmulatedRegistry registry;
  desk::EmulatedScreensaver screensaver;
  std::unique_ptr<CViewerSettings> settings;
  std::unique_ptr<CScreensaverOption> option;
};

TEST_F(Power, AFirstRunWithoutTheKeyCreatesItAndStartsDockedStandardWithTheDefaultPlaces) {
  ASSERT_FALSE(KeyExists(kViewerAppKey));
  Session();
  EXPECT_TRUE(KeyExists(kViewerAppKey));
  EXPECT_EQ(settings->controlType, 2);
  EXPECT_EQ(settings->main, (ScreenRect{200, 200, 600, 500}));
  EXPECT_EQ(settings->remoteX, 300);
  EXPECT_EQ(settings->remoteY, 300);
  EXPECT_FALSE(settings->screensaver || settings->enableHotkeys || settings->launchBar || settings->masterVolume);
  EXPECT_FALSE(settings->power.present);
  EXPECT_FALSE(settings->quickLaunchAvailable);
  EXPECT_FALSE(settings->FoundSwitchedOffRecord());
}

TEST_F(Power, WithoutThePowerManagementKeysTheOptionChangesOnlyTheScreensaverFlag) {
  Session();
  option->Apply(true);
  EXPECT_FALSE(screensaver.Active());
  option->Restore();
  EXPECT_TRUE(screensaver.Active());
  EXPECT_EQ(screensaver.Calls(), 2);
  EXPECT_FALSE(KeyExists(kPowerShutOffKey));
  EXPECT_FALSE(KeyExists(kPowerStandbyKey));
  EXPECT_FALSE(KeyExists(kPowerManagementKey));
}

TEST_F(Power, WithPowerManagementOnSwitchesStandbyAndShutOffToZeroAndExitWritesTheReadValuesBack) {
  InstallPowerManagement(1, 7);
  Session();
  EXPECT_TRUE(settings->power.present);
  EXPECT_EQ(settings->power.shutOffEnabled, 1u);
  EXPECT_EQ(settings->power.standbyEnabled, 7u);
  option->Apply(true);
  EXPECT_FALSE(screensaver.Active());
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 0);
  EXPECT_EQ(Get(kPowerStandbyKey, u"StandbyEnabled"), 0);
  // The Settings page applied twice with the box ticked keeps the first values.
  option->Apply(true);
  option->Restore();
  EXPECT_TRUE(screensaver.Active());
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 1);
  EXPECT_EQ(Get(kPowerStandbyKey, u"StandbyEnabled"), 7);
}

TEST_F(Power, TheOffOptionStillSetsTheScreensaverActiveAndWritesTheValuesBack) {
  InstallPowerManagement(1, 1);
  Session();
  option->Apply(false);
  EXPECT_TRUE(screensaver.Active());
  EXPECT_EQ(screensaver.Calls(), 1);
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 1);
}

TEST_F(Power, AnUnreadableValueMakesPowerManagementAbsent) {
  MakeKey(kPowerManagementKey);
  Put(kPowerStandbyKey, u"StandbyEnabled", 1);
  MakeKey(kPowerShutOffKey);  // no "ShutOffEnabled"
  Session();
  EXPECT_FALSE(settings->power.present);
  option->Apply(true);
  EXPECT_EQ(Get(kPowerStandbyKey, u"StandbyEnabled"), 1);  // left alone
}

TEST_F(Power, WithoutTheEnableKeyTheProductIsAbsentEvenWithItsValues) {
  Put(kPowerShutOffKey, u"ShutOffEnabled", 1);
  Put(kPowerStandbyKey, u"StandbyEnabled", 1);
  Session();
  EXPECT_FALSE(settings->power.present);
  option->Apply(true);
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 1);
}

TEST_F(Power, AStartAfterACrashRestoresWhatTheCrashedSessionSwitchedOff) {
  InstallPowerManagement(1, 1);
  Session();
  option->Apply(true);
  EXPECT_EQ(Get(kViewerAppKey, kRestoreScreensaver), 1);
  // The session ends without its exit; the product's keys hold its zeros.
  settings.reset();
  option.reset();
  screensaver.Reset(false);

  Session();
  EXPECT_TRUE(settings->FoundSwitchedOffRecord());
  EXPECT_EQ(settings->power.shutOffEnabled, 1u);  // the user's, not the zeros
  EXPECT_EQ(settings->power.standbyEnabled, 1u);
  option->Apply(settings->screensaver);  // start-up: the option is off
  EXPECT_TRUE(screensaver.Active());
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 1);
  EXPECT_EQ(Get(kPowerStandbyKey, u"StandbyEnabled"), 1);
  EXPECT_EQ(Get(kViewerAppKey, kRestoreScreensaver), -1);
  EXPECT_EQ(Get(kViewerAppKey, kRestoreShutOff), -1);
}

TEST_F(Power, ACrashWithTheOptionOnSwitchesOffAgainAndTheNextExitRestoresTheUsersValues) {
  InstallPowerManagement(1, 1);
  Put(kViewerAppKey, u"Screensaver", 1);
  Session();
  option->Apply(settings->screensaver);
  settings.reset();
  option.reset();

  Session();
  option->Apply(settings->screensaver);
  EXPECT_FALSE(screensaver.Active());
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 0);
  option->Restore();
  EXPECT_TRUE(screensaver.Active());
  EXPECT_EQ(Get(kPowerShutOffKey, u"ShutOffEnabled"), 1);
  EXPECT_EQ(Get(kPowerStandbyKey, u"StandbyEnabled"), 1);
  Session();
  EXPECT_FALSE(settings->FoundSwitchedOffRecord());
}

TEST_F(Power, AnOrderlyExitLeavesNoRecord) {
  Session();
  option->Apply(true);
  option->Restore();
  EXPECT_EQ(Get(kViewerAppKey, kRestoreScreensaver), -1);
}

// Quick launch.

void PutString(reg::Registry &registry, const char16_t *value) {
  reg::Key key = 0;
  ASSERT_EQ(registry.CreateKey(reg::kCurrentUser, kMapGroupsKey, reg::kAllAccess, &key), 0u);
  reg::SetString(registry, key, u"Quick Launch", value);
  registry.CloseKey(key);
}

TEST_F(Power, QuickLaunchIsAvailableWhenTheFolderCanBeRead) {
  PutString(registry, u"C:\\Users\\tv\\Quick Launch");
  Session();
  EXPECT_TRUE(settings->quickLaunchAvailable);
  EXPECT_EQ(settings->quickLaunchFolder, u"C:\\Users\\tv\\Quick Launch");
}

TEST_F(Power, AQuickLaunchFolderLongerThan520BytesIsUnavailable) {
  PutString(registry, WString(300, u'x').c_str());
  Session();
  EXPECT_FALSE(settings->quickLaunchAvailable);
}

TEST(QuickLaunchTest, TheShortcutIsNamedAfterTheProgramAndDescribed) {
  lnk::EmulatedShellLinks links(u"D:\\TV\\Viewer.exe");
  EXPECT_EQ(CQuickLaunch::LinkPath(u"C:\\QL"), u"C:\\QL\\Viewer.LNK");
  ASSERT_TRUE(CQuickLaunch::Create(links, u"C:\\QL"));
  ASSERT_EQ(links.Links().count(u"C:\\QL\\Viewer.LNK"), 1u);
  const auto &link = links.Links().at(u"C:\\QL\\Viewer.LNK");
  EXPECT_EQ(link.target, u"D:\\TV\\Viewer.exe");
  EXPECT_EQ(link.description, u"Shortcut to Viewer.exe");
}

TEST(QuickLaunchTest, AnEmptyFolderMakesNothingAndAFailureIsSilent) {
  lnk::EmulatedShellLinks links;
  EXPECT_EQ(CQuickLaunch::LinkPath(u""), u"");
  EXPECT_FALSE(CQuickLaunch::Create(links, u""));
  EXPECT_TRUE(links.Links().empty());
  links.Fail(true);
  EXPECT_FALSE(CQuickLaunch::Create(links, u"C:\\QL"));
}

TEST(ViewerSettingsTest, RatioTypeTwoIsNotTheDefaultRatio) {
  EXPECT_EQ(CViewerSettings::AspectRatioOf(2), 1.333f);
  EXPECT_EQ(CViewerSettings::AspectRatioOf(0), 1.3333f);
  EXPECT_EQ(CViewerSettings::AspectRatioOf(7), 1.3333f);
  EXPECT_NE(CViewerSettings::AspectRatioOf(2), CViewerSettings::AspectRatioOf(0));
}

}  // namespace
}  // namespace tolven::viewer::testing
