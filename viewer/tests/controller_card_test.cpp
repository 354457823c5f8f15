// The controller on the virtual card, through the control interface's
// tables as the viewer reaches them.
#include <gtest/gtest.h>

#include "driver/control/tests/control_rig.h"
#include "platform/messagebox/emulated_message_boxes.h"
#include "platform/mixer/emulated_mixer.h"
#include "viewer/core/viewer_controller.h"
#include "viewer/tests/native_control_library.h"
#include "viewer/tests/recording_view.h"

namespace tolven::viewer::testing {
namespace {

struct OnTheCard : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(rig.opened);
    mixer.SetDeviceCount(1);
    volumeId = mixer.AddControl(mix::kComponentTypeDstSpeakers, mix::kControlTypeVolume, 0, 65535);
    muteId = mixer.AddControl(mix::kComponentTypeDstSpeakers, mix::kControlTypeMute, 0, 1);
    master.Open();
    ASSERT_TRUE(controller.Bind());
    controller.TakeInterface();
  }
  // Finds the default card's stations and tunes the tuner input.
  void Scan() {
    control::ICrossbarControl *crossbar = holder.Hub()->GetCrossbar();
    for (int32_t i = 0; i < crossbar->GetSourceCount(); ++i)
      if (crossbar->GetSourceType(i) == 2) controller.SelectSource(i);
    ASSERT_TRUE(controller.AutoScan());
    ASSERT_GT(controller.ChannelCount(), 1);
  }
  uint32_t TunedFrequency() { return rig.card.Tuner()->TunedFrequency(); }

  tolven::testing::CardRig rig;
  NativeControlLibrary library{&rig.env};
  CInterfaceHolder holder{library};
  RecordingView view;
  ui::EmulatedMessageBoxes messages;
  mix::EmulatedMixer mixer;
  uint32_t volumeId = 0, muteId = 0;
  CMasterVolume master{mixer};
  CViewerController controller{holder, view, messages, &master};
};

TEST_F(OnTheCard, TakingTheInterfaceCachesTheState) {
  EXPECT_TRUE(controller.Available());
  control::ICrossbarControl *crossbar = holder.Hub()->GetCrossbar();
  EXPECT_EQ(controller.CachedSource(), crossbar->GetSource());
  EXPECT_EQ(controller.CachedVolume(), crossbar->GetVolume());
  EXPECT_EQ(controller.CachedChannel(), -1);
  EXPECT_GE(controller.SourceCount(), 2);
  EXPECT_FALSE(controller.SourceName(0).empty());
  EXPECT_NE(controller.SourceName(0), u"0");
  EXPECT_EQ(controller.SourceText(), controller.SourceName(controller.CachedSource()));
  EXPECT_TRUE(messages.History().empty());
}

TEST_F(OnTheCard, SourceSteppingWrapsAndLaysOutForTheSourceType) {
  const int32_t count = controller.SourceCount();
  controller.SetLayoutCode(3);  // standard, undocked
  controller.SelectSource(count - 1);
  controller.NextSource();
  EXPECT_EQ(controller.CachedSource(), 0);
  EXPECT_EQ(holder.Hub()->GetCrossbar()->GetSource(), 0);
  ASSERT_EQ(view.layouts.size(), 1u);
  EXPECT_EQ(view.layouts[0], controller.SourceType(0) == 2 ? 3 : 4);
  controller.PreviousSource();
  EXPECT_EQ(controller.CachedSource(), count - 1);
  EXPECT_EQ(holder.Hub()->GetCrossbar()->GetSource(), count - 1);
  EXPECT_EQ(view.layouts.back(), controller.SourceType(count - 1) == 2 ? 3 : 4);
  EXPECT_EQ(view.waitDepth, 0);
}

