// Emulated service manager behaviour used by failure-path tests elsewhere:
// an unavailable manager, a held database lock, deletion of a running
// service, and drivers that fail to load.
#include <gtest/gtest.h>

#include "platform/emulated/emulated_platform.h"
#include "platform/win_errors.h"

namespace tolven::svc {
namespace {

struct FailingImage : KernelDriverImage {
  bool Load(WStringView, WStringView) override { return false; }
  void Unload() override {}
};

ServiceConfig Driver(const char16_t *name) {
  ServiceConfig c;
  c.name = name;
  c.imagePath = WString(u"\\SystemRoot\\SYSTEM32\\DRIVERS\\") + name + u".SYS";
  return c;
}

TEST(EmulatedServiceManager, UnavailableManagerAnswersAccessDenied) {
  EmulatedPlatform m;
  m.services.SetManagerAvailable(false);
  EXPECT_EQ(m.services.OpenManager(kManagerAllAccess), 0u);
  EXPECT_EQ(m.services.LastError(), win::kErrorAccessDenied);
}

TEST(EmulatedServiceManager, RefusedLocksAnswerDatabaseLockedThenGrant) {
  EmulatedPlatform m;
  Handle manager = m.services.OpenManager(kManagerAllAccess);
  m.services.RefuseLocks(2);
  EXPECT_EQ(m.services.LockDatabase(manager), 0u);
  EXPECT_EQ(m.services.LastError(), win::kErrorServiceDatabaseLocked);
  EXPECT_EQ(m.services.LockDatabase(manager), 0u);
  Handle lock = m.services.LockDatabase(manager);
  EXPECT_NE(lock, 0u);
  EXPECT_EQ(m.services.LockDatabase(manager), 0u);  // held by us now
  EXPECT_TRUE(m.services.UnlockDatabase(lock));
  EXPECT_EQ(m.services.LockRequests(), 4);
}

TEST(EmulatedServiceManager, RunningServiceIsOnlyMarkedForDeleteUntilStopped) {
  EmulatedPlatform m;
  m.services.InstallDriverImage(u"drv.sys", std::make_shared<MinimalVidCapDriver>(m));
  Handle manager = m.services.OpenManager(kManagerAllAccess);
  Handle service = m.services.Create(manager, Driver(u"drv"));
  ASSERT_TRUE(m.services.Start(service));
  EXPECT_TRUE(m.devices.IsPublished(u"VidCap0"));
  EXPECT_TRUE(m.services.Delete(service));
  EXPECT_TRUE(m.services.Exists(u"drv"));
  EXPECT_EQ(m.services.Create(manager, Driver(u"drv")), 0u);
  EXPECT_EQ(m.services.LastError(), win::kErrorServiceMarkedForDelete);
  Status status;
  ASSERT_TRUE(m.services.Control(service, kControlStop, &status));
  EXPECT_FALSE(m.services.Exists(u"drv"));
  EXPECT_FALSE(m.devices.IsPublished(u"VidCap0"));
  m.services.CloseHandle(service);
  m.services.CloseHandle(manager);
  EXPECT_EQ(m.services.OpenHandleCount(), 0u);
}

TEST(EmulatedServiceManager, StartFailsWithoutImageOrWhenDriverEntryFails) {
  EmulatedPlatform m;
  Handle manager = m.services.OpenManager(kManagerAllAccess);
  Handle missing = m.services.Create(manager, Driver(u"nofile"));
  EXPECT_FALSE(m.services.Start(missing));
  EXPECT_EQ(m.services.LastError(), win::kErrorFileNotFound);
  m.services.InstallDriverImage(u"bad.sys", std::make_shared<FailingImage>());
  Handle bad = m.services.Create(manager, Driver(u"bad"));
  EXPECT_FALSE(m.services.Start(bad));
  Status status;
  ASSERT_TRUE(m.services.QueryStatus(bad, &status));
  EXPECT_EQ(status.currentState, kStopped);
}

TEST(EmulatedServiceManager, SecondDriverTakesTheNextDeviceNumber) {
  EmulatedPlatform m;
  m.devices.Publish(u"VidCap0", std::make_shared<dev::ExclusiveDevice>());
  auto image = std::make_shared<MinimalVidCapDriver>(m);
  m.services.InstallDriverImage(u"drv.sys", image);
  Handle manager = m.services.OpenManager(kManagerAllAccess);
  ASSERT_TRUE(m.services.Start(m.services.Create(manager, Driver(u"drv"))));
  EXPECT_EQ(image->DeviceName(), u"VidCap1");
}

}  // namespace
}  // namespace tolven::svc
