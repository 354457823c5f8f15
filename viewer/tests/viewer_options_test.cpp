// The hotkeys and preferences in the running viewer on the virtual card:
// start-up's last step and exit, each hotkey command, the busy flag, the
// preferences sheet and its Settings page.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "driver/control/tests/control_rig.h"
#include "platform/capture/emulated_capture_windows.h"
#include "platform/hotkeys/emulated_system_hotkeys.h"
#include "platform/messagebox/emulated_message_boxes.h"
#include "platform/mixer/emulated_mixer.h"
#include "platform/registry/emulated_registry.h"
#include "platform/screensaver/emulated_screensaver.h"
#include "platform/shelllink/emulated_shell_links.h"
#include "viewer/app/preference_ids.h"
#include "viewer/app/quick_launch.h"
#include "viewer/app/viewer_app.h"
#include "viewer/core/layout_code.h"
#include "viewer/tests/fake_page_view.h"
#include "viewer/tests/native_control_library.h"
#include "viewer/tests/recording_shell.h"

namespace tolven::viewer::testing {
namespace {

class RecordingHost : public OptionsHost {
 public:
  void ToggleRemote() override {
    ++toggles;
    if (controller) inHotkeyDuringToggle = controller->InHotkey();
  }
  void ReapplyGeometry() override { ++geometry; }
  bool MasterVolumeAvailable() override { return mixer; }
  CViewerController *controller = nullptr;
  bool inHotkeyDuringToggle = false;
  int toggles = 0;
  int geometry = 0;
  bool mixer = true;
};

// Plays the user's part in the sheet: opens every page with a view of its
// own, runs the script, then presses OK (every page applies).
class PlayedSheet : public SheetRunner {
 public:
  using Script = std::function<void(std::vector<FakePageView> &views, const std::vector<SheetPage> &pages)>;
  bool Run(ui::Window owner, WStringView caption, const std::vector<SheetPage> &pages) override {
    ++runs;
    lastOwner = owner;
    lastCaption = WString(caption);
    templates.clear();
    for (const SheetPage &page : pages) templates.push_back(page.templateId);
    views.assign(pages.size(), FakePageView());
    for (size_t i = 0; i < pages.size(); ++i) pages[i].presenter->OnInit(views[i]);
    if (duringRun) duringRun();
    if (script) script(views, pages);
    for (size_t i = 0; i < pages.size(); ++i) pages[i].presenter->OnApply(views[i]);
    return true;
  }
  Script script;
  std::function<void()> duringRun;
  int runs = 0;
  ui::Window lastOwner = 0;
  WString lastCaption;
  std::vector<uint16_t> templates;
  std::vector<FakePageView> views;
};

struct Options : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(rig.opened);
    windows.AddDriver(u"tolvenu.dll");
  }
  void Store(const WString &path, const char16_t *name, uint32_t value) {
    reg::Key key = 0;
    ASSERT_EQ(rig.m.registry.CreateKey(reg::kCurrentUser, path, reg::kAllAccess, &key), 0u);
    reg::SetDword(rig.m.registry, key, name, value);
    rig.m.registry.CloseKey(key);
  }
  int64_t Stored(const WString &path, const char16_t *name) {
    reg::Key key = 0;
    if (rig.m.registry.OpenKey(reg::kCurrentUser, path, reg::kRead, &key) != 0) return -1;
    uint32_t type = 0, value = 0, size = sizeof(value);
    const bool ok = rig.m.registry.QueryValue(key, name, &type, &value, &size) == 0 && type == reg::kDword;
    rig.m.registry.CloseKey(key);
    return ok ? static_cast<int64_t>(value) : -1;
  }
  void Bind(int32_t command, uint32_t value) {
    CHotkeyBindings bindings(rig.m.registry, system);
    bindings.Store(command, value);
  }
  void Start() {
    app = std::make_unique<CViewerApp>(ViewerPorts{rig.m.registry, shell, windows, messages, library, mixer});
    options = std::make_unique<CViewerOptions>(OptionsPorts{rig.m.registry, screensaver, system, links, sheet},
                                               app->Settings(), app->Controller(), shell, host);
    app->AttachOptions(options.get());
    ASSERT_TRUE(app->Start());
  }
  // Presses the hotkey bound to a combination.
  bool Press(uint32_t modifiers, uint32_t key) {
    const int32_t id = system.IdOf(modifiers, key);
    return id != 0 && app->Hotkey(static_cast<uint32_t>(id));
  }
  void TuneIn() {
    CViewerController &c = app->Controller();
    for (int32_t i = 0; i < c.SourceCount(); ++i)
      if (c.SourceType(i) == 2) c.SelectSource(i);
    app->Refresh();
    ASSERT_TRUE(c.AutoScan());
    c.ChannelDown();
    c.ChannelUp();
    ASSERT_EQ(c.CachedChannel(), 0);
  }

