// The kernel link on the emulated service manager, registry and devices.
#include <gtest/gtest.h>

#include "driver/link/kernel_link.h"
#include "platform/emulated/emulated_platform.h"
#include "platform/win_errors.h"

namespace tolven {
namespace {

const WString kServiceKey = u"SYSTEM\\CurrentControlSet\\Services\\tolvenk";

class KernelLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = std::make_shared<MinimalVidCapDriver>(m_);
    m_.services.InstallDriverImage(u"tolvenk.sys", image_);
    profile_ = OpenServiceProfile(kKernelServiceName);
    ASSERT_NE(profile_, nullptr);
  }
  void TearDown() override { CloseServiceProfile(ports(), profile_); }
  Ports ports() { return m_.ports(); }

  uint32_t Dword(const WString &path, WStringView name) {
    reg::Key key = 0;
    if (m_.registry.OpenKey(reg::kLocalMachine, path, reg::kQueryValue, &key)) return 0xDEAD;
    uint32_t value = 0, type = 0, size = 4;
    auto status = m_.registry.QueryValue(key, name, &type, &value, &size);
    m_.registry.CloseKey(key);
    return status == 0 && type == reg::kDword ? value : 0xDEAD;
  }
  WString String(const WString &path, WStringView name, uint32_t *type) {
    reg::Key key = 0;
    if (m_.registry.OpenKey(reg::kLocalMachine, path, reg::kQueryValue, &key)) return u"<none>";
    char16_t buffer[128] = {};
    uint32_t size = sizeof buffer;
    auto status = m_.registry.QueryValue(key, name, type, buffer, &size);
    m_.registry.CloseKey(key);
    return status == 0 ? WString(buffer) : u"<none>";
  }
  void SetDeviceName(WStringView value, uint32_t type = reg::kSz) {
    reg::Key key = 0;
    ASSERT_EQ(m_.registry.CreateKey(reg::kLocalMachine, kServiceKey + u"\\Parameters",
                                    reg::kAllAccess, &key), 0u);
    ASSERT_EQ(reg::SetString(m_.registry, key, u"DeviceName", value, type), 0u);
    m_.registry.CloseKey(key);
  }
  svc::Handle CreateOwnProcessService() {
    svc::Handle manager = m_.services.OpenManager(svc::kManagerAllAccess);
    svc::ServiceConfig config;
    config.name = u"tolvenk";
    config.serviceType = svc::kOwnProcess;
    config.imagePath = u"C:\\x.exe";
    svc::Handle service = m_.services.Create(manager, config);
    m_.services.CloseHandle(service);
    return manager;
  }

  EmulatedPlatform m_;
  std::shared_ptr<MinimalVidCapDriver> image_;
  ServiceProfile *profile_ = nullptr;
};

TEST_F(KernelLinkTest, EnsureServiceCreatesADemandStartKernelDriver) {
  ASSERT_TRUE(EnsureService(ports(), kKernelServiceName, kGroupBase, profile_, true));
  EXPECT_NE(profile_->serviceManager, 0u);
  EXPECT_EQ(Dword(kServiceKey, u"Type"), 1u);
  EXPECT_EQ(Dword(kServiceKey, u"Start"), 3u);
  EXPECT_EQ(Dword(kServiceKey, u"ErrorControl"), 1u);
  uint32_t type = 0;
  EXPECT_EQ(String(kServiceKey, u"ImagePath", &type), u"\\SystemRoot\\SYSTEM32\\DRIVERS\\tolvenk.SYS");
  EXPECT_EQ(type, reg::kExpandSz);
  EXPECT_EQ(String(kServiceKey, u"Group", &type), u"Base");
  // Only the manager handle stays open.
  EXPECT_EQ(m_.services.OpenHandleCount(), 1u);
}

TEST_F(KernelLinkTest, GroupKindTwoAsksForSynthesizerDrivers) {
  ASSERT_TRUE(EnsureService(ports(), kKernelServiceName, kGroupSynthesizerDrivers, profile_, true));
  uint32_t type = 0;
  EXPECT_EQ(String(kServiceKey, u"Group", &type), u"Synthesizer Drivers");
}

TEST_F(KernelLinkTest, WithoutCreateAMissingServiceIsFalseButPresent) {
  EXPECT_FALSE(EnsureService(ports(), kKernelServiceName, kGroupBase, profile_, false));
  EXPECT_NE(profile_->serviceManager, 0u);  // the manager stays open
  EXPECT_TRUE(IsServicePresent(ports(), profile_));
  EXPECT_FALSE(m_.services.Exists(u"tolvenk"));
}

