// The shipped vfw.inf: what its default section registers when the
// installer runs it (INI files and registry only).
#include "setup/tests/setup_rig.h"

namespace tolven::setup::testing {
namespace {

class VfwInfTest : public SetupRig {
 protected:
  bool InstallDefaultSection(uint32_t flags) {
    PlaceShippedInf();
    inf::Handle h = inf.Open("C:\\Program Files\\Caldra One\\vfw.inf", inf::kInfStyleWin4);
    if (!h) return false;
    bool ok = inf.InstallSection(h, 0, "DefaultInstall", flags);
    inf.Close(h);
    return ok;
  }
};

TEST_F(VfwInfTest, RegistersTheCaptureDriverUnderTheFourKeys) {
  ASSERT_TRUE(InstallDefaultSection(inf::kInstallIniFiles | inf::kInstallRegistry));
  uint32_t type = 0;
  EXPECT_EQ(String(WString(kCurrentVersion) + u"Drivers32", u"MSVIDEO", &type), u"tolvenu.dll");
  EXPECT_EQ(type, reg::kSz);
  EXPECT_EQ(String(WString(kCurrentVersion) + u"drivers.desc", u"tolvenu.dll", &type),
            u"Video Capture for Caldra One");
  EXPECT_EQ(type, reg::kSz);
  EXPECT_TRUE(String(WString(kCurrentVersion) + u"related.desc", u"MSVIDEO").has_value());
  EXPECT_EQ(String(WString(kCurrentVersion) + u"Userinstallable.drivers", u"MSVIDEO"),
            u"tolvenu.dll");
}

TEST_F(VfwInfTest, TheDefaultSectionHasNothingButRegistryEntries) {
  // Copying files or editing INI files is not something the installer expects.
  ASSERT_TRUE(InstallDefaultSection(0xFFFF));
  EXPECT_TRUE(inf.SkippedDirectives().empty()) << inf.SkippedDirectives().front();
}

TEST_F(VfwInfTest, WithoutTheRegistryPartNothingIsRegistered) {
  ASSERT_TRUE(InstallDefaultSection(inf::kInstallIniFiles));
  EXPECT_FALSE(KeyExists(WString(kCurrentVersion) + u"Drivers32"));
}

TEST_F(VfwInfTest, IsAWindowsNtStyleInf) {
  machine.files.SetFile(u"C:\\Program Files\\Caldra One\\old.inf",
                        std::vector<uint8_t>{'[', 'D', 'e', 'f', 'a', 'u', 'l', 't', ']'});
  EXPECT_EQ(inf.Open("C:\\Program Files\\Caldra One\\old.inf", inf::kInfStyleWin4), 0u);
  PlaceShippedInf();
  inf::Handle h = inf.Open("C:\\Program Files\\Caldra One\\vfw.inf", inf::kInfStyleWin4);
  EXPECT_NE(h, 0u);
  inf.Close(h);
}

}  // namespace
}  // namespace tolven::setup::testing