  tolven::testing::CardRig rig;
  NativeControlLibrary library{&rig.env};
  RecordingShell shell;
  cap::EmulatedCaptureWindows windows;
  ui::EmulatedMessageBoxes messages;
  mix::EmulatedMixer mixer;
  desk::EmulatedScreensaver screensaver;
  hk::EmulatedSystemHotkeys system;
  lnk::EmulatedShellLinks links{u"C:\\Varn\\Viewer.exe"};
  PlayedSheet sheet;
  RecordingHost host;
  std::unique_ptr<CViewerApp> app;
  std::unique_ptr<CViewerOptions> options;
};

TEST_F(Options, StartUpAppliesTheScreensaverOptionAndRegistersTheHotkeysOnTheMainWindow) {
  Store(kViewerAppKey, u"Screensaver", 1);
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyVolumeUp, kHotkeyControl | 'U');
  Start();
  EXPECT_FALSE(screensaver.Active());
  ASSERT_EQ(system.Registrations().size(), 1u);
  EXPECT_EQ(system.Registrations().begin()->second.window, shell.MainWindow());
  EXPECT_TRUE(options->Bindings().Registered());
}

TEST_F(Options, ExitSavesThenRestoresTheScreensaverAndUnregistersBeforeTheWindowGoes) {
  Store(kViewerAppKey, u"Screensaver", 1);
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyMute, 'M');
  Start();
  app->Close();
  EXPECT_TRUE(screensaver.Active());
  EXPECT_TRUE(system.Registrations().empty());
  EXPECT_EQ(system.AtomCount(), 0u);
  EXPECT_EQ(Stored(WString(kHotkeysKey) + u"\\4", u"HotKeyAtom"), 0);
  EXPECT_EQ(Stored(kViewerAppKey, u"Screensaver"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, kRestoreScreensaver), -1);
  EXPECT_EQ(shell.calls.back(), "destroy main");
}

TEST_F(Options, AfterACrashTheNextSessionsExitRestoresTheUsersPowerManagementValues) {
  Store(kPowerManagementKey, u"", 0);
  Store(kPowerShutOffKey, u"ShutOffEnabled", 1);
  Store(kPowerStandbyKey, u"StandbyEnabled", 1);
  Store(kViewerAppKey, u"Screensaver", 1);
  Start();
  EXPECT_EQ(Stored(kPowerShutOffKey, u"ShutOffEnabled"), 0);
  // The viewer ends without its exit.
  app->AttachOptions(nullptr);
  options.reset();
  app.reset();

  Start();
  EXPECT_FALSE(screensaver.Active());
  app->Close();
  EXPECT_TRUE(screensaver.Active());
  EXPECT_EQ(Stored(kPowerShutOffKey, u"ShutOffEnabled"), 1);
  EXPECT_EQ(Stored(kPowerStandbyKey, u"StandbyEnabled"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, kRestoreScreensaver), -1);
}

TEST_F(Options, WithHotkeysOffNothingIsRegisteredAndTheBindingsStay) {
  Bind(kHotkeyVolumeUp, 'U');
  Start();
  EXPECT_TRUE(system.Registrations().empty());
  app->Close();
  EXPECT_EQ(Stored(WString(kHotkeysKey) + u"\\0", u"VirtualKey"), 'U');
}

TEST_F(Options, VolumeAndMuteHotkeysActOnTheCard) {
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyVolumeUp, 'U');
  Bind(kHotkeyVolumeDown, 'D');
  Bind(kHotkeyMute, 'M');
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  ASSERT_TRUE(c.SourceHasAudio(c.CachedSource()));
  c.SetVolume(50);
  EXPECT_TRUE(Press(0, 'U'));
  EXPECT_EQ(c.CachedVolume(), 55);
  EXPECT_TRUE(Press(0, 'D'));
  EXPECT_TRUE(Press(0, 'D'));
  EXPECT_EQ(c.CachedVolume(), 45);
  const bool mute = c.CachedMute();
  EXPECT_TRUE(Press(0, 'M'));
  EXPECT_EQ(c.CachedMute(), !mute);
  EXPECT_EQ(shell.texts[3], mute ? "" : "Mute");
}

