// The capture connection over emulated capture windows: discovery, each
// failure with its one message, messages only to a live window, the display
// change and the end.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/capture/emulated_capture_windows.h"
#include "platform/messagebox/emulated_message_boxes.h"
#include "viewer/core/capture_link.h"

namespace tolven::viewer {
namespace {

using Strings = std::vector<std::string>;

struct Link : ::testing::Test {
  void SetUp() override {
    windows.AddDriver(u"Microsoft WDM Image Capture");
    windows.AddDriver(u"TOLVENU.DLL");
  }
  bool Connect() { return link->Connect(0x77, Rect{0, 0, 400, 300}, 0x55); }
  cap::EmulatedCaptureWindows windows;
  ui::EmulatedMessageBoxes messages;
  std::unique_ptr<CCaptureLink> link = std::make_unique<CCaptureLink>(windows, messages);
};

TEST_F(Link, TheDriverIsFoundByNameInAnyCase) { EXPECT_EQ(link->DiscoverDriver(), 1); }

TEST_F(Link, OnlyIndexesUpToNineAreLookedAt) {
  cap::EmulatedCaptureWindows many;
  for (int i = 0; i < 10; ++i) many.AddDriver(u"other");
  many.AddDriver(u"tolvenu.dll");
  CCaptureLink far(many, messages);
  EXPECT_EQ(far.DiscoverDriver(), -1);
}

TEST_F(Link, AGoodConnectionTurnsTheOverlayOnAndKeepsTheName) {
  ASSERT_TRUE(Connect());
  EXPECT_TRUE(messages.History().empty());
  ASSERT_EQ(windows.CreatedWindows().size(), 1u);
  const auto &w = windows.CreatedWindows()[0];
  EXPECT_EQ(w.name, u"OverlayWnd");
  EXPECT_EQ(w.style, 0x50000000u);
  EXPECT_EQ(w.parent, 0x77u);
  EXPECT_EQ(w.id, 1);
  EXPECT_EQ(w.width, 400);
  EXPECT_EQ(w.height, 300);
  EXPECT_EQ(windows.Messages(), (Strings{"connect 1", "caps", "overlay 1", "name"}));
  EXPECT_TRUE(windows.OverlayOn());
  EXPECT_EQ(link->DriverName(), u"TOLVENU.DLL");
  EXPECT_TRUE(link->Caps().hasVideoSourceDialog);
  link.reset();
  EXPECT_EQ(windows.Messages(), (Strings{"connect 1", "caps", "overlay 1", "name", "overlay 0", "disconnect"}));
  EXPECT_FALSE(windows.Connected());
}

TEST(LinkFailures, NoDriverGivesOneMessageWithoutOwner) {
  cap::EmulatedCaptureWindows windows;
  ui::EmulatedMessageBoxes messages;
  {
    CCaptureLink link(windows, messages);
    EXPECT_FALSE(link.Connect(0x77, Rect{0, 0, 10, 10}, 0x55));
    EXPECT_EQ(link.DriverIndex(), -1);
  }
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].text, u"Unable to locate Video for Windows driver");
  EXPECT_EQ(messages.History()[0].caption, u"Error");
  EXPECT_EQ(messages.History()[0].owner, 0u);
  EXPECT_TRUE(windows.CreatedWindows().empty());
  EXPECT_TRUE(windows.Messages().empty());
}

TEST_F(Link, AWindowThatCannotBeCreatedGivesOneMessage) {
  windows.FailCreate(true);
  EXPECT_FALSE(Connect());
  link.reset();
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].text, u"Unable to create overlay window.");
  EXPECT_EQ(messages.History()[0].caption, u"");
  EXPECT_EQ(messages.History()[0].owner, 0x55u);
  EXPECT_TRUE(windows.Messages().empty());  // nothing sent to no window
}

TEST_F(Link, AFailedConnectGivesOneMessage) {
  windows.FailConnect(true);
  EXPECT_FALSE(Connect());
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].text, u"Unable to connect to the hardware.");
  EXPECT_EQ(windows.Messages(), (Strings{"connect 1"}));
}

TEST_F(Link, AFailedOverlayGivesOneMessage) {
  windows.FailOverlay(true);
  EXPECT_FALSE(Connect());
  ASSERT_EQ(messages.History().size(), 1u);
  EXPECT_EQ(messages.History()[0].text, u"Unable to turn on the overlay.");
  EXPECT_EQ(windows.Messages(), (Strings{"connect 1", "caps", "overlay 1"}));
}

TEST_F(Link, NothingIsSentToAWindowThatIsGone) {
  ASSERT_TRUE(Connect());
  windows.DestroyWindow();
  EXPECT_EQ(link->SetOverlay(false), 0);
  EXPECT_EQ(link->ShowDialog(cap::Dialog::kVideoSource), 0);
  EXPECT_FALSE(link->Reconnect());
  link.reset();
  EXPECT_EQ(windows.Messages().size(), 4u);
}

TEST_F(Link, ADisplayChangeReconnectsTheSameDriver) {
  ASSERT_TRUE(Connect());
  EXPECT_TRUE(link->Reconnect());
  EXPECT_EQ(windows.Messages(),
            (Strings{"connect 1", "caps", "overlay 1", "name", "overlay 0", "disconnect", "connect 1", "overlay 1"}));
  EXPECT_TRUE(windows.OverlayOn());
}

TEST_F(Link, TheDialogsGoToTheWindow) {
  ASSERT_TRUE(Connect());
  EXPECT_EQ(link->ShowDialog(cap::Dialog::kVideoFormat), 1);
  EXPECT_EQ(link->ShowDialog(cap::Dialog::kVideoDisplay), 1);
  EXPECT_EQ(windows.Messages().back(), "dialog display");
}

}  // namespace
}  // namespace tolven::viewer
