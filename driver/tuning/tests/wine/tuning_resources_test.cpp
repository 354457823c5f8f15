// tolvenu.dll's tuning tables and the channel file on Windows: the DLL is
// loaded as its callers load it, its SERIALIZED_DATA resources are found by
// name with the type in another case, and they must equal the tables the
// native build embeds. The channel file goes to the user's profile folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver/tuning/channel_list.h"
#include "driver/tuning/channel_plan.h"
#include "driver/tuning/embedded_resources.h"
#include "driver/tuning/profile_location.h"
#include "driver/tuning/tests/expected_tables.h"
#include "platform/files/win32_file_system.h"
#include "platform/resources/emulated_resources.h"
#include "platform/resources/win32_resources.h"

namespace tolven::tuning {
namespace {

class TolvenuResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(L"tolvenu.dll");
    ASSERT_NE(module_, nullptr) << "LoadLibrary failed: " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(TolvenuResources, Chan010bFoundByNameWithTheTypeInLowerCase) {
  HRSRC found = FindResourceW(module_, L"CHAN010B", L"serialized_data");
  ASSERT_NE(found, nullptr);
  DWORD size = SizeofResource(module_, found);
  const auto *bytes = static_cast<const uint8_t *>(LockResource(LoadResource(module_, found)));
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, 2u + 58u * 8u);

  // The same bytes as the native embedding.
  res::EmulatedResources embedded;
  InstallTuningResources(embedded);
  std::span<const uint8_t> native;
  ASSERT_TRUE(embedded.Find(kSerializedDataType, u"CHAN010B", &native));
  ASSERT_EQ(native.size(), size);
  EXPECT_EQ(0, memcmp(native.data(), bytes, size));

  // And the same entries read through the port.
  res::Win32Resources resources(module_);
  CChannelPlan fromDll, fromEmbedding;
  ASSERT_TRUE(fromDll.Load(resources, u"CHAN010B"));
  ASSERT_TRUE(fromEmbedding.Load(embedded, u"CHAN010B"));
  ASSERT_EQ(fromDll.Count(), 58u);
  EXPECT_EQ(fromDll.At(0).number, 21u);
  EXPECT_EQ(fromDll.At(0).FrequencyHz(), 471250000u);
  for (size_t i = 0; i < fromDll.Count(); ++i) {
    EXPECT_EQ(fromDll.At(i).number, fromEmbedding.At(i).number);
    EXPECT_EQ(fromDll.At(i).FrequencyHz(), fromEmbedding.At(i).FrequencyHz());
  }
}

TEST_F(TolvenuResources, EveryTableEqualsTheEmbeddedOne) {
  res::Win32Resources resources(module_);
  for (const auto &r : EmbeddedTuningResources()) {
    std::span<const uint8_t> bytes;
    res::ResourceName name = r.name ? res::ResourceName(r.name) : res::ResourceName(r.id);
    ASSERT_TRUE(resources.Find(u"Serialized_Data", name, &bytes)) << (r.name ? "plan" : "countries");
    ASSERT_EQ(bytes.size(), r.size);
    EXPECT_EQ(0, memcmp(bytes.data(), r.data, r.size));
  }
  std::span<const uint8_t> none;
  EXPECT_FALSE(resources.Find(kSerializedDataType, u"CHAN023B", &none));
}

TEST_F(TolvenuResources, CountryListIsResource131) {
  res::Win32Resources resources(module_);
  std::vector<CCountryCode> countries;
  ASSERT_TRUE(LoadCountryList(resources, &countries));
  ASSERT_EQ(countries.size(), 218u);
  EXPECT_EQ(countries[0].code, 44u);
  EXPECT_EQ(countries[0].name, u"United Kingdom (UK)");
}

TEST(ChannelFileOnWindows, WrittenToAndReadFromTheProfileFolder) {
  files::Win32FileSystem fs;
  WString dir;
  ASSERT_TRUE(QueryUserProfileDirectory(fs, &dir));
  WString path = ChannelFileName(dir + u"\\", u"TOLVENTEST", 0, kChannelFileExtension);

  CVarnTunerChannelList list;
  CVarnTunerChannel c;
  c.name = WString(300, u'W');
  c.channelNumber = 21;
  c.frequency = 471250000;
  list.InsertAt(-1, c);
  c.name = u"Ch";
  list.InsertAt(-1, c);
  ASSERT_TRUE(list.Save(fs, path));
  ASSERT_TRUE(list.Save(fs, path));  // replacing an existing file works too
  EXPECT_EQ(GetFileAttributesW(reinterpret_cast<LPCWSTR>(files::ReplacementFileName(path).c_str())),
            INVALID_FILE_ATTRIBUTES);

  CVarnTunerChannelList back;
  ASSERT_EQ(back.Load(fs, path), ChannelFileStatus::kLoaded);
  ASSERT_EQ(back.GetCount(), 2);
  CVarnTunerChannel got;
  back.GetAt(0, &got);
  EXPECT_EQ(got.name.size(), 300u);
  DeleteFileW(reinterpret_cast<LPCWSTR>(path.c_str()));
  EXPECT_EQ(back.Load(fs, path), ChannelFileStatus::kMissing);
}

}  // namespace
}  // namespace tolven::tuning
