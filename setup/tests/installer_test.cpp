// The installer's flows on the emulated machine.
#include "setup/installer.h"

#include <string>

#include "setup/tests/setup_rig.h"

namespace tolven::setup::testing {
namespace {

constexpr char16_t kServiceKey[] = u"SYSTEM\\CurrentControlSet\\Services\\tolvenk";
constexpr ui::Window kOwner = 0x4242;
constexpr char16_t kPermissionText[] =
    u"Installation cannot continue.  You do not have Administrative Priviledges.\n"
    u"Installation of Varn Viewer App must be performed by a Administrative User.";

class InstallerTest : public SetupRig {
 protected:
  bool Install(const char *folder = kFolder) { return InstallVfw(ports(), kOwner, folder); }
  int ConfigureCount() const {
    int n = 0;
    for (auto &call : drivers.Calls())
      if (call.message == drv::kDrvConfigure) ++n;
    return n;
  }
};

TEST_F(InstallerTest, CreatesTheKernelServiceAsADemandStartDriverInGroupBase) {
  EXPECT_TRUE(Install());
  ASSERT_TRUE(machine.services.Exists(u"tolvenk"));
  EXPECT_EQ(Dword(kServiceKey, u"Type"), 1u);
  EXPECT_EQ(Dword(kServiceKey, u"Start"), 3u);
  EXPECT_EQ(Dword(kServiceKey, u"ErrorControl"), 1u);
  uint32_t type = 0;
  EXPECT_EQ(String(kServiceKey, u"ImagePath", &type), u"\\SystemRoot\\SYSTEM32\\DRIVERS\\tolvenk.sys");
  EXPECT_EQ(type, reg::kExpandSz);
  EXPECT_EQ(String(kServiceKey, u"Group"), u"Base");
  EXPECT_FALSE(String(kServiceKey, u"DisplayName").has_value());
  // Created, not started: the driver's own configuration starts it.
  EXPECT_FALSE(ServiceRunning());
  EXPECT_TRUE(machine.messageBoxes.History().empty());
  EXPECT_EQ(machine.services.OpenHandleCount(), 0u);
}

TEST_F(InstallerTest, RunsTheInfDefaultSectionFromTheFolderAndConfiguresTheDriver) {
  PlaceShippedInf();
  InstallCaptureDriver();
  EXPECT_TRUE(Install());

  ASSERT_EQ(inf.OpenRequests().size(), 1u);
  EXPECT_EQ(inf.OpenRequests()[0], "C:\\Program Files\\Caldra One\\vfw.inf");
  ASSERT_EQ(inf.Installations().size(), 1u);
  EXPECT_EQ(inf.Installations()[0].section, "DefaultInstall");
  EXPECT_EQ(inf.Installations()[0].owner, kOwner);
  EXPECT_EQ(inf.Installations()[0].flags, 0x2u | 0x4u);  // INI files and registry, no files
  EXPECT_TRUE(inf.Installations()[0].succeeded);
  EXPECT_EQ(inf.OpenInfCount(), 0u);

  // OpenDriver("tolvenu") without section or parameter, DRV_CONFIGURE (7)
  // with both parameters 0 to the instance it opened, then CloseDriver.
  ASSERT_EQ(drivers.OpenRequests(), std::vector<WString>{u"tolvenu"});
  std::vector<uint32_t> messages;
  for (auto &call : drivers.Calls()) messages.push_back(call.message);
  EXPECT_EQ(messages, (std::vector<uint32_t>{1, 2, 3, 7, 4, 5, 6}));
  EXPECT_EQ(drivers.Calls()[2].lParam2, 0);  // no open parameters: configuration instance
  EXPECT_EQ(drivers.Calls()[3].driverId, 9999u);
  EXPECT_EQ(drivers.Calls()[3].lParam1, 0);
  EXPECT_EQ(drivers.Calls()[3].lParam2, 0);
  EXPECT_EQ(drivers.OpenDriverCount(), 0u);
  // The registration is in place before the driver is asked to configure.
  EXPECT_EQ(String(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32", u"MSVIDEO"),
            u"tolvenu.dll");
}

TEST_F(InstallerTest, ACancelledConfigurationStillSucceeds) {
  PlaceShippedInf();
  InstallCaptureDriver(/*configureAnswer=*/0);
  EXPECT_TRUE(Install());
  EXPECT_EQ(ConfigureCount(), 1);
  EXPECT_TRUE(machine.messageBoxes.History().empty());
}

TEST_F(InstallerTest, RunningTwiceReplacesTheService) {
  PlaceShippedInf();
  InstallCaptureDriver();
  ASSERT_TRUE(Install());
  // Something changed the service in between.
  reg::Key k = 0;
  ASSERT_EQ(machine.registry.OpenKey(reg::kLocalMachine, kServiceKey, reg::kAllAccess, &k), 0u);
  reg::SetDword(machine.registry, k, u"Start", 1);
  machine.registry.CloseKey(k);

  EXPECT_TRUE(Install());
  EXPECT_TRUE(machine.services.Exists(u"tolvenk"));
  EXPECT_EQ(Dword(kServiceKey, u"Start"), 3u);  // a new service, not the old one
  EXPECT_EQ(inf.Installations().size(), 2u);
  EXPECT_EQ(ConfigureCount(), 2);
  EXPECT_TRUE(machine.messageBoxes.History().empty());
  // A stopped service is deleted without a stop control or any wait.
  for (auto &c : slow.Controls()) EXPECT_NE(c.control, svc::kControlStop);
  EXPECT_EQ(machine.clock.SleepCount(), 0u);
}

TEST_F(InstallerTest, ARunningServiceIsStoppedBeforeItIsReplaced) {
  CreateService(/*running=*/true);
  ASSERT_EQ(image->loads, 1);
  PlaceShippedInf();
  InstallCaptureDriver();

  EXPECT_TRUE(Install());
  EXPECT_EQ(image->unloads, 1);
  EXPECT_TRUE(machine.services.Exists(u"tolvenk"));
  EXPECT_FALSE(ServiceRunning());
  // Interrogate, stop, then one wait of a second and an interrogation that
  // finds it stopped.
  ASSERT_EQ(slow.Controls().size(), 3u);
  EXPECT_EQ(slow.Controls()[0].control, svc::kControlInterrogate);
  EXPECT_EQ(slow.Controls()[1].control, svc::kControlStop);
  EXPECT_EQ(slow.Controls()[2].control, svc::kControlInterrogate);
  EXPECT_EQ(slow.Controls()[2].atMs, 1000u);
  EXPECT_EQ(machine.clock.TotalSlept(), 1000u);
  EXPECT_EQ(ConfigureCount(), 1);
}

TEST_F(InstallerTest, ASlowServiceIsPolledEverySecondUntilItStops) {
  CreateService(/*running=*/true);
  slow.StopAfter(3);
  EXPECT_TRUE(Install());
  EXPECT_EQ(machine.clock.SleepCount(), 4u);
  EXPECT_EQ(machine.clock.TotalSlept(), 4000u);
  EXPECT_EQ(image->unloads, 1);
  EXPECT_TRUE(machine.services.Exists(u"tolvenk"));
  EXPECT_EQ(Dword(kServiceKey, u"Start"), 3u);
}

TEST_F(InstallerTest, AServiceThatDoesNotStopIsWaitedForElevenSecondsThenSkipped) {
  CreateService(/*running=*/true);
  PlaceShippedInf();
  InstallCaptureDriver();
  slow.StopAfter(std::nullopt);

  // Deleting the running service only marks it, so the new one cannot be
  // created; the registration and configuration are skipped silently.
  EXPECT_TRUE(Install());
  EXPECT_EQ(machine.clock.SleepCount(), 11u);
  EXPECT_EQ(machine.clock.TotalSlept(), 11000u);
  EXPECT_TRUE(inf.OpenRequests().empty());
  EXPECT_TRUE(drivers.OpenRequests().empty());
  EXPECT_TRUE(machine.messageBoxes.History().empty());
  EXPECT_EQ(machine.services.OpenHandleCount(), 0u);
}

TEST_F(InstallerTest, AMissingInfIsSkippedSilently) {
  InstallCaptureDriver();
  EXPECT_TRUE(Install());
  EXPECT_EQ(inf.OpenRequests().size(), 1u);
  EXPECT_TRUE(inf.Installations().empty());
  EXPECT_EQ(ConfigureCount(), 1);
  EXPECT_TRUE(machine.messageBoxes.History().empty());
}

TEST_F(InstallerTest, ADriverThatDoesNotOpenIsSkippedSilently) {
  PlaceShippedInf();
  EXPECT_TRUE(Install());
  EXPECT_EQ(drivers.OpenRequests().size(), 1u);
  EXPECT_TRUE(drivers.Calls().empty());
  EXPECT_EQ(inf.Installations().size(), 1u);
  EXPECT_TRUE(machine.messageBoxes.History().empty());
}

TEST_F(InstallerTest, WithoutTheServiceManagerTellsThePermissionAndAnswersFalse) {
  machine.services.SetManagerAvailable(false);
  machine.messageBoxes.SetFocusWindow(0x777);
  PlaceShippedInf();
  InstallCaptureDriver();

  EXPECT_FALSE(Install());
  ASSERT_EQ(machine.messageBoxes.History().size(), 1u);
  const auto &box = machine.messageBoxes.History()[0];
  EXPECT_EQ(box.owner, 0x777u);  // the focus window, not the owner argument
  EXPECT_EQ(box.text, kPermissionText);
  EXPECT_EQ(box.caption, u"Varn Viewer App Uninstall");
  EXPECT_EQ(box.style, 0x10u);  // MB_ICONERROR, OK button
  EXPECT_TRUE(inf.OpenRequests().empty());
  EXPECT_TRUE(drivers.OpenRequests().empty());
  EXPECT_FALSE(KeyExists(kServiceKey));
}

TEST_F(InstallerTest, AFolderThatFillsThePathBufferExactlyIsAccepted) {
  // 251 characters + "\vfw.inf" (8) + terminator = 260 bytes.
  std::string folder = "C:\\" + std::string(248, 'a');
  ASSERT_EQ(folder.size(), 251u);
  EXPECT_TRUE(Install(folder.c_str()));
  ASSERT_EQ(inf.OpenRequests().size(), 1u);
  EXPECT_EQ(inf.OpenRequests()[0], folder + "\\vfw.inf");
  EXPECT_EQ(inf.OpenRequests()[0].size(), 259u);
}

TEST_F(InstallerTest, AFolderTooLongForThePathBufferIsRefusedBeforeAnythingChanges) {
  std::string folder = "C:\\" + std::string(249, 'a');
  ASSERT_EQ(folder.size(), 252u);
  machine.messageBoxes.SetFocusWindow(0x99);
  EXPECT_FALSE(Install(folder.c_str()));
  ASSERT_EQ(machine.messageBoxes.History().size(), 1u);
  EXPECT_EQ(machine.messageBoxes.History()[0].owner, 0x99u);
  EXPECT_EQ(machine.messageBoxes.History()[0].text,
            u"Installation cannot continue.  The path of the installation folder is too long.");
  EXPECT_EQ(machine.messageBoxes.History()[0].caption, u"Varn Viewer App Uninstall");
  EXPECT_EQ(machine.messageBoxes.History()[0].style, 0x10u);
  EXPECT_FALSE(KeyExists(kServiceKey));
  EXPECT_TRUE(inf.OpenRequests().empty());

  std::string huge(100000, 'x');
  EXPECT_FALSE(Install(huge.c_str()));
  EXPECT_EQ(machine.messageBoxes.History().size(), 2u);
}

TEST_F(InstallerTest, AMissingFolderIsRefused) {
  EXPECT_FALSE(Install(nullptr));
  EXPECT_EQ(machine.messageBoxes.History().size(), 1u);
  EXPECT_FALSE(KeyExists(kServiceKey));
}

}  // namespace
}  // namespace tolven::setup::testing
