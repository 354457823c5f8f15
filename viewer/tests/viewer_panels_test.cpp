// The viewer's panels and keys on the virtual card, through the application
// object: the New, Edit and Auto Tune panels, the remote, docking, the
// context menu's commands, typed channel numbers and the window states.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "driver/control/tests/control_rig.h"
#include "platform/capture/emulated_capture_windows.h"
#include "platform/messagebox/emulated_message_boxes.h"
#include "platform/mixer/emulated_mixer.h"
#include "viewer/app/viewer_app.h"
#include "viewer/core/layout_code.h"
#include "viewer/tests/native_control_library.h"
#include "viewer/tests/recording_shell.h"

namespace tolven::viewer::testing {
namespace {

struct Panels : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(rig.opened);
    windows.AddDriver(u"tolvenu.dll");
  }
  void Start(uint32_t controlType = 0) {
    if (controlType) {
      reg::Key key = 0;
      ASSERT_EQ(rig.m.registry.CreateKey(reg::kCurrentUser, kViewerAppKey, reg::kAllAccess, &key), 0u);
      reg::SetDword(rig.m.registry, key, u"Control Type", controlType);
      rig.m.registry.CloseKey(key);
    }
    app = std::make_unique<CViewerApp>(ViewerPorts{rig.m.registry, shell, windows, messages, library, mixer});
    ASSERT_TRUE(app->Start());
  }
  // The tuner input with the card's stations, on the first channel.
  void TuneIn() {
    CViewerController &c = app->Controller();
    for (int32_t i = 0; i < c.SourceCount(); ++i)
      if (c.SourceType(i) == 2) c.SelectSource(i);
    ASSERT_TRUE(c.AutoScan());
    c.ChannelDown();
    c.ChannelUp();
    ASSERT_EQ(c.CachedChannel(), 0);
    app->Refresh();
  }
  bool Called(const std::string &call) {
    return std::find(shell.calls.begin(), shell.calls.end(), call) != shell.calls.end();
  }
  control::ITunerControl *Tuner() { return tunerHub->GetTuner(); }
  uint32_t Tuned() { return rig.card.Tuner()->TunedFrequency(); }

  tolven::testing::CardRig rig;
  NativeControlLibrary library{&rig.env};
  RecordingShell shell;
  cap::EmulatedCaptureWindows windows;
  ui::EmulatedMessageBoxes messages;
  mix::EmulatedMixer mixer;
  std::unique_ptr<CViewerApp> app;
  control::IControlHub *tunerHub = nullptr;
};

TEST_F(Panels, CancelInTheNewPanelLeavesTheListAsItWasAndRetunesThePreviousChannel) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  const int32_t count = c.ChannelCount();
  const uint32_t tuned = Tuned();
  c.OpenNewPanel();
  ASSERT_TRUE(app->NewPanel());
  EXPECT_TRUE(c.Busy());
  EXPECT_EQ(c.ChannelCount(), count + 1);
  EXPECT_FALSE(shell.panelView.progress.empty());  // at the new channel's place
  EXPECT_FALSE(app->SkinEvent(u"Channel-up"));     // busy: the main window waits
  EXPECT_TRUE(app->PanelEvent(Panel::kNewChannel, u"Cancel"));
  EXPECT_EQ(shell.panelView.closes, 1);
  app->ClosePanel(Panel::kNewChannel);
  EXPECT_FALSE(app->NewPanel());
  EXPECT_FALSE(c.Busy());
  EXPECT_EQ(c.ChannelCount(), count);
  EXPECT_EQ(c.CachedChannel(), 0);
  EXPECT_EQ(Tuned(), tuned);
}

TEST_F(Panels, OkayInTheNewPanelKeepsTheChannelAndItsSearchedStation) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  const int32_t count = c.ChannelCount();
  c.OpenNewPanel();
  ASSERT_TRUE(app->NewPanel());
  // '+' seeks up from the new channel; its reports move the bar.
  shell.panelView.progress.clear();
  EXPECT_TRUE(app->PanelChar(Panel::kNewChannel, u'+'));
  EXPECT_GT(shell.pumps, 0);
  EXPECT_GT(shell.panelView.progress.size(), 1u);
  EXPECT_TRUE(app->PanelEvent(Panel::kNewChannel, u"Okay"));
  EXPECT_EQ(shell.panelView.closes, 1);
  app->ClosePanel(Panel::kNewChannel);
  EXPECT_EQ(c.ChannelCount(), count + 1);
  EXPECT_EQ(c.CachedChannel(), count);
}

TEST_F(Panels, CancelDuringASeekStopsItAndTheNewPanelStaysUntilItEnds) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  c.OpenNewPanel();
  ASSERT_TRUE(app->NewPanel());
  int pumpsAtCancel = 0;
  shell.duringPump = [&] {
    pumpsAtCancel = shell.pumps;
    app->PanelEvent(Panel::kNewChannel, u"Cancel");
  };
  app->PanelEvent(Panel::kNewChannel, u"Scan-up");
  EXPECT_GT(pumpsAtCancel, 0);
  EXPECT_LE(shell.pumps, pumpsAtCancel + 1);  // the next report stopped the seek
  EXPECT_EQ(shell.panelView.closes, 0);       // Cancel while seeking does not close
  EXPECT_FALSE(app->NewPanel()->Seeking());
}

