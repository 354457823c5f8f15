// The application object on the virtual card: start-up in its order, each
// capture failure giving one message with the viewer going on, the display
// change, exit storing the settings, and the main window's skin events.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "driver/control/tests/control_rig.h"
#include "platform/capture/emulated_capture_windows.h"
#include "platform/messagebox/emulated_message_boxes.h"
#include "platform/mixer/emulated_mixer.h"
#include "platform/registry/emulated_registry.h"
#include "viewer/app/viewer_app.h"
#include "viewer/core/layout_code.h"
#include "viewer/tests/native_control_library.h"
#include "viewer/tests/recording_shell.h"

namespace tolven::viewer::testing {
namespace {

using Strings = std::vector<std::string>;

struct App : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(rig.opened);
    windows.AddDriver(u"msyuv.dll");
    windows.AddDriver(u"tolvenu.dll");
  }
  CViewerApp &Make() {
    app = std::make_unique<CViewerApp>(ViewerPorts{rig.m.registry, shell, windows, messages, library, mixer});
    return *app;
  }
  void Store(const char16_t *name, uint32_t value) {
    reg::Key key = 0;
    ASSERT_EQ(rig.m.registry.CreateKey(reg::kCurrentUser, kViewerAppKey, reg::kAllAccess, &key), 0u);
    reg::SetDword(rig.m.registry, key, name, value);
    rig.m.registry.CloseKey(key);
  }
  // A stored DWORD of the ViewerApp key, or -1.
  int64_t Stored(const char16_t *name) {
    reg::Key key = 0;
    if (rig.m.registry.OpenKey(reg::kCurrentUser, kViewerAppKey, reg::kRead, &key) != 0) return -1;
    uint32_t type = 0, value = 0, size = sizeof(value);
    const bool ok = rig.m.registry.QueryValue(key, name, &type, &value, &size) == 0 && type == reg::kDword;
    rig.m.registry.CloseKey(key);
    return ok ? value : -1;
  }
  bool Called(const std::string &call) {
    return std::find(shell.calls.begin(), shell.calls.end(), call) != shell.calls.end();
  }
  // Selects the tuner input and finds the card's stations.
  void TuneIn() {
    CViewerController &c = app->Controller();
    for (int32_t i = 0; i < c.SourceCount(); ++i)
      if (c.SourceType(i) == 2) c.SelectSource(i);
    ASSERT_TRUE(c.AutoScan());
    ASSERT_GT(c.ChannelCount(), 1);
    c.ChannelDown();  // from no channel: the last, then round to the first
    c.ChannelUp();
    ASSERT_EQ(c.CachedChannel(), 0);
  }

  tolven::testing::CardRig rig;
  NativeControlLibrary library{&rig.env};
  RecordingShell shell;
  cap::EmulatedCaptureWindows windows;
  ui::EmulatedMessageBoxes messages;
  mix::EmulatedMixer mixer;
  std::unique_ptr<CViewerApp> app;
};

TEST_F(App, AFirstRunStartsDockedInTheDefaultWindowWithVideoAndControls) {
  ASSERT_TRUE(Make().Start());
  const Strings expected{"hosting",
                         "main 200,200-600,500 Varn Viewer",
                         "form",
                         "skin maindocked.skn",
                         "goto top-edge Disable-Tuner",  // before binding: layout 2, no audio
                         "goto top-edge Disable-Audio",
                         "trim",
                         "video 4,28-244,208",
                         "place 200,200-600,500",
                         "trim",
                         "fill",
                         "docked 200,200-600,500"};
  ASSERT_GE(shell.calls.size(), expected.size());
  EXPECT_EQ(Strings(shell.calls.begin(), shell.calls.begin() + expected.size()), expected);
  EXPECT_EQ(shell.calls.back(), "arrow");
  EXPECT_TRUE(messages.History().empty());
  EXPECT_TRUE(app->VideoConnected());
  EXPECT_TRUE(app->Controller().Bound());
  EXPECT_TRUE(windows.OverlayOn());
  // The capture window sits in the pane, with the driver's index as its id.
  ASSERT_EQ(windows.CreatedWindows().size(), 1u);
  EXPECT_EQ(windows.CreatedWindows()[0].parent, 0x77u);
  EXPECT_EQ(windows.CreatedWindows()[0].id, 1);
  // The refresh after binding lists the card's sources.
  EXPECT_EQ(static_cast<int32_t>(shell.sources.size()), app->Controller().SourceCount());
  EXPECT_GT(shell.sources.size(), 1u);
  // Frame extras: the window around the skin's client element.
  EXPECT_EQ(app->ExtraWidth(), 400 - 240);
  EXPECT_EQ(app->ExtraHeight(), 300 - 180);
}

