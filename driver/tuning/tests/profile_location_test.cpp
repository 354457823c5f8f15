#include "driver/tuning/profile_location.h"

#include <gtest/gtest.h>

#include "driver/tuning/channel_list.h"
#include "platform/files/emulated_file_system.h"

namespace tolven::tuning {
namespace {

TEST(ProfileLocation, ProfileDirectoryWithItsSeparator) {
  files::EmulatedFileSystem fs;
  fs.SetUser(u"anna", u"C:\\Documents and Settings\\anna");
  EXPECT_EQ(ChannelFileDirectory(fs), u"C:\\Documents and Settings\\anna\\");
  EXPECT_EQ(fs.ProfileQuerySizes(), std::vector<uint32_t>{50});
}

TEST(ProfileLocation, BufferGrowsToTheReportedSize) {
  files::EmulatedFileSystem fs;
  WString deep = u"C:\\Documents and Settings\\" + WString(120, u'p');
  fs.SetUser(u"p", deep);
  WString dir;
  ASSERT_TRUE(QueryUserProfileDirectory(fs, &dir));
  EXPECT_EQ(dir, deep);  // no terminator carried into the name
  EXPECT_EQ(fs.ProfileQuerySizes(), (std::vector<uint32_t>{50, static_cast<uint32_t>(deep.size() + 1)}));
}

TEST(ProfileLocation, ExactlyFittingPathNeedsOneQuery) {
  files::EmulatedFileSystem fs;
  WString path = u"C:\\" + WString(46, u'x');  // 49 characters and the terminator
  fs.SetUser(u"x", path);
  WString dir;
  ASSERT_TRUE(QueryUserProfileDirectory(fs, &dir));
  EXPECT_EQ(dir, path);
  EXPECT_EQ(fs.ProfileQuerySizes().size(), 1u);
}

// A profile function that keeps asking for the same size, or for more and
// more: the query gives up instead of looping for ever.
class StubbornProfile : public files::EmulatedFileSystem {
 public:
  explicit StubbornProfile(uint32_t step) : step_(step) {}
  files::Status QueryUserProfileDirectory(char16_t *, uint32_t *size) override {
    ++calls;
    *size += step_;
    return files::kErrorInsufficientBuffer;
  }
  int calls = 0;

 private:
  uint32_t step_;
};

TEST(ProfileLocation, QueryThatNeverSucceedsEnds) {
  StubbornProfile same(0), growing(1000);
  WString dir;
  EXPECT_FALSE(QueryUserProfileDirectory(same, &dir));
  EXPECT_EQ(same.calls, 1);
  EXPECT_FALSE(QueryUserProfileDirectory(growing, &dir));
  EXPECT_LT(growing.calls, 40);
  EXPECT_EQ(ChannelFileDirectory(same), u"C:\\WINDOWS\\Profiles\\Viewer\\");
}

TEST(ProfileLocation, FallsBackToTheWindowsProfilesFolder) {
  files::EmulatedFileSystem fs;
  fs.SetWindowsDirectory(u"C:\\WINNT");
  fs.SetUser(u"bob", u"C:\\Documents and Settings\\bob");
  fs.SetProfileFunctionOffered(false);
  EXPECT_EQ(ChannelFileDirectory(fs), u"C:\\WINNT\\Profiles\\bob\\");
}

TEST(ProfileLocation, EmptyWhenNothingIsKnown) {
  files::EmulatedFileSystem fs;
  fs.SetProfileFunctionOffered(false);
  fs.SetUserNameAvailable(false);
  EXPECT_EQ(ChannelFileDirectory(fs), u"");
  fs.SetUserNameAvailable(true);
  fs.SetWindowsDirectoryAvailable(false);
  EXPECT_EQ(ChannelFileDirectory(fs), u"");
}

TEST(ProfileLocation, FileNamesAndTheDefaultPath) {
  EXPECT_EQ(ChannelFileName(u"C:\\P\\", kDriverShortName, 0, kChannelFileExtension),
            u"C:\\P\\TOLVEN0.dat");
  EXPECT_EQ(ChannelFileName(u"", u"TOLVEN", 3, u"chn"), u"TOLVEN3.chn");
  EXPECT_EQ(ChannelFileName(u"D:\\", u"TOLVEN", -1, u"dat"), u"D:\\TOLVEN-1.dat");
  files::EmulatedFileSystem fs;
  fs.SetUser(u"anna", u"C:\\Documents and Settings\\anna");
  EXPECT_EQ(DefaultChannelFilePath(fs, kDriverShortName), u"C:\\WINDOWS\\Profiles\\anna\\TOLVEN0.dat");
}

TEST(ProfileLocation, TwoUsersKeepTheirOwnChannels) {
  files::EmulatedFileSystem fs;
  fs.SetUser(u"anna", u"C:\\Documents and Settings\\anna");
  WString annaFile = ChannelFileName(ChannelFileDirectory(fs), kDriverShortName, 0, kChannelFileExtension);
  CVarnTunerChannelList anna;
  CVarnTunerChannel c;
  c.name = u"Anna's";
  anna.InsertAt(-1, c);
  ASSERT_TRUE(anna.Save(fs, annaFile));

  fs.SetUser(u"bob", u"C:\\Documents and Settings\\bob");
  WString bobFile = ChannelFileName(ChannelFileDirectory(fs), kDriverShortName, 0, kChannelFileExtension);
  EXPECT_NE(bobFile, annaFile);
  CVarnTunerChannelList bob;
  EXPECT_EQ(bob.Load(fs, bobFile), ChannelFileStatus::kMissing);
  c.name = u"Bob's";
  bob.InsertAt(-1, c);
  bob.InsertAt(-1, c);
  ASSERT_TRUE(bob.Save(fs, bobFile));

  CVarnTunerChannelList check;
  ASSERT_EQ(check.Load(fs, annaFile), ChannelFileStatus::kLoaded);
  ASSERT_EQ(check.GetCount(), 1);
  check.GetAt(0, &c);
  EXPECT_EQ(c.name, u"Anna's");
}

}  // namespace
}  // namespace tolven::tuning