TEST_F(Panels, RemoveChannelAsksAndDeletesOnlyOnYes) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  const int32_t count = c.ChannelCount();
  c.OpenEditPanel();
  ASSERT_TRUE(app->EditPanel());
  messages.QueueAnswer(ui::kIdNo);
  app->PanelEvent(Panel::kEditChannel, u"Remove-channel");
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].text, u"Are you sure you want to delete this channel?");
  EXPECT_EQ(messages.History()[0].caption, u"Delete Channel");
  EXPECT_EQ(messages.History()[0].style, ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbDefButton2);
  EXPECT_EQ(c.ChannelCount(), count);
  EXPECT_EQ(shell.panelView.closes, 0);
  messages.QueueAnswer(ui::kIdYes);
  app->PanelEvent(Panel::kEditChannel, u"Remove-channel");
  EXPECT_EQ(c.ChannelCount(), count - 1);
  EXPECT_EQ(shell.panelView.closes, 1);
}

TEST_F(Panels, PanelHintsShowAndHideTheirOwnText) {
  Start();
  TuneIn();
  app->Controller().OpenEditPanel();
  app->PanelEvent(Panel::kEditChannel, u"Show-fine-up-label");
  EXPECT_EQ(shell.panelView.function, "Fine-tune up");
  app->PanelEvent(Panel::kEditChannel, u"Hide-okay-label");
  EXPECT_EQ(shell.panelView.function, "Fine-tune up");
  app->PanelEvent(Panel::kEditChannel, u"Hide-fine-up-label");
  EXPECT_EQ(shell.panelView.function, "");
  EXPECT_FALSE(app->PanelEvent(Panel::kNewChannel, u"Okay"));  // no New panel open
}

TEST_F(Panels, AutoTuneRunsWhenStartedMovesTheBarAndCloses) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  c.OpenAutoTunePanel();
  ASSERT_TRUE(app->AutoTune());
  EXPECT_EQ(shell.panelView.function, "Auto-tuning...");
  app->PanelEvent(Panel::kAutoTune, u"Show-cancel-label");
  EXPECT_EQ(shell.panelView.function, "Cancel");
  app->PanelEvent(Panel::kAutoTune, u"Hide-cancel-label");
  EXPECT_EQ(shell.panelView.function, "Auto-tuning...");
  app->StartScan();
  EXPECT_GT(shell.panelView.progress.size(), 5u);
  EXPECT_EQ(shell.panelView.closes, 1);
  app->ClosePanel(Panel::kAutoTune);
  EXPECT_FALSE(c.Busy());
}

TEST_F(Panels, CancellingAutoTuneWithChannelsStepsToTheNextChannel) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  c.OpenAutoTunePanel();
  shell.duringPump = [&] { app->PanelEvent(Panel::kAutoTune, u"Cancel"); };
  const size_t pumpsBefore = static_cast<size_t>(shell.pumps);
  app->StartScan();
  EXPECT_LE(static_cast<size_t>(shell.pumps), pumpsBefore + 2);  // stopped at the next report
  EXPECT_EQ(shell.panelView.closes, 1);
  app->ClosePanel(Panel::kAutoTune);
  EXPECT_EQ(c.CachedChannel(), 1);
}

TEST_F(Panels, APanelWindowThatCannotBeMadeLeavesTheViewerFree) {
  Start();
  TuneIn();
  shell.panelsOpen = false;
  app->Controller().OpenEditPanel();
  EXPECT_FALSE(app->EditPanel());
  EXPECT_FALSE(app->Controller().Busy());
}

TEST_F(Panels, TheRemoteShowsItsLabelsAndAnswersItsButtons) {
  Start(3);
  TuneIn();
  ASSERT_TRUE(app->Remote());
  RecordingShell::Remote &r = shell.remoteView;
  EXPECT_EQ(r.Label(RemoteLabel::kChannel), "Ch 0");
  EXPECT_EQ(r.Label(RemoteLabel::kVolume).rfind("Vol = ", 0), 0u);
  EXPECT_EQ(r.commands.back(), "goto body Enable-Audio");
  // A hint empties the channel label; hiding it shows the channel again.
  app->RemoteEvent(u"Show-close-label");
  EXPECT_EQ(r.Label(RemoteLabel::kFunction), "Close");
  EXPECT_EQ(r.Label(RemoteLabel::kChannel), "");
  app->RemoteEvent(u"Hide-close-label");
  EXPECT_EQ(r.Label(RemoteLabel::kChannel), "Ch 0");
  // Mute: the volume label empties while a mute label exists.
  const bool muted = app->Controller().CachedMute();
  app->RemoteEvent(u"Show-mute-label");
  EXPECT_EQ(r.Label(RemoteLabel::kFunction), muted ? "Unset Mute" : "Set Mute");
  app->RemoteEvent(u"Mute");
  EXPECT_EQ(r.Label(RemoteLabel::kMute), muted ? "" : "Mute");
  EXPECT_EQ(r.Label(RemoteLabel::kVolume).empty(), !muted);
  EXPECT_EQ(r.Label(RemoteLabel::kFunction), muted ? "Set Mute" : "Unset Mute");  // flipped
  // The scroll bar sets the volume.
  app->RemoteScrolled(40);
  EXPECT_EQ(app->Controller().CachedVolume(), 40);
  app->RemoteEvent(u"Channel-up");
  EXPECT_EQ(app->Controller().CachedChannel(), 1);
  app->RemoteEvent(u"Close");
  EXPECT_TRUE(r.closed);
}

