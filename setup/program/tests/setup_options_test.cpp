#include "setup/program/setup_options.h"

#include <gtest/gtest.h>

namespace tolven::setupprogram {
namespace {

std::optional<SetupOptions> Parse(std::vector<std::wstring> arguments, std::wstring *error) {
  return SetupOptions::Parse(arguments, error);
}

TEST(SetupOptionsTest, NothingMeansAnInteractiveInstallIntoTheDefaultFolder) {
  std::wstring error;
  auto options = Parse({}, &error);
  ASSERT_TRUE(options);
  EXPECT_FALSE(options->silent);
  EXPECT_FALSE(options->uninstall);
  EXPECT_TRUE(options->folder.empty());
}

TEST(SetupOptionsTest, OptionsInAnyCaseAndOrder) {
  std::wstring error;
  auto options = Parse({L"/UNINSTALL", L"/s", L"/d=C:\\Tools\\Caldra One\\"}, &error);
  ASSERT_TRUE(options) << std::string(error.begin(), error.end());
  EXPECT_TRUE(options->silent);
  EXPECT_TRUE(options->uninstall);
  EXPECT_EQ(options->folder, L"C:\\Tools\\Caldra One");  // the trailing backslash goes
}

TEST(SetupOptionsTest, BadArgumentsAreNamed) {
  std::wstring error;
  EXPECT_FALSE(Parse({L"/quiet"}, &error));
  EXPECT_EQ(error, L"unknown option \"/quiet\"");
  EXPECT_FALSE(Parse({L"/D=Caldra"}, &error));
  EXPECT_EQ(error, L"the folder \"Caldra\" is not a full path (as C:\\Folder)");
  EXPECT_FALSE(Parse({L"/D="}, &error));
  EXPECT_FALSE(Parse({L"/D=C:\\"}, &error));
  EXPECT_EQ(error, L"the folder cannot be a drive's root: C:\\");
  EXPECT_FALSE(Parse({L"/D=C:\\a", L"/D=C:\\b"}, &error));
  EXPECT_EQ(error, L"/D= is given twice");
  EXPECT_TRUE(Parse({L"/D=\\\\server\\share\\Caldra"}, &error));
}

// The driver installer takes the folder and "\vfw.inf" in 260 bytes.
TEST(SetupOptionsTest, TheLongestFolderLeavesRoomForTheInfName) {
  std::wstring error;
  std::wstring longest = L"C:\\" + std::wstring(251 - 3, L'a');
  EXPECT_TRUE(Parse({L"/D=" + longest}, &error));
  EXPECT_FALSE(Parse({L"/D=" + longest + L"a"}, &error));
  EXPECT_EQ(error, L"the folder's path is longer than 251 characters");
}

}  // namespace
}  // namespace tolven::setupprogram