TEST_F(KernelLinkTest, ServiceOfTheWrongTypeIsNotPresent) {
  m_.services.CloseHandle(CreateOwnProcessService());
  EXPECT_FALSE(EnsureService(ports(), kKernelServiceName, kGroupBase, profile_, true));
  EXPECT_EQ(profile_->serviceManager, 0u);
  EXPECT_FALSE(IsServicePresent(ports(), profile_));
  EXPECT_EQ(m_.services.OpenHandleCount(), 0u);
}

TEST_F(KernelLinkTest, NoServiceManagerMeansNothingWorks) {
  m_.services.SetManagerAvailable(false);
  EXPECT_FALSE(EnsureService(ports(), kKernelServiceName, kGroupBase, profile_, true));
  EXPECT_FALSE(IsServicePresent(ports(), profile_));
  EXPECT_FALSE(IsServiceRunning(ports(), profile_));
  EXPECT_FALSE(StartKernelService(ports(), profile_));
  EXPECT_FALSE(StopKernelService(ports(), profile_));
  EXPECT_FALSE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  EXPECT_FALSE(RemoveService(ports(), profile_));
}

TEST_F(KernelLinkTest, CreationWaitsForTheDatabaseLockIn100msSteps) {
  m_.services.RefuseLocks(3);
  ASSERT_TRUE(EnsureService(ports(), kKernelServiceName, kGroupBase, profile_, true));
  EXPECT_EQ(m_.services.LockRequests(), 4);
  EXPECT_EQ(m_.clock.TotalSlept(), 300u);
  EXPECT_EQ(m_.clock.SleepCount(), 3u);
}

struct HookProbe {
  EmulatedPlatform *machine;
  bool sawRunning = true;
  int calls = 0;
  bool answer = true;
};

bool Hook(void *context) {
  auto *probe = static_cast<HookProbe *>(context);
  ++probe->calls;
  probe->sawRunning = probe->machine->devices.IsPublished(u"VidCap0");
  return probe->answer;
}

TEST_F(KernelLinkTest, InstallAndStartRunsTheHookWhileStoppedThenStartsAtSystemStart) {
  HookProbe probe{&m_};
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, Hook, &probe));
  EXPECT_EQ(probe.calls, 1);
  EXPECT_FALSE(probe.sawRunning);
  EXPECT_TRUE(IsServiceRunning(ports(), profile_));
  EXPECT_EQ(Dword(kServiceKey, u"Start"), 1u);
  EXPECT_EQ(Dword(kServiceKey + u"\\Parameters", u"InstallError"), 0u);

  // Again: the running service is stopped (hook sees it stopped) and restarted.
  probe.sawRunning = true;
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, Hook, &probe));
  EXPECT_FALSE(probe.sawRunning);
  EXPECT_TRUE(IsServiceRunning(ports(), profile_));
}

TEST_F(KernelLinkTest, HookRefusalLeavesTheServiceStopped) {
  HookProbe probe{&m_};
  probe.answer = false;
  EXPECT_FALSE(InstallAndStartService(ports(), profile_, Hook, &probe));
  EXPECT_TRUE(m_.services.Exists(u"tolvenk"));
  EXPECT_FALSE(IsServiceRunning(ports(), profile_));
}

TEST_F(KernelLinkTest, StartFailureIsReported) {
  m_.services.InstallDriverImage(u"tolvenk.sys", nullptr);  // the driver file is missing
  m_.services.InstallDriverImage(u"other.sys", image_);
  EXPECT_FALSE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  EXPECT_TRUE(m_.services.Exists(u"tolvenk"));
}

TEST_F(KernelLinkTest, StopOfAnAbsentServiceSucceedsAndOfARunningOneStopsIt) {
  EXPECT_TRUE(StopKernelService(ports(), profile_));
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  EXPECT_TRUE(StopKernelService(ports(), profile_));
  EXPECT_FALSE(IsServiceRunning(ports(), profile_));
  EXPECT_EQ(Dword(kServiceKey, u"Start"), 3u);
  // Stopping a stopped service changes the start type and succeeds.
  EXPECT_TRUE(StopKernelService(ports(), profile_));
}

