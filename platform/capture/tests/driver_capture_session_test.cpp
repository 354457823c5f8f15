#include "platform/capture/driver_capture_session.h"

#include <gtest/gtest.h>

#include "platform/capture/tests/fake_capture_driver.h"
#include "platform/registry/emulated_registry.h"

namespace tolven::cap {
namespace {

using test::FakeCaptureDriver;

constexpr uintptr_t kWindow = 0x5150, kDc = 0x7DC;
const ScreenRect kClient{100, 50, 420, 290};

class DriverCaptureSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg::Key key = 0;
    ASSERT_EQ(registry_.CreateKey(reg::kLocalMachine, kDrivers32Path, reg::kAllAccess, &key), 0u);
    ASSERT_EQ(reg::SetString(registry_, key, u"msvideo2", u"card.dll"), 0u);
    registry_.CloseKey(key);
    drivers_.InstallModule(u"card.dll", driver_.Proc());
    driver_.dialogShow[kChannelIn] = driver_.dialogShow[kChannelExternalIn] =
        driver_.dialogShow[kChannelExternalOut] = 17;
  }
  std::vector<drv::EmulatedInstallableDrivers::Call> CallsOf(uint32_t message) {
    std::vector<drv::EmulatedInstallableDrivers::Call> found;
    for (const auto &call : drivers_.Calls())
      if (call.message == message) found.push_back(call);
    return found;
  }

  reg::EmulatedRegistry registry_;
  EmulatedDriverVersionInfo versions_;
  DriverCatalog catalog_{registry_, versions_};
  drv::EmulatedInstallableDrivers drivers_{registry_};
  FakeCaptureDriver driver_;
  DriverCaptureSession session_{drivers_, catalog_};
};

TEST_F(DriverCaptureSessionTest, ConnectOpensTheRegistrationAsTheThreeChannels) {
  ASSERT_EQ(session_.Connect(2), 1);
  EXPECT_EQ(drivers_.OpenRequests(), (std::vector<WString>{u"msvideo2", u"msvideo2", u"msvideo2"}));
  ASSERT_EQ(driver_.opens.size(), 3u);
  const uint32_t order[3] = {kChannelIn, kChannelExternalIn, kChannelExternalOut};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(driver_.opens[i].dwSize, sizeof(VideoOpenParms));
    EXPECT_EQ(driver_.opens[i].fccType, 0x70616376u);  // "vcap"
    EXPECT_EQ(driver_.opens[i].fccComp, 0u);
    EXPECT_EQ(driver_.opens[i].dwVersion, 0x400u);
    EXPECT_EQ(driver_.opens[i].dwFlags, order[i]);
  }
  EXPECT_EQ(drivers_.OpenDriverCount(), 3u);
  EXPECT_NE(session_.Channel(kChannelIn), 0u);
  EXPECT_NE(session_.Channel(kChannelExternalIn), 0u);
  EXPECT_NE(session_.Channel(kChannelExternalOut), 0u);
}

TEST_F(DriverCaptureSessionTest, IndexWithoutRegistrationConnectsNothing) {
  EXPECT_EQ(session_.Connect(0), 0);
  EXPECT_EQ(session_.Connect(10), 0);
  EXPECT_EQ(session_.Connect(-1), 0);
  EXPECT_TRUE(drivers_.OpenRequests().empty());
  DriverCaps caps;
  EXPECT_EQ(session_.GetCaps(&caps), 0);
}

TEST_F(DriverCaptureSessionTest, WithoutTheVideoInChannelThereIsNoConnection) {
  driver_.refuse[kChannelIn] = true;
  EXPECT_EQ(session_.Connect(2), 0);
  EXPECT_EQ(driver_.opens.size(), 1u);
  EXPECT_EQ(drivers_.OpenDriverCount(), 0u);
  EXPECT_FALSE(session_.Connected());
}

TEST_F(DriverCaptureSessionTest, CapabilitiesComeFromTheChannelsAnswers) {
  driver_.dialogQuery[kChannelIn] = 17;  // no format dialog
  ASSERT_EQ(session_.Connect(2), 1);
  DriverCaps caps;
  ASSERT_EQ(session_.GetCaps(&caps), 1);
  EXPECT_EQ(caps.deviceIndex, 2u);
  EXPECT_TRUE(caps.hasOverlay);
  EXPECT_TRUE(caps.captureInitialized);
  // The external-in channel of this driver wants the query flag alone.
  EXPECT_TRUE(caps.hasVideoSourceDialog);
  EXPECT_FALSE(caps.hasVideoFormatDialog);
  EXPECT_TRUE(caps.hasVideoDisplayDialog);
  const auto queries = driver_.Of(kDvmDialog);
  ASSERT_EQ(queries.size(), 3u);
  for (const auto &query : queries) EXPECT_EQ(query.lParam2, static_cast<intptr_t>(kVideoDialogQuery));
  const auto capsAsked = driver_.Of(kDvmGetChannelCaps);
  ASSERT_EQ(capsAsked.size(), 1u);
  EXPECT_EQ(capsAsked[0].channel, kChannelExternalOut);
  EXPECT_EQ(capsAsked[0].lParam2, static_cast<intptr_t>(sizeof(ChannelCaps)));
}

