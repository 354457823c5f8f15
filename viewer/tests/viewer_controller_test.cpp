// The controller without a card: binding failures, and every operation
// unbound doing nothing and answering its default.
#include <gtest/gtest.h>

#include "platform/messagebox/emulated_message_boxes.h"
#include "platform/mixer/emulated_mixer.h"
#include "viewer/core/viewer_controller.h"
#include "viewer/core/viewer_strings.h"
#include "viewer/tests/native_control_library.h"
#include "viewer/tests/recording_view.h"

namespace tolven::viewer::testing {
namespace {

struct Unbound : ::testing::Test {
  NativeControlLibrary library;
  CInterfaceHolder holder{library};
  RecordingView view;
  ui::EmulatedMessageBoxes messages;
  mix::EmulatedMixer mixer;
  CMasterVolume master{mixer};
  CViewerController controller{holder, view, messages, &master};
};

TEST_F(Unbound, AMissingModuleFailsWithoutAMessage) {
  library.present = false;
  EXPECT_FALSE(controller.Bind());
  EXPECT_FALSE(controller.Bound());
  EXPECT_TRUE(messages.History().empty());
}

TEST_F(Unbound, AMissingExportFailsWithoutAMessage) {
  library.exported = false;
  EXPECT_FALSE(controller.Bind());
  EXPECT_TRUE(messages.History().empty());
}

TEST_F(Unbound, ANullFactoryShowsTheInterfaceMessage) {
  library.nullFactory = true;
  EXPECT_FALSE(controller.Bind());
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].owner, 0u);
  EXPECT_EQ(messages.History()[0].caption, u"Error");
  EXPECT_EQ(messages.History()[0].text,
            u"Unable to get an interface to the hardware.   Make sure that you have the correct version of the "
            u"Video for Windows driver loaded.");
}

TEST_F(Unbound, TheModuleIsLoadedOnceAndFreedWithTheHolder) {
  library.nullFactory = true;
  controller.Bind();
  controller.Rebind();
  EXPECT_EQ(library.loads, 1);
  holder.Reset();
  EXPECT_EQ(library.frees, 1);
  holder.Reset();
  EXPECT_EQ(library.frees, 1);
}

TEST_F(Unbound, ReadsAnswerTheirDefaults) {
  EXPECT_EQ(controller.SourceCount(), 0);
  EXPECT_EQ(controller.SourceType(0), 0);
  EXPECT_FALSE(controller.SourceHasAudio(0));
  EXPECT_EQ(controller.SourceName(3), u"3");
  EXPECT_EQ(controller.ChannelCount(), 0);
  EXPECT_EQ(controller.CurrentChannel(), -1);
  EXPECT_EQ(controller.ChannelPosition(2), -1);
  EXPECT_EQ(controller.ChannelName(7), u"7");
  EXPECT_EQ(controller.AspectRatio(), -1);
  EXPECT_EQ(controller.AspectRatioCount(), 0);
  EXPECT_EQ(controller.AspectRatioName(1), u"1");
  controller.TakeInterface();
  EXPECT_FALSE(controller.Available());
  EXPECT_EQ(controller.CachedSource(), 0);
  EXPECT_EQ(controller.CachedChannel(), -1);
}

TEST_F(Unbound, TextsFallBack) {
  EXPECT_EQ(controller.SourceText(), u"No Source");
  EXPECT_EQ(controller.ChannelText(true), u"No Channel");
  EXPECT_EQ(controller.ChannelText(false), u"No channels");
  EXPECT_EQ(controller.VolumeText(), u"No Audio");
  EXPECT_EQ(controller.MuteText(), u"");
  EXPECT_EQ(controller.StereoText(), u"");
}

TEST_F(Unbound, ActionsDoNothingButChannelUpOpensTheNewPanel) {
  controller.NextSource();
  controller.PreviousSource();
  controller.VolumeUp();
  controller.VolumeDown();
  EXPECT_TRUE(view.layouts.empty());
  EXPECT_EQ(controller.CachedVolume(), 0);
  WString message = u"x";
  EXPECT_FALSE(controller.SeekChannel(true, &message));
  EXPECT_TRUE(message.empty());
  EXPECT_FALSE(controller.StepChannel(true));
  EXPECT_FALSE(controller.AutoScan());
  controller.NewChannel();
  EXPECT_EQ(controller.CachedChannelCount(), 0);

  controller.ChannelUp();
  ASSERT_EQ(view.opened.size(), 1u);
  EXPECT_EQ(view.opened[0].first, Panel::kNewChannel);
  EXPECT_EQ(view.opened[0].second.x, 500 - 230);
  EXPECT_EQ(view.opened[0].second.y, 400 - 150);
  EXPECT_TRUE(controller.Busy());
  EXPECT_EQ(view.waitDepth, 0);
  EXPECT_EQ(controller.ChannelText(true), u"No Channel");
}

TEST_F(Unbound, TheMuteCacheFollowsEvenUnbound) {
  controller.ToggleMute();
  EXPECT_TRUE(controller.CachedMute());
  // Unbound the reading is 0 again, so the next toggle mutes once more.
  controller.ToggleMute();
  EXPECT_TRUE(controller.CachedMute());
  controller.ToggleStereo();
  EXPECT_TRUE(controller.CachedStereo());
}

TEST_F(Unbound, PanelsNeedChannelsOrTheInterface) {
  controller.OpenEditPanel();
  controller.OpenAutoTunePanel();
  EXPECT_TRUE(view.opened.empty());
  EXPECT_FALSE(controller.Busy());
  view.cursor = {100, 20};
  controller.OpenNewPanel();
  ASSERT_EQ(view.opened.size(), 1u);
  // Clamped to the screen's top left.
  EXPECT_EQ(view.opened[0].second.x, 0);
  EXPECT_EQ(view.opened[0].second.y, 0);
  controller.OpenNewPanel();
  EXPECT_EQ(view.opened.size(), 1u);  // one at a time
  controller.NewFinished();
  EXPECT_FALSE(controller.Busy());
}

TEST_F(Unbound, TheHotkeyGuardLetsOneIn) {
  EXPECT_TRUE(controller.EnterHotkey());
  EXPECT_FALSE(controller.EnterHotkey());
  controller.LeaveHotkey();
  EXPECT_TRUE(controller.EnterHotkey());
}

TEST(ViewerStrings, EveryTextTheControllerShowsExists) {
  for (uint32_t id : {68u, 69u, 70u, 71u, 72u, 73u, 76u, 77u, 80u, 106u, 116u, 117u, 122u, 123u, 128u, 129u, 133u,
                      134u, 150u, 151u})
    EXPECT_TRUE(ViewerStrings::Has(id)) << id;
  EXPECT_FALSE(ViewerStrings::Has(0));
  EXPECT_EQ(ViewerStrings::Text(120), u"");
  EXPECT_EQ(ViewerStrings::Text(122), u"Vol = ");
  EXPECT_EQ(ViewerStrings::Text(110), u"Channel - ");
}

}  // namespace
}  // namespace tolven::viewer::testing