struct Failure {
  const char *name;
  void (*arrange)(cap::EmulatedCaptureWindows &);
  const char16_t *text;
  bool owned;
};

TEST_F(App, EachCaptureFailureShowsOneMessageAndTheViewerGoesOnWithoutControls) {
  const Failure failures[] = {
      {"no driver", [](cap::EmulatedCaptureWindows &w) { w = cap::EmulatedCaptureWindows(); },
       u"Unable to locate Video for Windows driver", false},
      {"no window", [](cap::EmulatedCaptureWindows &w) { w.FailCreate(true); }, u"Unable to create overlay window.",
       true},
      {"no connection", [](cap::EmulatedCaptureWindows &w) { w.FailConnect(true); },
       u"Unable to connect to the hardware.", true},
      {"no overlay", [](cap::EmulatedCaptureWindows &w) { w.FailOverlay(true); }, u"Unable to turn on the overlay.",
       true},
  };
  for (const Failure &f : failures) {
    SCOPED_TRACE(f.name);
    windows = cap::EmulatedCaptureWindows();
    windows.AddDriver(u"tolvenu.dll");
    f.arrange(windows);
    messages = ui::EmulatedMessageBoxes();
    shell.calls.clear();
    ASSERT_TRUE(Make().Start());
    ASSERT_EQ(messages.History().size(), 1u);
    EXPECT_EQ(messages.History()[0].text, f.text);
    EXPECT_EQ(messages.History()[0].owner, f.owned ? 0x55u : 0u);
    EXPECT_FALSE(app->VideoConnected());
    EXPECT_FALSE(app->Controller().Bound());
    // The window is finished all the same, with the inert controls' texts.
    EXPECT_EQ(shell.calls.back(), "arrow");
    EXPECT_TRUE(Called("sources 0 0"));
    EXPECT_EQ(shell.texts.at(2), "No Source");
    // Events do nothing and do not crash without a hub.
    EXPECT_TRUE(app->SkinEvent(u"Next-source"));
    app.reset();
  }
}

TEST_F(App, AMissingControlInterfaceLeavesVideoWithoutControls) {
  library.nullFactory = true;
  ASSERT_TRUE(Make().Start());
  EXPECT_TRUE(app->VideoConnected());
  EXPECT_FALSE(app->Controller().Bound());
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].caption, u"Error");
}

TEST_F(App, OnlyAFailedMainWindowEndsStartUp) {
  shell.canCreate = false;
  EXPECT_FALSE(Make().Start());
  EXPECT_FALSE(Called("form"));
  EXPECT_TRUE(windows.CreatedWindows().empty());
}

TEST_F(App, ASavedRectangleTooCloseToTheMaximizedSizeFallsBackToTheDefault) {
  // Right + 25 exactly at the maximized width still fits.
  Store(u"Main Left", 10);
  Store(u"Main Top", 10);
  Store(u"Main Right", 1032 - 25);
  Store(u"Main Bottom", 400);
  ASSERT_TRUE(Make().Start());
  EXPECT_TRUE(Called("main 10,10-1007,400 Varn Viewer"));
  app.reset();
  Store(u"Main Bottom", 776 - 24);
  shell.calls.clear();
  ASSERT_TRUE(Make().Start());
  EXPECT_TRUE(Called("main 200,200-600,500 Varn Viewer"));
}

TEST_F(App, AnUndockedLayoutLoadsTheUndockedSkinAndTheRemoteAtItsPlace) {
  Store(u"Control Type", 4);
  Store(u"Remote X", 640);
  Store(u"Remote Y", 12);
  ASSERT_TRUE(Make().Start());
  EXPECT_TRUE(Called("skin mainundocked.skn"));
  EXPECT_TRUE(Called("remote 640,12 remotestdb.skn"));
  EXPECT_FALSE(Called("docked 200,200-600,500"));
}

