// The real driver behind the emulated platform: the user-mode kernel link
// installs and starts the service, reads its values and opens its device.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver/core/config_store.h"
#include "driver/core/kernel_link.h"
#include "kernel/emulated/tolvenk_image.h"
#include "kernel/vc/vclib.h"
#include "platform/emulated/emulated_platform.h"
#include "platform/win_errors.h"

namespace tolven::kernel {
namespace {

class DriverImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = std::make_shared<TolvenkDriverImage>(m_.registry, m_.devices);
    m_.services.InstallDriverImage(u"tolvenk.sys", image_);
    profile_ = OpenServiceProfile(kKernelServiceName);
    ASSERT_NE(profile_, nullptr);
  }
  void TearDown() override {
    if (image_->Kernel())
      for (const auto &v : image_->Kernel()->Violations()) ADD_FAILURE() << v;
    CloseServiceProfile(m_.ports(), profile_);
  }
  bool Start() { return InstallAndStartService(m_.ports(), profile_, nullptr, nullptr); }
  uint32_t Ioctl(dev::Handle h, uint32_t code, uint32_t inSize, uint32_t outSize, uint32_t *out = nullptr,
                 uint32_t *returned = nullptr) {
    std::vector<uint8_t> in(inSize, 0), buffer(outSize + 4, 0);
    uint32_t got = 0;
    bool ok = m_.devices.Control(h, code, in.data(), inSize, buffer.data(), outSize, &got);
    if (out && got >= 4) std::memcpy(out, buffer.data(), 4);
    if (returned) *returned = got;
    return ok ? 0 : m_.devices.LastError();
  }

  EmulatedPlatform m_;
  std::shared_ptr<TolvenkDriverImage> image_;
  ServiceProfile *profile_ = nullptr;
};

TEST_F(DriverImageTest, StartingTheServiceCreatesTheDeviceAndValues) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(IsServiceRunning(m_.ports(), profile_));
  ConfigStore store(m_.registry, kKernelServiceName);
  WString name;
  EXPECT_TRUE(store.ReadParameterString(u"DeviceName", &name));
  EXPECT_EQ(name, u"VidCap0");
  uint32_t installError = 1;
  EXPECT_TRUE(store.ReadParameterDword(u"InstallError", &installError));
  EXPECT_EQ(installError, 0u);
  EXPECT_TRUE(m_.devices.IsPublished(u"VidCap0"));
}

TEST_F(DriverImageTest, TheDeviceAdmitsOneLinkAtATime) {
  ASSERT_TRUE(Start());
  DeviceLink *first = OpenDeviceLink(m_.ports(), kKernelServiceName, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OpenDeviceLink(m_.ports(), kKernelServiceName, 0), nullptr);
  EXPECT_EQ(m_.devices.LastError(), win::kErrorBusy);

  // An I/O manager that delivers a close for the refused open changes nothing.
  auto device = image_->Device(u"VidCap0");
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->Open(1000001), win::kErrorBusy);
  device->Close(1000001);
  EXPECT_EQ(OpenDeviceLink(m_.ports(), kKernelServiceName, 0), nullptr);

  CloseDeviceLink(m_.ports(), first);
  DeviceLink *second = OpenDeviceLink(m_.ports(), kKernelServiceName, 0);
  ASSERT_NE(second, nullptr);
  CloseDeviceLink(m_.ports(), second);
}

TEST_F(DriverImageTest, DeviceControlStatusesAsUserModeSeesThem) {
  ASSERT_TRUE(Start());
  dev::Handle h = m_.devices.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, dev::kFlagOverlapped);
  ASSERT_NE(h, dev::kInvalidHandle);
  uint32_t value = 99, returned = 0;
  EXPECT_EQ(Ioctl(h, IOCTL_VC_GET_OVERLAY_MODE, 0, 4, &value, &returned), 0u);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(returned, 4u);
  EXPECT_EQ(Ioctl(h, IOCTL_VC_GET_OVERLAY_MODE, 0, 3), 122u);         // ERROR_INSUFFICIENT_BUFFER
  EXPECT_EQ(Ioctl(h, IOCTL_VC_OVERLAY_ON, 0, 0), 87u);                // configuration error
  EXPECT_EQ(Ioctl(h, IOCTL_VC_STREAM_START, 0, 0), 22u);              // invalid device state
  EXPECT_EQ(Ioctl(h, IOCTL_VC_DRAW_FRAME, 32, 0), 1117u);             // driver internal error
  EXPECT_EQ(Ioctl(h, IOCTL_VC_ADD_BUFFER, 39, 40), 122u);
  EXPECT_EQ(Ioctl(h, 0x1D0868, 0, 0), 1u);                            // ERROR_INVALID_FUNCTION

  // A waiter stays pending and is cancelled when the handle closes.
  EXPECT_EQ(Ioctl(h, IOCTL_VC_WAIT_ERROR, 0, 4), 997u);
  auto device = image_->Device(u"VidCap0");
  EXPECT_EQ(device->PendingCount(), 1u);
  EXPECT_TRUE(m_.devices.CloseHandle(h));
  EXPECT_EQ(device->PendingCount(), 0u);
  EXPECT_EQ(device->TakeFinished(), std::vector<NTSTATUS>{STATUS_CANCELLED});
}

TEST_F(DriverImageTest, StoppingAndRemovingTheServiceTakesTheDeviceDown) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(m_.devices.IsPublished(u"VidCap0"));
  EXPECT_TRUE(RemoveService(m_.ports(), profile_));
  EXPECT_FALSE(m_.devices.IsPublished(u"VidCap0"));
  EXPECT_EQ(image_->Kernel(), nullptr);
  EXPECT_EQ(OpenDeviceLink(m_.ports(), kKernelServiceName, 0), nullptr);
}

TEST_F(DriverImageTest, InitialisationFailureReports1001) {
  image_->beforeLoad = [](EmulatedKernel &k) { k.FailSymbolicLinks(true); };
  ASSERT_TRUE(Start());  // the driver stays loaded without a device
  ConfigStore store(m_.registry, kKernelServiceName);
  uint32_t installError = 0;
  EXPECT_TRUE(store.ReadParameterDword(u"InstallError", &installError));
  EXPECT_EQ(installError, 1001u);
  WString name;
  EXPECT_FALSE(store.ReadParameterString(u"DeviceName", &name));
  EXPECT_FALSE(m_.devices.IsPublished(u"VidCap0"));
  EXPECT_EQ(OpenDeviceLink(m_.ports(), kKernelServiceName, 0), nullptr);
}

}  // namespace
}  // namespace tolven::kernel