TEST_F(KernelLinkTest, RemoveServiceStopsDeletesAndForgetsTheParameters) {
  EXPECT_TRUE(RemoveService(ports(), profile_));  // nothing to remove
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  size_t flushes = m_.registry.FlushCount();
  EXPECT_TRUE(RemoveService(ports(), profile_));
  EXPECT_GT(m_.registry.FlushCount(), flushes);
  EXPECT_FALSE(m_.services.Exists(u"tolvenk"));
  EXPECT_FALSE(m_.devices.IsPublished(u"VidCap0"));
  reg::Key key = 0;
  EXPECT_EQ(m_.registry.OpenKey(reg::kLocalMachine, kServiceKey, reg::kRead, &key),
            win::kErrorFileNotFound);
  EXPECT_EQ(m_.services.OpenHandleCount(), 1u);  // the profile's manager
}

TEST_F(KernelLinkTest, DeviceLinkOpensTheReportedDevice) {
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  DeviceLink *link = OpenDeviceLink(ports(), kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(image_->Device()->IsOpen());
  EXPECT_EQ(link->workerCommand, kWorkerCommandRun);
  EXPECT_NE(link->workEvent, 0u);
  EXPECT_NE(link->doneEvent, 0u);
  EXPECT_NE(link->workEvent, link->doneEvent);
  EXPECT_EQ(m_.devices.OpenHandleCount(), 3u);
  CloseDeviceLink(ports(), link);
  EXPECT_FALSE(image_->Device()->IsOpen());
  EXPECT_EQ(m_.devices.OpenHandleCount(), 0u);
}

TEST_F(KernelLinkTest, DeviceLinkRefusesBadDeviceNames) {
  m_.devices.Publish(u"VidCap0", std::make_shared<dev::ExclusiveDevice>());
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 0), nullptr);  // no key

  SetDeviceName(u"VidCap0");
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 1), nullptr);  // index must be 0

  SetDeviceName(u"VidCap0", reg::kExpandSz);
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 0), nullptr);

  SetDeviceName(u"");
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 0), nullptr);

  // 22 characters do not fit the 44-byte buffer with a terminator; 21 do.
  m_.devices.Publish(u"ABCDEFGHIJKLMNOPQRSTUV", std::make_shared<dev::ExclusiveDevice>());
  m_.devices.Publish(u"ABCDEFGHIJKLMNOPQRSTU", std::make_shared<dev::ExclusiveDevice>());
  SetDeviceName(u"ABCDEFGHIJKLMNOPQRSTUV");
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 0), nullptr);
  SetDeviceName(u"ABCDEFGHIJKLMNOPQRSTU");
  DeviceLink *link = OpenDeviceLink(ports(), kKernelServiceName, 0);
  EXPECT_NE(link, nullptr);
  CloseDeviceLink(ports(), link);
  EXPECT_EQ(m_.devices.OpenHandleCount(), 0u);
}

TEST_F(KernelLinkTest, WithoutServiceNameTheIndexNamesTheDevice) {
  m_.devices.Publish(u"VidCap3", std::make_shared<dev::ExclusiveDevice>());
  EXPECT_EQ(OpenDeviceLink(ports(), nullptr, 0), nullptr);
  DeviceLink *link = OpenDeviceLink(ports(), nullptr, 3);
  ASSERT_NE(link, nullptr);
  CloseDeviceLink(ports(), link);
}

TEST_F(KernelLinkTest, DeviceHeldElsewhereCannotBeLinkedUntilReleased) {
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  dev::Handle other = m_.devices.OpenDevice(u"\\\\.\\VidCap0", dev::kGenericRead, 0, 0);
  ASSERT_NE(other, dev::kInvalidHandle);
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 0), nullptr);
  EXPECT_EQ(m_.devices.OpenHandleCount(), 1u);  // the failed open left nothing behind
  m_.devices.CloseHandle(other);
  DeviceLink *link = OpenDeviceLink(ports(), kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  CloseDeviceLink(ports(), link);
}

TEST_F(KernelLinkTest, DeviceLinkControlReachesTheDevice) {
  ASSERT_TRUE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  DeviceLink *link = OpenDeviceLink(ports(), kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  uint32_t out = 0;
  // The minimal device knows no control codes.
  EXPECT_FALSE(DeviceLinkControl(ports(), link, 0x220000, nullptr, 0, &out, 4));
  EXPECT_FALSE(DeviceLinkControl(ports(), nullptr, 0x220000, nullptr, 0, &out, 4));
  CloseDeviceLink(ports(), link);
}

}  // namespace
}  // namespace tolven