TEST_F(Options, ChannelHotkeysWorkOnlyInTunerLayouts) {
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyChannelUp, kHotkeyAlt | 0x21);
  Bind(kHotkeyChannelDown, kHotkeyAlt | 0x22);
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  ASSERT_TRUE(LayoutCode::Tuner(c.LayoutCode()));
  EXPECT_TRUE(Press(hk::kModAlt, 0x21));
  EXPECT_EQ(c.CachedChannel(), 1);
  EXPECT_TRUE(Press(hk::kModAlt, 0x22));
  EXPECT_TRUE(Press(hk::kModAlt, 0x22));
  EXPECT_EQ(c.CachedChannel(), c.CachedChannelCount() - 1);  // round to the last
  // Another input: the channel keys do nothing.
  for (int32_t i = 0; i < c.SourceCount(); ++i)
    if (c.SourceType(i) != 2) {
      c.SelectSource(i);
      app->Refresh();
      break;
    }
  ASSERT_FALSE(LayoutCode::Tuner(c.LayoutCode()));
  const int32_t channel = c.CachedChannel();
  Press(hk::kModAlt, 0x21);
  EXPECT_EQ(c.CachedChannel(), channel);
}

TEST_F(Options, SourceHotkeysStepTheInputs) {
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyNextSource, 'N');
  Bind(kHotkeyPreviousSource, 'P');
  Start();
  CViewerController &c = app->Controller();
  ASSERT_GT(c.SourceCount(), 1);
  const int32_t first = c.CachedSource();
  EXPECT_TRUE(Press(0, 'N'));
  EXPECT_EQ(c.CachedSource(), (first + 1) % c.SourceCount());
  EXPECT_TRUE(Press(0, 'P'));
  EXPECT_EQ(c.CachedSource(), first);
}

TEST_F(Options, TheRemoteHotkeyTogglesOnlyWhenUndockedAndMaximizeFollowsTheWindowState) {
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyRemote, 'R');
  Bind(kHotkeyMaximize, 'X');
  Start();
  EXPECT_TRUE(Press(0, 'R'));  // docked: nothing
  EXPECT_EQ(host.toggles, 0);
  app->Controller().SetLayoutCode(4);
  host.controller = &app->Controller();
  Press(0, 'R');
  EXPECT_EQ(host.toggles, 1);
  EXPECT_TRUE(host.inHotkeyDuringToggle);  // the command runs with the hotkey flag set
  EXPECT_FALSE(app->Controller().InHotkey());
  shell.calls.clear();
  Press(0, 'X');
  shell.maximized = true;
  Press(0, 'X');
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"syscommand 61488", "syscommand 61728"}));
}

TEST_F(Options, HotkeysAreIgnoredWhileBusyAndUnknownIdsDoNothing) {
  Store(kViewerAppKey, u"Enable hotkeys", 1);
  Bind(kHotkeyMaximize, 'X');
  Start();
  app->Controller().SetBusy(true);
  shell.calls.clear();
  EXPECT_FALSE(Press(0, 'X'));
  EXPECT_TRUE(shell.calls.empty());
  app->Controller().SetBusy(false);
  EXPECT_FALSE(app->Hotkey(0xBEEF));
  EXPECT_TRUE(Press(0, 'X'));
}

TEST_F(Options, WithoutOptionsAttachedAHotkeyDoesNothing) {
  app = std::make_unique<CViewerApp>(ViewerPorts{rig.m.registry, shell, windows, messages, library, mixer});
  ASSERT_TRUE(app->Start());
  EXPECT_FALSE(app->Hotkey(0xC000));
  app->OpenPreferences();
  EXPECT_EQ(sheet.runs, 0);
}

TEST_F(Options, PreferencesShowTheSheetWhileBusyThenReapplyTheGeometry) {
  Start();
  bool busyDuring = false;
  sheet.duringRun = [&] { busyDuring = app->Controller().Busy(); };
  app->OpenPreferences();
  EXPECT_EQ(sheet.runs, 1);
  EXPECT_EQ(sheet.lastCaption, u"General Preferences");
  EXPECT_EQ(sheet.lastOwner, shell.MainWindow());
  EXPECT_EQ(sheet.templates, (std::vector<uint16_t>{IDD_SETTINGS, IDD_HOTKEYS}));
  EXPECT_TRUE(busyDuring);
  EXPECT_FALSE(app->Controller().Busy());
  EXPECT_EQ(host.geometry, 1);
  // While a panel or dialog is open the sheet does not come.
  app->Controller().SetBusy(true);
  app->OpenPreferences();
  EXPECT_EQ(sheet.runs, 1);
}