TEST_F(DriverCaptureSessionTest, NoExternalOutChannelMeansNoOverlay) {
  driver_.refuse[kChannelExternalOut] = true;
  ASSERT_EQ(session_.Connect(2), 1);
  DriverCaps caps;
  ASSERT_EQ(session_.GetCaps(&caps), 1);
  EXPECT_FALSE(caps.hasOverlay);
  EXPECT_FALSE(caps.hasVideoDisplayDialog);
  EXPECT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 0);
  EXPECT_TRUE(driver_.Of(kDvmStreamInit).empty());
}

TEST_F(DriverCaptureSessionTest, DriverWithoutOverlayRefusesTheOverlay) {
  driver_.overlayCapable = false;
  ASSERT_EQ(session_.Connect(2), 1);
  EXPECT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 0);
  EXPECT_FALSE(session_.OverlayOn());
  EXPECT_TRUE(driver_.Of(kDvmStreamInit).empty());
}

TEST_F(DriverCaptureSessionTest, OverlayStartsTheStreamThenPlacesItOnTheClientArea) {
  ASSERT_EQ(session_.Connect(2), 1);
  driver_.messages.clear();
  ASSERT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 1);
  EXPECT_TRUE(session_.OverlayOn());
  ASSERT_EQ(driver_.messages.size(), 3u);
  EXPECT_EQ(driver_.messages[0].message, kDvmStreamInit);
  EXPECT_EQ(driver_.messages[0].channel, kChannelExternalOut);
  EXPECT_EQ(driver_.messages[0].streamFlags, 0u);
  EXPECT_EQ(driver_.messages[1].message, kDvmDstRect);
  EXPECT_EQ(driver_.messages[1].channel, kChannelExternalOut);
  EXPECT_EQ(driver_.messages[1].rect, kClient);
  EXPECT_EQ(driver_.messages[1].lParam2, static_cast<intptr_t>(kConfigureSet));
  EXPECT_EQ(driver_.messages[2].message, kDvmUpdate);
  EXPECT_EQ(driver_.messages[2].lParam1, static_cast<intptr_t>(kWindow));
  EXPECT_EQ(driver_.messages[2].lParam2, static_cast<intptr_t>(kDc));

  // Again: no second start, only a new placement.
  const ScreenRect moved{0, 0, 640, 480};
  ASSERT_EQ(session_.SetOverlay(true, kWindow, kDc, moved), 1);
  EXPECT_EQ(driver_.Of(kDvmStreamInit).size(), 1u);
  EXPECT_EQ(driver_.Of(kDvmDstRect).back().rect, moved);

  session_.Place(kWindow, kDc, kClient);
  EXPECT_EQ(driver_.Of(kDvmUpdate).size(), 3u);
}

TEST_F(DriverCaptureSessionTest, StreamThatDoesNotStartLeavesTheOverlayOff) {
  driver_.streamInit = 7;
  ASSERT_EQ(session_.Connect(2), 1);
  EXPECT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 0);
  EXPECT_FALSE(session_.OverlayOn());
  EXPECT_TRUE(driver_.Of(kDvmDstRect).empty());
}

TEST_F(DriverCaptureSessionTest, OverlayOffEndsTheStreamAndStopsPlacing) {
  ASSERT_EQ(session_.Connect(2), 1);
  ASSERT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 1);
  EXPECT_EQ(session_.SetOverlay(false, kWindow, kDc, kClient), 1);
  EXPECT_FALSE(session_.OverlayOn());
  ASSERT_EQ(driver_.Of(kDvmStreamFini).size(), 1u);
  EXPECT_EQ(driver_.Of(kDvmStreamFini)[0].channel, kChannelExternalOut);
  session_.Place(kWindow, kDc, kClient);
  EXPECT_EQ(driver_.Of(kDvmUpdate).size(), 1u);
  // Off when already off: nothing more to send.
  EXPECT_EQ(session_.SetOverlay(false, kWindow, kDc, kClient), 1);
  EXPECT_EQ(driver_.Of(kDvmStreamFini).size(), 1u);
}