TEST_F(OnTheCard, ChannelStepsWrapAndTuneTheCard) {
  Scan();
  const int32_t count = controller.ChannelCount();
  // Up from no channel asks the tuner for -1, which it refuses.
  controller.ChannelUp();
  EXPECT_EQ(controller.CachedChannel(), -1);
  // Down from no channel tunes the last.
  controller.ChannelDown();
  EXPECT_EQ(controller.CachedChannel(), count - 1);
  EXPECT_EQ(controller.CurrentChannel(), count - 1);
  const uint32_t last = TunedFrequency();
  controller.ChannelUp();
  EXPECT_EQ(controller.CachedChannel(), 0);
  EXPECT_EQ(controller.CurrentChannel(), 0);
  EXPECT_NE(TunedFrequency(), last);
  EXPECT_EQ(controller.ChannelText(true), u"Ch 0");
  controller.ChannelDown();
  EXPECT_EQ(controller.CachedChannel(), count - 1);
  EXPECT_EQ(TunedFrequency(), last);
  EXPECT_TRUE(view.opened.empty());
}

TEST_F(OnTheCard, ChannelUpWithoutChannelsOpensTheNewPanel) {
  ASSERT_EQ(controller.ChannelCount(), 0);
  controller.ChannelUp();
  ASSERT_EQ(view.opened.size(), 1u);
  EXPECT_EQ(view.opened[0].first, Panel::kNewChannel);
}

TEST_F(OnTheCard, NewChannelAppendsTunesAndMarks) {
  Scan();
  const int32_t count = controller.ChannelCount();
  controller.NewChannel();
  EXPECT_EQ(controller.ChannelCount(), count + 1);
  EXPECT_EQ(controller.CachedChannel(), count);
  EXPECT_EQ(controller.CurrentChannel(), count);
  controller.Commit();  // the panel's Okay
  controller.NewFinished();
  EXPECT_EQ(controller.CachedChannel(), count);
}

TEST_F(OnTheCard, VolumeStepsStopAtTheEndsAndMirrorToTheMaster) {
  control::ICrossbarControl *crossbar = holder.Hub()->GetCrossbar();
  ASSERT_TRUE(controller.SourceHasAudio(controller.CachedSource()));
  controller.SetMasterVolumeOn(true);
  controller.SetVolume(97);
  controller.VolumeUp();
  EXPECT_EQ(crossbar->GetVolume(), 100);
  EXPECT_EQ(controller.CachedVolume(), 100);
  EXPECT_EQ(mixer.Value(volumeId), 65500);
  EXPECT_EQ(controller.VolumeText(), u"Vol = 100");
  controller.SetVolume(3);
  controller.VolumeDown();
  EXPECT_EQ(crossbar->GetVolume(), 0);
  EXPECT_EQ(mixer.Value(volumeId), 0);
  controller.SetMasterVolumeOn(false);
  controller.SetVolume(40);
  EXPECT_EQ(mixer.Value(volumeId), 0);
  EXPECT_EQ(controller.VolumeText(), u"Vol = 40");
}

TEST_F(OnTheCard, MuteAndStereoToggle) {
  control::ICrossbarControl *crossbar = holder.Hub()->GetCrossbar();
  controller.SetMasterVolumeOn(true);
  const bool muted = crossbar->GetMute() != 0;
  controller.ToggleMute();
  EXPECT_EQ(crossbar->GetMute() != 0, !muted);
  EXPECT_EQ(controller.CachedMute(), !muted);
  EXPECT_EQ(mixer.Value(muteId), muted ? 0 : 1);
  EXPECT_EQ(controller.MuteText(), muted ? u"" : u"Mute");
  const bool stereo = crossbar->GetStereo() != 0;
  controller.ToggleStereo();
  // The cache takes the asked-for value, whether or not the sound carries it.
  EXPECT_EQ(controller.CachedStereo(), !stereo);
  EXPECT_EQ(controller.StereoText(), stereo ? u"Mono" : u"Stereo");
}