TEST_F(Options, TheSettingsPageShowsTheOptionsAndTheDecodersRatios) {
  Store(kViewerAppKey, u"Hide Borders", 1);
  Store(kViewerAppKey, u"Aspect Ratio", 0);
  Start();
  app->OpenPreferences();
  FakePageView &v = sheet.views[0];
  EXPECT_TRUE(v.checked[IDC_SET_HIDE_BORDERS]);
  EXPECT_FALSE(v.checked[IDC_SET_HIDE_MAX]);
  CViewerController &c = app->Controller();
  ASSERT_GT(c.AspectRatioCount(), 0);
  ASSERT_EQ(v.ItemCount(IDC_SET_ASPECT_TYPES), c.AspectRatioCount());
  for (int32_t i = 0; i < c.AspectRatioCount(); ++i) EXPECT_EQ(v.ItemText(IDC_SET_ASPECT_TYPES, i), c.AspectRatioName(i));
  EXPECT_EQ(v.Selection(IDC_SET_ASPECT_TYPES), c.AspectRatio());
  EXPECT_FALSE(v.Enabled(IDC_SET_ASPECT_TYPES));
  EXPECT_EQ(v.tooltips[IDC_SET_HIDE_BORDERS], u"Remove borders when maximized");
  EXPECT_EQ(v.tooltips[IDC_SET_ASPECT_RATIO], u"Maintain height to width ratio when resizing");
  EXPECT_EQ(v.tooltips.count(IDC_SET_MASTER_VOLUME), 0u);
  // No Quick Launch folder: its box is off and disabled; the mixer is there.
  EXPECT_FALSE(v.Enabled(IDC_SET_LAUNCH_BAR));
  EXPECT_TRUE(v.Enabled(IDC_SET_MASTER_VOLUME));
}

TEST_F(Options, WithoutAMixerTheMasterVolumeBoxIsOffAndDisabled) {
  Store(kViewerAppKey, u"Master Volume", 1);
  host.mixer = false;
  Start();
  app->OpenPreferences();
  EXPECT_FALSE(sheet.views[0].checked[IDC_SET_MASTER_VOLUME]);
  EXPECT_FALSE(sheet.views[0].Enabled(IDC_SET_MASTER_VOLUME));
}

TEST_F(Options, TheRatioBoxEnablesTheListAndItsChoiceChangesNothing) {
  Start();
  sheet.script = [](std::vector<FakePageView> &views, const std::vector<SheetPage> &pages) {
    FakePageView &v = views[0];
    PagePresenter &page = *pages[0].presenter;
    v.Select(IDC_SET_ASPECT_TYPES, 0);
    page.OnCommand(v, IDC_SET_ASPECT_TYPES, kComboSelChange);
    EXPECT_EQ(v.modifiedMarks, 0);
    v.checked[IDC_SET_ASPECT_RATIO] = true;
    page.OnCommand(v, IDC_SET_ASPECT_RATIO, kButtonClicked);
    EXPECT_TRUE(v.Enabled(IDC_SET_ASPECT_TYPES));
    v.checked[IDC_SET_ASPECT_RATIO] = false;
    page.OnCommand(v, IDC_SET_ASPECT_RATIO, kButtonClicked);
    EXPECT_FALSE(v.Enabled(IDC_SET_ASPECT_TYPES));
  };
  const int32_t ratio = app->Controller().AspectRatio();
  app->OpenPreferences();
  EXPECT_EQ(app->Controller().AspectRatio(), ratio);
  EXPECT_EQ(Stored(kViewerAppKey, u"Aspect Ratio"), 0);
}