TEST_F(DriverCaptureSessionTest, MessagesWithoutAConnectionAnswerZero) {
  DriverCaps caps;
  WString name;
  EXPECT_EQ(session_.GetCaps(&caps), 0);
  EXPECT_EQ(session_.GetName(&name), 0);
  EXPECT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 0);
  EXPECT_EQ(session_.SetOverlay(false, kWindow, kDc, kClient), 0);
  EXPECT_EQ(session_.ShowDialog(Dialog::kVideoSource, kWindow), 0);
  EXPECT_EQ(session_.Disconnect(), 0);
  EXPECT_TRUE(drivers_.Calls().empty());
}

TEST_F(DriverCaptureSessionTest, DisconnectEndsTheOverlayAndClosesTheChannelsLastOpenedFirst) {
  ASSERT_EQ(session_.Connect(2), 1);
  ASSERT_EQ(session_.SetOverlay(true, kWindow, kDc, kClient), 1);
  EXPECT_EQ(session_.Disconnect(), 1);
  EXPECT_EQ(driver_.Of(kDvmStreamFini).size(), 1u);
  const auto closes = CallsOf(drv::kDrvClose);
  ASSERT_EQ(closes.size(), 3u);
  EXPECT_EQ(closes[0].driverId, kChannelExternalOut);
  EXPECT_EQ(closes[1].driverId, kChannelExternalIn);
  EXPECT_EQ(closes[2].driverId, kChannelIn);
  EXPECT_EQ(CallsOf(drv::kDrvFree).size(), 1u);
  EXPECT_EQ(drivers_.OpenDriverCount(), 0u);
  EXPECT_FALSE(session_.OverlayOn());
  EXPECT_EQ(session_.Channel(kChannelIn), 0u);
  EXPECT_EQ(session_.Disconnect(), 0);
}

TEST_F(DriverCaptureSessionTest, ConnectingAgainClosesTheFirstConnection) {
  ASSERT_EQ(session_.Connect(2), 1);
  ASSERT_EQ(session_.Connect(2), 1);
  EXPECT_EQ(CallsOf(drv::kDrvClose).size(), 3u);
  EXPECT_EQ(drivers_.OpenDriverCount(), 3u);
}

TEST_F(DriverCaptureSessionTest, SessionThatEndsClosesItsChannels) {
  {
    DriverCaptureSession session(drivers_, catalog_);
    ASSERT_EQ(session.Connect(2), 1);
    ASSERT_EQ(session.SetOverlay(true, kWindow, kDc, kClient), 1);
  }
  EXPECT_EQ(driver_.Of(kDvmStreamFini).size(), 1u);
  EXPECT_EQ(drivers_.OpenDriverCount(), 0u);
}

TEST_F(DriverCaptureSessionTest, EachDialogIsShownOnItsChannelWithTheWindowAsParent) {
  driver_.dialogShow[kChannelExternalIn] = 0;
  driver_.dialogShow[kChannelIn] = 0;
  ASSERT_EQ(session_.Connect(2), 1);
  driver_.messages.clear();
  EXPECT_EQ(session_.ShowDialog(Dialog::kVideoSource, kWindow), 1);
  EXPECT_EQ(session_.ShowDialog(Dialog::kVideoFormat, kWindow), 1);
  // A driver without the sheet answers "not supported": nothing was shown.
  EXPECT_EQ(session_.ShowDialog(Dialog::kVideoDisplay, kWindow), 0);
  ASSERT_EQ(driver_.messages.size(), 3u);
  const uint32_t channels[3] = {kChannelExternalIn, kChannelIn, kChannelExternalOut};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(driver_.messages[i].message, kDvmDialog);
    EXPECT_EQ(driver_.messages[i].channel, channels[i]);
    EXPECT_EQ(driver_.messages[i].lParam1, static_cast<intptr_t>(kWindow));
    EXPECT_EQ(driver_.messages[i].lParam2, 0);
  }
}

TEST_F(DriverCaptureSessionTest, DialogTheDriverDoesNotOfferIsNotAskedFor) {
  driver_.dialogQuery[kChannelExternalOut] = 17;
  driver_.dialogShow[kChannelExternalOut] = 0;
  ASSERT_EQ(session_.Connect(2), 1);
  driver_.messages.clear();
  EXPECT_EQ(session_.ShowDialog(Dialog::kVideoDisplay, kWindow), 0);
  EXPECT_TRUE(driver_.messages.empty());
}

TEST_F(DriverCaptureSessionTest, NameIsTheOneTheSystemListsTheDriverUnder) {
  ASSERT_EQ(session_.Connect(2), 1);
  WString name;
  ASSERT_EQ(session_.GetName(&name), 1);
  EXPECT_EQ(name, u"card.dll");
  versions_.AddString(u"card.dll", u"\\StringFileInfo\\040904E4\\FileDescription", u"A Card");
  ASSERT_EQ(session_.GetName(&name), 1);
  EXPECT_EQ(name, u"A Card");
}

}  // namespace
}  // namespace tolven::cap