TEST_F(OnTheCard, ASourceWithoutAudioHasNoVolume) {
  control::ICrossbarControl *crossbar = holder.Hub()->GetCrossbar();
  int32_t silent = -1;
  for (int32_t i = 0; i < crossbar->GetSourceCount(); ++i)
    if (!crossbar->SourceHasAudio(i)) silent = i;
  if (silent < 0) GTEST_SKIP() << "the default card gives every source audio";
  controller.SelectSource(silent);
  const int32_t before = crossbar->GetVolume();
  controller.VolumeUp();
  EXPECT_EQ(crossbar->GetVolume(), before);
  EXPECT_EQ(controller.VolumeText(), u"No Audio");
  EXPECT_EQ(controller.StereoText(), u"");
}

TEST_F(OnTheCard, ASeekPastTheLastStationPutsTheChannelBack) {
  Scan();
  control::ITunerControl *tuner = holder.Hub()->GetTuner();
  const int32_t last = controller.ChannelCount() - 1;
  controller.ChannelDown();
  ASSERT_EQ(controller.CachedChannel(), last);
  const int32_t number = tuner->GetChannelNumber(last);
  const uint32_t frequency = TunedFrequency();
  WString message;
  EXPECT_FALSE(controller.SeekChannel(true, &message));
  EXPECT_EQ(message, u"No station found above this channel; the channel is unchanged.");
  EXPECT_EQ(tuner->GetChannelNumber(last), number);
  EXPECT_EQ(TunedFrequency(), frequency);
  EXPECT_EQ(controller.CurrentChannel(), last);
  EXPECT_FALSE(view.progress.empty());
}

TEST_F(OnTheCard, ASeekDownBelowTheFirstStationPutsTheChannelBack) {
  Scan();
  control::ITunerControl *tuner = holder.Hub()->GetTuner();
  controller.ChannelDown();
  controller.ChannelUp();
  ASSERT_EQ(controller.CachedChannel(), 0);
  const int32_t number = tuner->GetChannelNumber(0);
  const uint32_t frequency = TunedFrequency();
  WString message;
  EXPECT_FALSE(controller.SeekChannel(false, &message));
  EXPECT_EQ(message, u"No station found below this channel; the channel is unchanged.");
  EXPECT_EQ(tuner->GetChannelNumber(0), number);
  EXPECT_EQ(TunedFrequency(), frequency);
}

TEST_F(OnTheCard, ASeekThatFindsAStationMovesTheChannel) {
  Scan();
  control::ITunerControl *tuner = holder.Hub()->GetTuner();
  // Free the second station, then seek up from the first.
  ASSERT_TRUE(tuner->DeleteChannel(1));
  controller.ChannelDown();
  controller.ChannelUp();
  ASSERT_EQ(controller.CachedChannel(), 0);
  const int32_t number = tuner->GetChannelNumber(0);
  const uint32_t frequency = TunedFrequency();
  WString message = u"x";
  EXPECT_TRUE(controller.SeekChannel(true, &message));
  EXPECT_TRUE(message.empty());
  EXPECT_GT(tuner->GetChannelNumber(0), number);
  EXPECT_GT(TunedFrequency(), frequency);
}

TEST_F(OnTheCard, TheProgressCallbackStopsASeekWhenThePanelSaysSo) {
  Scan();
  control::ITunerControl *tuner = holder.Hub()->GetTuner();
  ASSERT_TRUE(tuner->DeleteChannel(1));
  controller.ChannelDown();
  controller.ChannelUp();
  const int32_t number = tuner->GetChannelNumber(0);
  view.progress.clear();
  view.stopAfter = 0;  // stop at the first report
  WString message;
  EXPECT_FALSE(controller.SeekChannel(true, &message));
  EXPECT_EQ(view.progress.size(), 1u);
  EXPECT_EQ(tuner->GetChannelNumber(0), number);
  EXPECT_TRUE(message.empty());  // stopped, not a search that found nothing
}