TEST_F(App, AnInvalidStoredLayoutCodeStartsDockedStandard) {
  Store(u"Control Type", 9);
  ASSERT_TRUE(Make().Start());
  EXPECT_TRUE(Called("skin maindocked.skn"));
  // Standard and docked; tuner or not as the card's source is.
  const int32_t code = app->Controller().LayoutCode();
  EXPECT_TRUE(code == 1 || code == 2) << code;
}

TEST_F(App, ASkinThatDoesNotLoadStillGivesAWindow) {
  shell.skinLoads = false;
  ASSERT_TRUE(Make().Start());
  // No layout commands to a skin that is not there, and no client element.
  const auto video = std::find(shell.calls.begin(), shell.calls.end(), "video 0,0-0,0");
  ASSERT_NE(video, shell.calls.end());
  EXPECT_TRUE(std::none_of(shell.calls.begin(), video, [](const std::string &c) { return c.rfind("goto", 0) == 0; }));
  EXPECT_TRUE(app->VideoConnected());
}

TEST_F(App, ADisplayChangeReconnectsRebindsAndSelectsTheSourceAgain) {
  ASSERT_TRUE(Make().Start());
  TuneIn();
  const int32_t source = app->Controller().CachedSource();
  shell.maximized = true;
  shell.calls.clear();
  const size_t before = windows.Messages().size();
  app->DisplayChange();
  const Strings after(windows.Messages().begin() + before, windows.Messages().end());
  EXPECT_EQ(after, (Strings{"overlay 0", "disconnect", "connect 1", "overlay 1"}));
  EXPECT_TRUE(Called("post restore"));
  EXPECT_TRUE(app->Controller().Bound());
  EXPECT_EQ(app->Controller().CachedSource(), source);
}

TEST_F(App, ClosingStoresEveryValueAndTheComponentsSettings) {
  ASSERT_TRUE(Make().Start());
  TuneIn();
  app->Controller().ChannelUp();
  shell.window = ScreenRect{30, 40, 530, 440};
  app->Close();
  EXPECT_EQ(shell.calls.back(), "destroy main");
  EXPECT_TRUE(app->Closing());
  EXPECT_EQ(Stored(u"Main Left"), 30);
  EXPECT_EQ(Stored(u"Main Bottom"), 440);
  EXPECT_EQ(Stored(u"Maximized"), 0);
  EXPECT_EQ(Stored(u"Fullscreen"), 0);
  EXPECT_EQ(Stored(u"Animate"), 0);
  EXPECT_EQ(Stored(u"Remote X"), 300);  // docked: the remote's place is kept
  EXPECT_EQ(Stored(u"Control Type"), 1);  // on the tuner now
  // The tuner stored its channels: a fresh hub reads them back.
  const int32_t channel = app->Controller().CachedChannel();
  app.reset();
  control::IControlHub *hub = rig.NewHub();
  ASSERT_TRUE(hub);
  EXPECT_EQ(hub->GetTuner()->GetChannelCount() > 1, true);
  EXPECT_EQ(hub->GetTuner()->GetCurrentChannel(), channel);
  hub->Release();
}

TEST_F(App, ClosingMaximizedStoresTheRestoredRectangleAndTheRemotesPlace) {
  Store(u"Control Type", 3);
  ASSERT_TRUE(Make().Start());
  shell.maximized = true;
  shell.remoteX = 812;
  shell.remoteY = 5;
  app->Close();
  EXPECT_EQ(Stored(u"Maximized"), 1);
  EXPECT_EQ(Stored(u"Fullscreen"), 1);
  EXPECT_EQ(Stored(u"Main Left"), 10);
  EXPECT_EQ(Stored(u"Main Right"), 410);
  EXPECT_EQ(Stored(u"Remote X"), 812);
  EXPECT_EQ(Stored(u"Remote Y"), 5);
}

