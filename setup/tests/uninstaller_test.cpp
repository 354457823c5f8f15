// The uninstaller's flows on the emulated machine.
#include "setup/uninstaller.h"

#include "setup/installer.h"
#include "setup/tests/setup_rig.h"

namespace tolven::setup::testing {
namespace {

constexpr char16_t kServiceKey[] = u"SYSTEM\\CurrentControlSet\\Services\\tolvenk";
constexpr char16_t kDrivers32[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";
constexpr char16_t kDriversDesc[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\drivers.desc";
constexpr char16_t kRelatedDesc[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\related.desc";
constexpr char16_t kUserinstallable[] =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Userinstallable.drivers";
constexpr char16_t kPermissionText[] =
    u"Uninstall cannot continue.  You do not have Administrative Priviledges.  "
    u"Uninstall of Varn Viewer App must be performed by a Administrative User.";

class UninstallerTest : public SetupRig {
 protected:
  // What an installation leaves, next to another capture driver's values.
  void Registered() {
    SetString(kDrivers32, u"MSVIDEO", u"tolvenu.dll");
    SetString(kDrivers32, u"msvideo1", u"other.dll");
    SetString(kDriversDesc, u"tolvenu.dll", u"Video Capture for Caldra One");
    SetString(kDriversDesc, u"other.dll", u"Other Capture");
    SetString(kRelatedDesc, u"MSVIDEO", u"");
    SetString(kUserinstallable, u"MSVIDEO", u"tolvenu.dll");
  }
  void ExpectPermissionMessage(ui::Window owner) {
    ASSERT_EQ(machine.messageBoxes.History().size(), 1u);
    const auto &box = machine.messageBoxes.History()[0];
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.text, kPermissionText);
    EXPECT_EQ(box.caption, u"Varn Viewer App Uninstall");
    EXPECT_EQ(box.style, 0x10u);
  }
};

TEST_F(UninstallerTest, RemovesTheServiceAndEveryRegistrationValue) {
  CreateService(/*running=*/true);
  Registered();

  EXPECT_EQ(Uninstall(ports()), 0);
  EXPECT_EQ(debug.Text(), "UnRegistering has been called\n");
  EXPECT_FALSE(machine.services.Exists(u"tolvenk"));
  EXPECT_FALSE(KeyExists(kServiceKey));
  EXPECT_EQ(image->unloads, 1);
  EXPECT_FALSE(String(kDrivers32, u"MSVIDEO"));
  EXPECT_FALSE(String(kDriversDesc, u"tolvenu.dll"));
  EXPECT_FALSE(String(kRelatedDesc, u"MSVIDEO"));
  EXPECT_FALSE(String(kUserinstallable, u"MSVIDEO"));
  // Nothing else goes.
  EXPECT_EQ(String(kDrivers32, u"msvideo1"), u"other.dll");
  EXPECT_EQ(String(kDriversDesc, u"other.dll"), u"Other Capture");
  EXPECT_TRUE(KeyExists(kRelatedDesc));
  EXPECT_TRUE(machine.messageBoxes.History().empty());
  EXPECT_EQ(machine.services.OpenHandleCount(), 0u);
  EXPECT_EQ(machine.registry.OpenHandleCount(), 0u);
  EXPECT_EQ(machine.clock.TotalSlept(), 1000u);
}

TEST_F(UninstallerTest, WithoutTheServiceKeyTouchesNothing) {
  Registered();
  // Were the service manager asked, it would refuse and a message would show.
  machine.services.SetManagerAvailable(false);
  EXPECT_EQ(Uninstall(ports()), 0);
  EXPECT_EQ(debug.Text(), "UnRegistering has been called\n");
  EXPECT_TRUE(machine.messageBoxes.History().empty());
  EXPECT_EQ(String(kDrivers32, u"MSVIDEO"), u"tolvenu.dll");
  EXPECT_EQ(String(kDriversDesc, u"tolvenu.dll"), u"Video Capture for Caldra One");
  EXPECT_EQ(String(kRelatedDesc, u"MSVIDEO"), u"");
  EXPECT_EQ(String(kUserinstallable, u"MSVIDEO"), u"tolvenu.dll");
  EXPECT_TRUE(slow.Controls().empty());
}

TEST_F(UninstallerTest, MissingDrivers32RelatedDescAndUserinstallableKeysAreSkipped) {
  CreateService(/*running=*/false);
  SetString(kDriversDesc, u"tolvenu.dll", u"Video Capture for Caldra One");
  EXPECT_EQ(Uninstall(ports()), 0);
  EXPECT_FALSE(machine.services.Exists(u"tolvenk"));
  EXPECT_FALSE(String(kDriversDesc, u"tolvenu.dll"));
  EXPECT_FALSE(KeyExists(kDrivers32));  // not created by the removal
  EXPECT_TRUE(machine.messageBoxes.History().empty());
}

TEST_F(UninstallerTest, AMissingDriversDescEndsWithThePermissionMessageAfterTheServiceIsGone) {
  CreateService(/*running=*/true);
  SetString(kDrivers32, u"MSVIDEO", u"tolvenu.dll");
  machine.messageBoxes.SetFocusWindow(0x515);
  EXPECT_EQ(Uninstall(ports()), -1);
  ExpectPermissionMessage(0x515);
  EXPECT_FALSE(machine.services.Exists(u"tolvenk"));  // done steps stay done
  EXPECT_EQ(String(kDrivers32, u"MSVIDEO"), u"tolvenu.dll");  // later steps not run
  EXPECT_EQ(machine.services.OpenHandleCount(), 0u);
}

TEST_F(UninstallerTest, WithoutTheServiceManagerTellsThePermissionAndChangesNothing) {
  CreateService(/*running=*/false);
  Registered();
  machine.services.SetManagerAvailable(false);
  EXPECT_EQ(Uninstall(ports()), -1);
  ExpectPermissionMessage(0);
  EXPECT_TRUE(machine.services.Exists(u"tolvenk"));
  EXPECT_EQ(String(kDrivers32, u"MSVIDEO"), u"tolvenu.dll");
}

TEST_F(UninstallerTest, AServiceKeyWithoutAServiceTellsThePermission) {
  // A key left behind that the service manager does not know.
  SetString(kServiceKey, u"ImagePath", u"x");
  Registered();
  EXPECT_EQ(Uninstall(ports()), -1);
  ExpectPermissionMessage(0);
  EXPECT_EQ(String(kDriversDesc, u"tolvenu.dll"), u"Video Capture for Caldra One");
  EXPECT_EQ(machine.services.OpenHandleCount(), 0u);
}

TEST_F(UninstallerTest, ADriversDescKeyWithoutWriteAccessTellsThePermission) {
  CreateService(/*running=*/false);
  Registered();
  machine.registry.DenyWrites(reg::kLocalMachine, kDriversDesc);
  EXPECT_EQ(Uninstall(ports()), -1);
  ExpectPermissionMessage(0);
  EXPECT_EQ(String(kDriversDesc, u"tolvenu.dll"), u"Video Capture for Caldra One");
}

TEST_F(UninstallerTest, AServiceThatDoesNotStopIsWaitedForAtMostElevenSeconds) {
  CreateService(/*running=*/true);
  Registered();
  slow.StopAfter(std::nullopt);
  EXPECT_EQ(Uninstall(ports()), 0);
  EXPECT_EQ(machine.clock.SleepCount(), 11u);
  EXPECT_EQ(machine.clock.TotalSlept(), 11000u);
  // Marked for deletion; the registration is removed all the same.
  EXPECT_FALSE(String(kDrivers32, u"MSVIDEO"));
  EXPECT_TRUE(machine.messageBoxes.History().empty());
}

TEST_F(UninstallerTest, UndoesWhatTheInstallerDid) {
  PlaceShippedInf();
  InstallCaptureDriver();
  ASSERT_TRUE(InstallVfw(ports(), 0, kFolder));
  ASSERT_EQ(String(kDrivers32, u"MSVIDEO"), u"tolvenu.dll");

  EXPECT_EQ(Uninstall(ports()), 0);
  EXPECT_FALSE(KeyExists(kServiceKey));
  EXPECT_FALSE(String(kDrivers32, u"MSVIDEO"));
  EXPECT_FALSE(String(kDriversDesc, u"tolvenu.dll"));
  EXPECT_FALSE(String(kRelatedDesc, u"MSVIDEO"));
  EXPECT_FALSE(String(kUserinstallable, u"MSVIDEO"));
  // A second run finds nothing to remove.
  EXPECT_EQ(Uninstall(ports()), 0);
  EXPECT_TRUE(machine.messageBoxes.History().empty());
}

}  // namespace
}  // namespace tolven::setup::testing