TEST_F(OnTheCard, AFineTuneStepMovesTheFrequency) {
  Scan();
  controller.ChannelDown();
  const uint32_t before = TunedFrequency();
  EXPECT_TRUE(controller.StepChannel(true));
  EXPECT_GT(TunedFrequency(), before);
  EXPECT_TRUE(controller.StepChannel(false));
  EXPECT_EQ(TunedFrequency(), before);
}

TEST_F(OnTheCard, TheScanReportsProgressAndTheFinishShowsTheChannel) {
  view.progress.clear();
  Scan();
  ASSERT_FALSE(view.progress.empty());
  EXPECT_EQ(view.progress.front().first, 1);
  EXPECT_GE(view.progress.back().second, 100);
  controller.OpenAutoTunePanel();
  ASSERT_EQ(view.opened.size(), 1u);
  EXPECT_EQ(view.opened[0].first, Panel::kAutoTune);
  EXPECT_EQ(view.opened[0].second.x, 500 - 185);
  EXPECT_EQ(view.opened[0].second.y, 400 - 115);
  EXPECT_TRUE(controller.Busy());
  holder.Hub()->GetTuner()->TuneChannel(1);
  view.shown.clear();
  controller.ScanFinished();
  EXPECT_FALSE(controller.Busy());
  EXPECT_EQ(controller.CachedChannel(), 1);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0], kShowChannel);
  controller.ScanFinished();  // unchanged: nothing shown
  EXPECT_EQ(view.shown.size(), 1u);
}

TEST_F(OnTheCard, TheEditPanelOpensWithChannelsAndItsFinishRetunes) {
  controller.OpenEditPanel();
  EXPECT_TRUE(view.opened.empty());
  Scan();
  controller.OpenEditPanel();
  ASSERT_EQ(view.opened.size(), 1u);
  EXPECT_EQ(view.opened[0].second.x, 500 - 210);
  EXPECT_EQ(view.opened[0].second.y, 400 - 140);
  controller.OpenEditPanel();
  EXPECT_EQ(view.opened.size(), 1u);
  holder.Hub()->GetTuner()->TuneChannel(2);
  controller.Commit();  // the panel's Okay
  controller.EditFinished();
  EXPECT_TRUE(controller.Bound());
  EXPECT_EQ(controller.CachedChannel(), 2);
  EXPECT_FALSE(controller.Busy());
}

TEST_F(OnTheCard, TheVideoSourceDialogsChangesArePickedUp) {
  control::ICrossbarControl *crossbar = holder.Hub()->GetCrossbar();
  controller.SetMasterVolumeOn(true);
  controller.SetLayoutCode(1);
  // Only the volume changed inside the dialog.
  crossbar->SetVolume(controller.CachedVolume() == 60 ? 70 : 60);
  const int32_t volume = crossbar->GetVolume();
  view.shown.clear();
  controller.VideoSourceConfirmed();
  EXPECT_EQ(controller.CachedVolume(), volume);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0], kShowVolume);
  EXPECT_EQ(mixer.Value(volumeId), volume * 655);
  EXPECT_TRUE(view.layouts.empty());
  EXPECT_EQ(view.repaints, 1);
  // Another source chosen inside the dialog: cached and laid out for its type.
  const int32_t other = (controller.CachedSource() + 1) % controller.SourceCount();
  holder.Hub()->GetCrossbar()->SetSource(other);
  controller.VideoSourceConfirmed();
  EXPECT_EQ(controller.CachedSource(), other);
  ASSERT_EQ(view.layouts.size(), 1u);
  EXPECT_EQ(view.layouts[0], controller.SourceType(other) == 2 ? 1 : 2);
  EXPECT_EQ(view.repaints, 2);
}

TEST_F(OnTheCard, SteppingThroughEverySourceComesBack) {
  const int32_t count = controller.SourceCount();
  const int32_t start = controller.CachedSource();
  for (int32_t i = 0; i < count; ++i) controller.NextSource();
  EXPECT_EQ(controller.CachedSource(), start);
  EXPECT_EQ(view.layouts.size(), static_cast<size_t>(count));
}

}  // namespace
}  // namespace tolven::viewer::testing
