// Capture-window port contract: what a capture window on the card's driver
// answers, from the listing to the disconnect. Run natively against the
// emulated adapter and under Wine against our own capture window on the
// real tolvenu.dll, so the emulation the viewer's tests use is held to what
// the driver and the window really do.
#include <gtest/gtest.h>

#include "platform/contract/capture_contract_environment.h"

namespace tolven::contract {
namespace {

constexpr uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000;

class CapturePortContract : public ::testing::Test {
 protected:
  void SetUp() override { env_ = MakeCaptureContractEnvironment(); }
  void TearDown() override {
    if (window_ && Windows().IsWindow(window_)) Windows().Destroy(window_);
    env_.reset();
  }
  cap::CaptureWindows &Windows() { return env_->windows(); }
  cap::Window CreateChild() {
    window_ = Windows().Create(u"OverlayWnd", kWsChild | kWsVisible, 0, 0, 320, 240, env_->Parent(),
                               env_->DriverIndex());
    return window_;
  }

  std::unique_ptr<CaptureContractEnvironment> env_;
  cap::Window window_ = 0;
};

TEST_F(CapturePortContract, TheCardsDriverIsListedByItsFileName) {
  WString name, version;
  ASSERT_TRUE(Windows().DriverDescription(env_->DriverIndex(), &name, &version));
  EXPECT_TRUE(EqualsNoCase(name, u"tolvenu.dll")) << Narrow(name);
  EXPECT_FALSE(version.empty());
  EXPECT_LT(name.size(), 80u);
  EXPECT_LT(version.size(), 80u);
  EXPECT_FALSE(Windows().DriverDescription(env_->DriverIndex() + 1, &name, &version));
  EXPECT_FALSE(Windows().DriverDescription(10, &name, &version));
}

TEST_F(CapturePortContract, CreatedWindowLivesUntilDestroyed) {
  const cap::Window window = CreateChild();
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(Windows().IsWindow(window));
  EXPECT_TRUE(Windows().Destroy(window));
  EXPECT_FALSE(Windows().IsWindow(window));
  EXPECT_FALSE(Windows().Destroy(window));
  EXPECT_FALSE(Windows().IsWindow(0));
}

TEST_F(CapturePortContract, MessagesBeforeAConnectionAnswerZero) {
  const cap::Window window = CreateChild();
  ASSERT_NE(window, 0u);
  cap::DriverCaps caps;
  WString name;
  EXPECT_EQ(Windows().GetCaps(window, &caps), 0);
  EXPECT_EQ(Windows().GetName(window, &name), 0);
  EXPECT_EQ(Windows().SetOverlay(window, true), 0);
  EXPECT_EQ(Windows().ShowDialog(window, cap::Dialog::kVideoDisplay), 0);
  EXPECT_EQ(Windows().Disconnect(window), 0);
}

TEST_F(CapturePortContract, IndexWithoutADriverDoesNotConnect) {
  const cap::Window window = CreateChild();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(Windows().Connect(window, env_->DriverIndex() + 1), 0);
  cap::DriverCaps caps;
  EXPECT_EQ(Windows().GetCaps(window, &caps), 0);
}

TEST_F(CapturePortContract, ConnectCapabilitiesNameOverlayAndDisconnect) {
  const cap::Window window = CreateChild();
  ASSERT_NE(window, 0u);
  ASSERT_NE(Windows().Connect(window, env_->DriverIndex()), 0);

  cap::DriverCaps caps;
  ASSERT_NE(Windows().GetCaps(window, &caps), 0);
  EXPECT_EQ(caps.deviceIndex, static_cast<uint32_t>(env_->DriverIndex()));
  EXPECT_TRUE(caps.hasOverlay);
  EXPECT_TRUE(caps.captureInitialized);
  // The driver offers a dialog on each of its three channels.
  EXPECT_TRUE(caps.hasVideoSourceDialog);
  EXPECT_TRUE(caps.hasVideoFormatDialog);
  EXPECT_TRUE(caps.hasVideoDisplayDialog);

  WString name;
  ASSERT_NE(Windows().GetName(window, &name), 0);
  EXPECT_TRUE(EqualsNoCase(name, u"tolvenu.dll")) << Narrow(name);

  EXPECT_NE(Windows().SetOverlay(window, true), 0);
  EXPECT_NE(Windows().SetOverlay(window, false), 0);
  EXPECT_NE(Windows().SetOverlay(window, true), 0);

  EXPECT_NE(Windows().Disconnect(window), 0);
  EXPECT_EQ(Windows().GetCaps(window, &caps), 0);
  EXPECT_EQ(Windows().SetOverlay(window, true), 0);
  // And it connects again.
  EXPECT_NE(Windows().Connect(window, env_->DriverIndex()), 0);
  EXPECT_NE(Windows().Disconnect(window), 0);
}

TEST_F(CapturePortContract, DestroyedWindowAnswersNothing) {
  const cap::Window window = CreateChild();
  ASSERT_NE(window, 0u);
  ASSERT_NE(Windows().Connect(window, env_->DriverIndex()), 0);
  ASSERT_TRUE(Windows().Destroy(window));
  cap::DriverCaps caps;
  EXPECT_EQ(Windows().GetCaps(window, &caps), 0);
  EXPECT_EQ(Windows().Connect(window, env_->DriverIndex()), 0);
}

}  // namespace
}  // namespace tolven::contract
