// A damaged channel file, names that are not text, long lists of bad CSV
// lines and a state that cannot be saved.
#include <gtest/gtest.h>

#include <filesystem>

#include "tools/varnctl/channel_file_check.h"
#include "tools/varnctl/tests/varnctl_test_support.h"

namespace tolven::varnctl::testing {
namespace {

using nlohmann::json;

std::span<const uint8_t> Bytes(const std::string &text) {
  return {reinterpret_cast<const uint8_t *>(text.data()), text.size()};
}

class DamagedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.Run({"scan", "--progress=none"}).status, kExitOk);
    whole = s.ReadFile("TOLVEN0.dat");
  }
  Session s;
  std::string whole;
};

// Six records of 50 bytes ("New Channel k": 4 bytes of length, 26 of
// characters, 20 of numbers) behind the 4-byte count.
TEST_F(DamagedFile, TheCheckFindsWhereTheDamageStarts) {
  ASSERT_EQ(whole.size(), 304u);
  ChannelFileDamage damage;
  EXPECT_FALSE(FindChannelFileDamage(Bytes(whole), &damage));
  EXPECT_TRUE(FindChannelFileDamage(Bytes(whole.substr(0, 303)), &damage));
  EXPECT_EQ(damage.intactBytes, 254u);
  EXPECT_EQ(damage.completeChannels, 5);
  EXPECT_TRUE(FindChannelFileDamage(Bytes(whole + "x"), &damage));  // a stray byte
  EXPECT_EQ(damage.intactBytes, 304u);
  EXPECT_EQ(damage.completeChannels, 6);
  EXPECT_TRUE(FindChannelFileDamage(Bytes(whole.substr(0, 3)), &damage));
  EXPECT_EQ(damage.intactBytes, 0u);
  EXPECT_EQ(damage.completeChannels, 0);
  EXPECT_FALSE(FindChannelFileDamage(Bytes(std::string(4, '\0')), &damage));  // an empty list
}

TEST_F(DamagedFile, AFileCutShortIsReportedAndCopiedBeforeTheNextSave) {
  const std::string cut = whole.substr(0, 280);
  s.WriteFile("TOLVEN0.dat", cut);
  Result r = s.Run({"channels"});
  EXPECT_EQ(r.status, kExitOk);
  const std::string path = (s.state / "TOLVEN0.dat").string();
  EXPECT_EQ(r.err, "varnctl: the channel file " + path + " is damaged after byte 254; 5 complete channels were kept\n" +
                       "varnctl: a copy of the damaged file is kept in " + path + ".damaged\n");
  EXPECT_NE(r.out.find("New Channel 5"), std::string::npos);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat.damaged"), cut);
  // A change rewrites the file whole; the copy stays.
  Result rename = s.Run({"rename", "0", "Mine"});
  EXPECT_EQ(rename.status, kExitOk);
  EXPECT_NE(rename.err.find("is damaged"), std::string::npos);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat").size(), 4u + 4 * 50 + 4 + 4 * 2 + 20);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat.damaged"), cut);
  Result after = s.Run({"channels"});
  EXPECT_TRUE(after.err.empty()) << after.err;
}

TEST_F(DamagedFile, GarbageNamesAndNumbersAreNotShownRaw) {
  // One record: an 8-bit name with an escape sequence, a bell and a C1
  // control, and a channel number past 2^31.
  std::string file("\x01\x00\x00\x00", 4);
  const std::string name = "\x1b[31mRed\x07";
  file += static_cast<char>(name.size() + 2);
  file += name + "\xC2\x9B";  // read as two 8-bit characters, U+00C2 U+009B
  file += std::string("\x00\x00\x00\x00", 4);          // input
  file += std::string("\xF0\xFF\xFF\xFF", 4);          // number
  file += std::string("\x50\xB4\x16\x1C", 4);          // 471.25 MHz
  file += std::string("\x00\x00\x00\x80", 4);          // Auto
  file += std::string("\x01\x00\x00\x00", 4);          // language
  s.WriteFile("TOLVEN0.dat", file);
  Result r = s.Run({"channels"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  for (char ch : r.out) EXPECT_TRUE(static_cast<unsigned char>(ch) >= 0x20 || ch == '\n') << int(ch);
  EXPECT_EQ(r.out.find("\xC2\x9B"), std::string::npos);
  EXPECT_NE(r.out.find("[31mRed"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("none"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("-16"), std::string::npos) << r.out;
  const json listed = s.Run({"--json", "channels"}).Json()["channels"][0];
  EXPECT_TRUE(listed["number"].is_null());
  EXPECT_EQ(listed["name"], "\xEF\xBF\xBD[31mRed\xEF\xBF\xBD\xC3\x82\xEF\xBF\xBD");
}

TEST_F(DamagedFile, RenameAndAddRefuseNamesThatAreNotUtf8) {
  Result r = s.Run({"rename", "0", "Bad\xFFName"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find("not UTF-8"), std::string::npos) << r.err;
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), whole);
  EXPECT_EQ(s.Run({"add", "\xC3"}).status, kExitUsage);
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), whole);
  EXPECT_EQ(s.Run({"rename", "0", "Caf\xC3\xA9"}).status, kExitOk);
}

TEST_F(DamagedFile, ManyBadCsvLinesShowTheFirstTwentyAndACount) {
  std::string csv = "name,number,frequency_hz,audio_mode,language\n";
  for (int i = 0; i < 1000; ++i) csv += "X,1,lots,Auto,1\n";
  const std::string file = s.WriteFile("bad.csv", csv);
  Result r = s.Run({"import", file});
  EXPECT_EQ(r.status, kExitFailed);
  size_t lines = 0;
  for (size_t at = 0; (at = r.err.find(file + ":", at)) != std::string::npos; ++at) ++lines;
  EXPECT_EQ(lines, 21u) << r.err;  // twenty lines and the count
  EXPECT_NE(r.err.find(file + ":21: frequency"), std::string::npos);
  EXPECT_EQ(r.err.find(file + ":22: frequency"), std::string::npos);
  EXPECT_NE(r.err.find(file + ": 980 more bad lines not shown (1000 in all)\n"), std::string::npos) << r.err;
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), whole);
}

TEST_F(DamagedFile, AStateThatCannotBeSavedIsReported) {
  // The registry's save goes through "registry.json.new"; a folder there
  // makes it fail.
  std::filesystem::create_directory(s.state / "registry.json.new");
  Result r = s.Run({"rename", "0", "Mine"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_NE(r.err.find("varnctl: cannot write " + (s.state / "registry.json.new").string()), std::string::npos)
      << r.err;
  EXPECT_EQ(s.ReadFile("TOLVEN0.dat"), whole);
}

}  // namespace
}  // namespace tolven::varnctl::testing