TEST_F(Options, ApplyingTheSettingsPageStoresTheValuesPlacesTheShortcutAndSwitchesTheScreensaver) {
  reg::Key key = 0;
  ASSERT_EQ(rig.m.registry.CreateKey(reg::kCurrentUser, kMapGroupsKey, reg::kAllAccess, &key), 0u);
  reg::SetString(rig.m.registry, key, u"Quick Launch", u"C:\\QL");
  rig.m.registry.CloseKey(key);
  Store(kViewerAppKey, u"Aspect Ratio Type", 3);
  Start();
  sheet.script = [](std::vector<FakePageView> &views, const std::vector<SheetPage> &pages) {
    FakePageView &v = views[0];
    PagePresenter &page = *pages[0].presenter;
    for (int box : {IDC_SET_ASPECT_RATIO, IDC_SET_LAUNCH_BAR, IDC_SET_SCREENSAVER, IDC_SET_MASTER_VOLUME,
                    IDC_SET_HIDE_MAX}) {
      v.checked[box] = true;
      page.OnCommand(v, box, kButtonClicked);
    }
    EXPECT_TRUE(v.Enabled(IDC_SET_ASPECT_TYPES));
    v.Select(IDC_SET_ASPECT_TYPES, 0);
    page.OnCommand(v, IDC_SET_ASPECT_TYPES, kComboSelChange);
  };
  app->OpenPreferences();
  EXPECT_GE(sheet.views[0].modifiedMarks, 5);
  EXPECT_EQ(Stored(kViewerAppKey, u"Aspect Ratio"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, u"Hide Max"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, u"Launch Bar"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, u"Screensaver"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, u"Hide Borders"), 0);
  EXPECT_EQ(Stored(kViewerAppKey, u"Master Volume"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, u"Aspect Ratio Type"), 3);
  EXPECT_EQ(Stored(kViewerAppKey, u"Enable hotkeys"), -1);  // the Hotkeys page was not changed
  ASSERT_EQ(links.Links().count(u"C:\\QL\\Viewer.LNK"), 1u);
  EXPECT_EQ(links.Links().at(u"C:\\QL\\Viewer.LNK").target, u"C:\\Varn\\Viewer.exe");
  EXPECT_FALSE(screensaver.Active());
  EXPECT_TRUE(app->Controller().MasterVolumeOn());
  // Exit keeps what the page set, and switches the screensaver back on.
  app->Close();
  EXPECT_EQ(Stored(kViewerAppKey, u"Master Volume"), 1);
  EXPECT_EQ(Stored(kViewerAppKey, u"Aspect Ratio"), 1);
  EXPECT_TRUE(screensaver.Active());
}

TEST_F(Options, AnUnchangedSettingsPageAppliesNothing) {
  Start();
  const int calls = screensaver.Calls();
  app->OpenPreferences();
  EXPECT_EQ(screensaver.Calls(), calls);
  EXPECT_EQ(Stored(kViewerAppKey, u"Hide Max"), -1);
  EXPECT_TRUE(links.Links().empty());
}

TEST_F(Options, UntickingTheLaunchBarBoxLeavesTheShortcut) {
  reg::Key key = 0;
  ASSERT_EQ(rig.m.registry.CreateKey(reg::kCurrentUser, kMapGroupsKey, reg::kAllAccess, &key), 0u);
  reg::SetString(rig.m.registry, key, u"Quick Launch", u"C:\\QL");
  rig.m.registry.CloseKey(key);
  Store(kViewerAppKey, u"Launch Bar", 1);
  Start();
  links.Create(u"C:\\QL\\Viewer.LNK", u"C:\\Varn\\Viewer.exe", u"Shortcut to Viewer.exe");
  sheet.script = [](std::vector<FakePageView> &views, const std::vector<SheetPage> &pages) {
    views[0].checked[IDC_SET_LAUNCH_BAR] = false;
    pages[0].presenter->OnCommand(views[0], IDC_SET_LAUNCH_BAR, kButtonClicked);
  };
  app->OpenPreferences();
  EXPECT_EQ(Stored(kViewerAppKey, u"Launch Bar"), 0);
  EXPECT_EQ(links.Links().size(), 1u);
}

TEST_F(Options, TheHotkeysPageInTheSheetRegistersWhatItBinds) {
  Start();
  sheet.script = [](std::vector<FakePageView> &views, const std::vector<SheetPage> &pages) {
    FakePageView &v = views[1];
    PagePresenter &page = *pages[1].presenter;
    v.checked[IDC_HOTKEY_ENABLE] = true;
    page.OnCommand(v, IDC_HOTKEY_ENABLE, kButtonClicked);
    v.Select(IDC_HOTKEY_COMMANDS, kHotkeyMaximize);
    v.hotkey = kHotkeyControl | 0x7A;  // F11
    page.OnCommand(v, IDC_HOTKEY_ASSIGN, kButtonClicked);
  };
  app->OpenPreferences();
  EXPECT_EQ(Stored(kViewerAppKey, u"Enable hotkeys"), 1);
  EXPECT_EQ(sheet.views[1].ItemText(IDC_HOTKEY_LIST, 0), u"Ctrl + F11 = Maximize/restore ");
  shell.calls.clear();
  EXPECT_TRUE(Press(hk::kModControl, 0x7A));
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"syscommand 61488"}));
}

}  // namespace
}  // namespace tolven::viewer::testing
