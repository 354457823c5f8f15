#include "platform/capture/driver_catalog.h"

#include <gtest/gtest.h>

#include "platform/registry/emulated_registry.h"

namespace tolven::cap {
namespace {

constexpr char16_t kDescription[] = u"\\StringFileInfo\\040904E4\\FileDescription";

class DriverCatalogTest : public ::testing::Test {
 protected:
  void Register(const char16_t *value, WStringView file, uint32_t type = reg::kSz) {
    reg::Key key = 0;
    ASSERT_EQ(registry_.CreateKey(reg::kLocalMachine, kDrivers32Path, reg::kAllAccess, &key), 0u);
    if (type == reg::kDword) {
      ASSERT_EQ(reg::SetDword(registry_, key, value, 1), 0u);
    } else {
      ASSERT_EQ(reg::SetString(registry_, key, value, file, type), 0u);
    }
    registry_.CloseKey(key);
  }
  reg::EmulatedRegistry registry_;
  EmulatedDriverVersionInfo versions_;
  DriverCatalog catalog_{registry_, versions_};
};

TEST_F(DriverCatalogTest, IndexesNameTheMsvideoRegistrations) {
  EXPECT_EQ(DriverCatalog::RegistrationName(0), u"msvideo");
  EXPECT_EQ(DriverCatalog::RegistrationName(1), u"msvideo1");
  EXPECT_EQ(DriverCatalog::RegistrationName(9), u"msvideo9");
  EXPECT_EQ(DriverCatalog::RegistrationName(10), u"");
  EXPECT_EQ(DriverCatalog::RegistrationName(-1), u"");
}

TEST_F(DriverCatalogTest, NoRegistrationsListNothing) {
  WString name, version;
  for (int32_t index = -1; index <= 10; ++index) EXPECT_FALSE(catalog_.Describe(index, &name, &version)) << index;
}

TEST_F(DriverCatalogTest, SetupsRegistrationIsIndexZeroWithTheFileNameAsName) {
  // The setup writes "MSVIDEO"; value names compare without case. The
  // driver's version strings are in the US-English Unicode block, which is
  // not the one the description is taken from, so the file name stands.
  Register(u"MSVIDEO", u"tolvenu.dll");
  versions_.AddFile(u"TOLVENU.DLL", FileVersion{1, 2, 3, 0});
  versions_.AddString(u"tolvenu.dll", u"\\StringFileInfo\\040904B0\\FileDescription", u"Video Capture");
  WString name, version;
  ASSERT_TRUE(catalog_.Describe(0, &name, &version));
  EXPECT_EQ(name, u"tolvenu.dll");
  EXPECT_EQ(version, u"Version:  1.2.3.0");
  EXPECT_FALSE(catalog_.Describe(1, &name, &version));
}

TEST_F(DriverCatalogTest, DescriptionInTheLatinOneBlockNamesTheDriver) {
  Register(u"msvideo3", u"other.drv");
  versions_.AddFile(u"other.drv", FileVersion{4, 0, 950, 12});
  versions_.AddString(u"other.drv", kDescription, u"Another Capture Card");
  WString name, version;
  EXPECT_FALSE(catalog_.Describe(2, &name, &version));  // each index its own value
  ASSERT_TRUE(catalog_.Describe(3, &name, &version));
  EXPECT_EQ(name, u"Another Capture Card");
  EXPECT_EQ(version, u"Version:  4.0.950.12");
}

TEST_F(DriverCatalogTest, FileWithoutVersionResourceIsDescribedByItsName) {
  Register(u"msvideo9", u"bare.dll");
  WString name, version;
  ASSERT_TRUE(catalog_.Describe(9, &name, &version));
  EXPECT_EQ(name, u"bare.dll");
  EXPECT_EQ(version, u"bare.dll");
  WString file;
  ASSERT_TRUE(catalog_.FileName(9, &file));
  EXPECT_EQ(file, u"bare.dll");
}

TEST_F(DriverCatalogTest, TextsAreCutToTheCallersBuffer) {
  Register(u"msvideo", u"long.dll");
  versions_.AddString(u"long.dll", kDescription, WString(100, u'x'));
  WString name, version;
  ASSERT_TRUE(catalog_.Describe(0, &name, &version));
  EXPECT_EQ(name, WString(kDescriptionChars, u'x'));
}

TEST_F(DriverCatalogTest, ValuesThatAreNotFileNamesListNothing) {
  Register(u"msvideo", u"", reg::kDword);
  Register(u"msvideo1", u"");
  WString name, version;
  EXPECT_FALSE(catalog_.Describe(0, &name, &version));
  EXPECT_FALSE(catalog_.Describe(1, &name, &version));
}

}  // namespace
}  // namespace tolven::cap