TEST_F(App, ChannelUpFromTheSkinTunesTheNextChannelOnlyInTunerLayouts) {
  ASSERT_TRUE(Make().Start());
  TuneIn();
  app->Controller().SetLayoutCode(1);
  const int32_t channel = app->Controller().CachedChannel();
  EXPECT_TRUE(app->SkinEvent(u"Channel-up"));
  EXPECT_NE(app->Controller().CachedChannel(), channel);
  const uint32_t tuned = rig.card.Tuner()->TunedFrequency();
  app->Controller().SetLayoutCode(2);
  EXPECT_FALSE(app->SkinEvent(u"Channel-up"));
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), tuned);
  app->Controller().SetLayoutCode(1);
  app->Controller().SetBusy(true);
  EXPECT_FALSE(app->SkinEvent(u"Channel-up"));
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), tuned);
}

TEST_F(App, HintsShowAndHideOnlyTheirOwnText) {
  ASSERT_TRUE(Make().Start());
  app->SkinEvent(u"Show-next-source-label");
  EXPECT_EQ(shell.hint, "NextSource");
  app->SkinEvent(u"Hide-prev-source-label");  // another hint: stays
  EXPECT_EQ(shell.hint, "NextSource");
  app->SkinEvent(u"Hide-next-source-label");
  EXPECT_EQ(shell.hint, "");
  app->SkinEvent(u"Show-dock-label");
  app->SkinEvent(u"Hide-function-label");
  EXPECT_EQ(shell.hint, "");
}

TEST_F(App, MuteTogglesInDockedLayoutsOnlyAndItsHintFollows) {
  ASSERT_TRUE(Make().Start());
  TuneIn();
  app->Controller().SetLayoutCode(1);
  ASSERT_TRUE(app->Controller().SourceHasAudio(app->Controller().CachedSource()));
  const bool muted = app->Controller().CachedMute();
  app->SkinEvent(u"Mute");
  EXPECT_NE(app->Controller().CachedMute(), muted);
  EXPECT_EQ(shell.hint, muted ? "Set Mute" : "Unset Mute");
  app->Controller().SetLayoutCode(3);
  app->SkinEvent(u"Mute");
  EXPECT_NE(app->Controller().CachedMute(), muted);  // undocked: the remote's button
}

TEST_F(App, WindowButtonsAndDocking) {
  ASSERT_TRUE(Make().Start());
  app->SkinEvent(u"Minimize");
  app->SkinEvent(u"Maximize");
  app->SkinEvent(u"Undock-controls");
  EXPECT_TRUE(Called("syscommand 61472"));
  EXPECT_TRUE(Called("syscommand 61488"));
  EXPECT_TRUE(Called("post toggle dock"));
  shell.calls.clear();
  shell.maximized = true;
  app->SkinEvent(u"Maximize");
  app->SkinEvent(u"Undock-controls");
  EXPECT_EQ(shell.calls, (Strings{"syscommand 61728"}));
  app->SkinEvent(u"Show-source-combo");
  EXPECT_TRUE(Called("show combo 27,4-95,24"));
}

TEST(ViewerSettingsTest, AspectRatiosByType) {
  EXPECT_FLOAT_EQ(CViewerSettings::AspectRatioOf(2), 1.333f);
  EXPECT_FLOAT_EQ(CViewerSettings::AspectRatioOf(0), 1.3333f);
  EXPECT_FLOAT_EQ(CViewerSettings::AspectRatioOf(7), 1.3333f);
  EXPECT_FLOAT_EQ(CViewerSettings::AspectRatioOf(1), 1.7777f);
}

TEST(ViewerSettingsTest, AValueOfAnotherTypeKeepsItsDefault) {
  reg::EmulatedRegistry registry;
  reg::Key key = 0;
  ASSERT_EQ(registry.CreateKey(reg::kCurrentUser, kViewerAppKey, reg::kAllAccess, &key), 0u);
  reg::SetString(registry, key, u"Main Left", u"12");
  reg::SetDword(registry, key, u"Main Top", 7);
  registry.CloseKey(key);
  CViewerSettings settings(registry);
  settings.Load();
  EXPECT_EQ(settings.main.left, 200);
  EXPECT_EQ(settings.main.top, 7);
  EXPECT_EQ(settings.remoteX, 300);
  EXPECT_EQ(settings.controlType, 2);
}

}  // namespace
}  // namespace tolven::viewer::testing