TEST_F(Panels, DockingAndUndockingKeepTheRemotesPlace) {
  Start();
  TuneIn();
  ASSERT_EQ(app->Controller().LayoutCode(), 1);
  shell.calls.clear();
  app->ToggleDock();
  EXPECT_EQ(app->Controller().LayoutCode(), 3);
  EXPECT_TRUE(Called("destroy docked"));
  EXPECT_TRUE(Called("remote 300,300 remotestdt.skn"));
  EXPECT_TRUE(Called("skin mainundocked.skn"));
  ASSERT_TRUE(app->Remote());
  shell.remoteX = 700;
  shell.remoteY = 40;
  app->ToggleDock();
  EXPECT_EQ(app->Controller().LayoutCode(), 1);
  EXPECT_FALSE(app->Remote());
  EXPECT_TRUE(Called("destroy remote"));
  EXPECT_EQ(app->Settings().remoteX, 700);
  EXPECT_EQ(app->Settings().remoteY, 40);
  app->ToggleDock();
  EXPECT_TRUE(Called("remote 700,40 remotestdt.skn"));
}

TEST_F(Panels, TheMenuSwitchesTheControllerStyleAndOpensTheDialogs) {
  Start(3);
  TuneIn();
  shell.menuChoice = kMenuAdvanced;
  app->ContextMenu();
  EXPECT_EQ(app->Controller().LayoutCode(), 6);
  EXPECT_TRUE(Called("reload remote remoteadvt.skn"));
  EXPECT_TRUE(shell.menuSkinned == app->Flags().menuPopup);
  const size_t before = windows.Messages().size();
  app->MenuCommand(kMenuVideoFormat);
  EXPECT_EQ(windows.Messages().size(), before + 1);
  EXPECT_FALSE(app->Controller().Busy());
  app->MenuCommand(kMenuHelp);
  EXPECT_TRUE(Called("help 1000"));
  app->MenuCommand(kMenuExit);
  EXPECT_TRUE(Called("post close"));
}

TEST_F(Panels, TypedDigitsTuneAfterTheirTimeOrOnEnter) {
  Start();
  TuneIn();
  CViewerController &c = app->Controller();
  EXPECT_TRUE(app->Key('2', 1000));
  EXPECT_EQ(shell.texts.at(1), "2");
  app->Tick(2499);
  EXPECT_EQ(c.CachedChannel(), 0);
  app->Tick(2500);
  EXPECT_EQ(c.CachedChannel(), 2);
  // Enter at once; the keypad's digits count too.
  app->Key(0x61, 3000);
  app->Key(0x0D, 3001);
  EXPECT_EQ(c.CachedChannel(), 1);
  // Backspace: the channel before.
  app->Key(0x08, 3002);
  EXPECT_EQ(c.CachedChannel(), 2);
  // A number the list does not hold changes nothing and says so.
  app->Key('9', 4000);
  app->Key('9', 4001);
  app->Key(0x0D, 4002);
  EXPECT_EQ(c.CachedChannel(), 2);
  EXPECT_EQ(shell.hint, "No channel 99");
  app->Key(0x21, 5000);  // Page Up
  EXPECT_EQ(c.CachedChannel(), 3);
}

TEST_F(Panels, HiddenBordersWhenMaximizedAndTheMainSkinBackOnRestore) {
  Start();
  app->Settings().hideBorders = true;
  app->BeforeMaximize();
  EXPECT_TRUE(Called("skin bare.skn"));
  EXPECT_TRUE(app->BordersHidden());
  shell.maximized = true;
  app->Maximized();
  EXPECT_TRUE(Called("hide docked"));
  EXPECT_TRUE(app->Settings().maximized);
  shell.maximized = false;
  shell.calls.clear();
  app->Restored();
  EXPECT_FALSE(app->BordersHidden());
  EXPECT_TRUE(Called("skin maindocked.skn"));
  EXPECT_TRUE(Called("show docked"));
}

TEST_F(Panels, MaximizedWithAspectRatioLetterboxesTheVideo) {
  Start();
  app->Settings().aspectRatio = true;
  app->Settings().aspectRatioType = 1;  // 16:9
  shell.maximized = true;
  shell.calls.clear();
  app->LayOutVideo();
  // The client element is 240 x 180: a 16:9 picture is 240 x 135, centred.
  EXPECT_TRUE(Called("video at 4,28-244,208 pane 0,22-240,157")) << shell.calls.front();
}

}  // namespace
}  // namespace tolven::viewer::testing
