// The channel list as CSV: canonical writing, quoting, and reading that
// names every bad record and leaves the list alone.
#include <gtest/gtest.h>

#include "tools/varnctl/channel_csv.h"

namespace tolven::varnctl {
namespace {

using tuning::CVarnTunerChannel;
using tuning::CVarnTunerChannelList;

const std::vector<AudioModeName> kModes = {{0x80000000u, "Auto"}, {1, "Mono"}, {2, "Nicam"}, {0x10000, "Line Stereo"}};

CVarnTunerChannel Channel(std::u16string name, uint32_t number, uint32_t frequency, uint32_t mode = 0x80000000u,
                          uint32_t language = 1) {
  CVarnTunerChannel c;
  c.name = std::move(name);
  c.channelNumber = number;
  c.frequency = frequency;
  c.audioMode = mode;
  c.language = language;
  return c;
}

TEST(ChannelCsv, WritesTheHeaderAndOneLinePerChannel) {
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"BBC ONE", 23, 487250000));
  list.InsertAt(-1, Channel(u"Two", 26, 511312500, 2, 4));
  list.InsertAt(-1, Channel(u"Odd", 30, 543250000, 0x100, 2));  // a bit without a name
  EXPECT_EQ(ChannelsToCsv(list, kModes),
            "name,number,frequency_hz,audio_mode,language\n"
            "BBC ONE,23,487250000,Auto,1\n"
            "Two,26,511312500,Nicam,4\n"
            "Odd,30,543250000,0x00000100,2\n");
}

TEST(ChannelCsv, QuotesOnlyWhatNeedsIt) {
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"News, Weather", 21, 1));
  list.InsertAt(-1, Channel(u"The \"One\"", 22, 2));
  list.InsertAt(-1, Channel(u" padded ", 23, 3));
  list.InsertAt(-1, Channel(u"two\nlines", 24, 4));
  list.InsertAt(-1, Channel(u"", 25, 5));
  list.InsertAt(-1, Channel(u"Caf\u00e9 \U0001F4FA", 26, 6));
  const std::string csv = ChannelsToCsv(list, kModes);
  EXPECT_EQ(csv,
            "name,number,frequency_hz,audio_mode,language\n"
            "\"News, Weather\",21,1,Auto,1\n"
            "\"The \"\"One\"\"\",22,2,Auto,1\n"
            "\" padded \",23,3,Auto,1\n"
            "\"two\nlines\",24,4,Auto,1\n"
            ",25,5,Auto,1\n"
            "Caf\xc3\xa9 \xf0\x9f\x93\xba,26,6,Auto,1\n");
  CVarnTunerChannelList back;
  std::vector<CsvProblem> problems;
  ASSERT_TRUE(ChannelsFromCsv(csv, kModes, 0, &back, &problems));
  ASSERT_EQ(back.GetCount(), list.GetCount());
  for (int32_t i = 0; i < list.GetCount(); ++i) {
    CVarnTunerChannel a, b;
    list.GetAt(i, &a);
    back.GetAt(i, &b);
    EXPECT_EQ(a, b) << i;
  }
  EXPECT_EQ(ChannelsToCsv(back, kModes), csv);
}

TEST(ChannelCsv, ReadsWhatEditorsWrite) {
  // A byte order mark, CRLF, blank lines, any case, a mode by its bit.
  const std::string text =
      "\xEF\xBB\xBFName,Number,Frequency_Hz,Audio_Mode,Language\r\n"
      "\r\n"
      "One,21,471250000,nicam,2\r\n"
      "Two,22,479250000,0x80000000,1\r\n"
      "Three,23,487250000,65536,4";  // no final line break
  CVarnTunerChannelList list;
  std::vector<CsvProblem> problems;
  ASSERT_TRUE(ChannelsFromCsv(text, kModes, 0, &list, &problems)) << problems.front().message;
  ASSERT_EQ(list.GetCount(), 3);
  CVarnTunerChannel c;
  list.GetAt(0, &c);
  EXPECT_EQ(c, Channel(u"One", 21, 471250000, 2, 2));
  list.GetAt(1, &c);
  EXPECT_EQ(c.audioMode, 0x80000000u);
  list.GetAt(2, &c);
  EXPECT_EQ(c, Channel(u"Three", 23, 487250000, 0x10000, 4));
}

TEST(ChannelCsv, NamesEveryBadRecordAndLeavesTheListAlone) {
  const std::string text =
      "name,number,frequency_hz,audio_mode,language\n"
      "Good,21,471250000,Auto,1\n"
      "\"Two\nlines\",22,0,Auto,1\n"          // line 3: frequency 0
      "Short,23,487250000,Auto\n"             // line 5: four fields
      "Big,24,4294967296,Auto,1\n"            // line 6: past 32 bits
      "Mode,25,1,Stereo,1\n"                  // line 7: no such mode
      "Bit,26,1,0x100,1\n"                    // line 8: a bit without a mode
      "Lang,27,1,Auto,3\n"                    // line 9: language 3
      "Num,-1,1,Auto,1\n"                     // line 10: negative number
      "Quote,2\"8,1,Auto,1\n"                 // line 11: stray quote
      "\"Open,29,1,Auto,1\n";                 // line 12: never closed
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"Kept", 40, 623250000));
  std::vector<CsvProblem> problems;
  EXPECT_FALSE(ChannelsFromCsv(text, kModes, 0, &list, &problems));
  std::vector<size_t> lines;
  for (const auto &p : problems) lines.push_back(p.line);
  EXPECT_EQ(lines, (std::vector<size_t>{3, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_NE(problems[0].message.find("frequency \"0\""), std::string::npos) << problems[0].message;
  EXPECT_NE(problems[1].message.find("found 4"), std::string::npos) << problems[1].message;
  EXPECT_NE(problems[3].message.find("Auto, Mono, Nicam, Line Stereo"), std::string::npos);
  ASSERT_EQ(list.GetCount(), 1);
  CVarnTunerChannel kept;
  list.GetAt(0, &kept);
  EXPECT_EQ(kept.name, u"Kept");
}

TEST(ChannelCsv, TheHeaderIsRequired) {
  CVarnTunerChannelList list;
  std::vector<CsvProblem> problems;
  EXPECT_FALSE(ChannelsFromCsv("", kModes, 0, &list, &problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].line, 1u);
  EXPECT_FALSE(ChannelsFromCsv("One,21,471250000,Auto,1\n", kModes, 0, &list, &problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].line, 1u);
  EXPECT_NE(problems[0].message.find("expected the header"), std::string::npos);
}

TEST(ChannelCsv, AHeaderAloneIsAnEmptyList) {
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"Old", 21, 1));
  std::vector<CsvProblem> problems;
  ASSERT_TRUE(ChannelsFromCsv(std::string(kChannelCsvHeader) + "\n", kModes, 0, &list, &problems));
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ChannelCsv, InvalidUtf8NamesAreRejected) {
  CVarnTunerChannelList list;
  std::vector<CsvProblem> problems;
  EXPECT_FALSE(ChannelsFromCsv(std::string(kChannelCsvHeader) + "\nBad\xff,21,1,Auto,1\n", kModes, 0, &list,
                               &problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].line, 2u);
}

}  // namespace
}  // namespace tolven::varnctl
