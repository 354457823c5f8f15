#include "driver/tuning/channel_list.h"

#include <gtest/gtest.h>

#include "platform/files/emulated_file_system.h"

namespace tolven::tuning {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr char16_t kPath[] = u"C:\\Documents and Settings\\Viewer\\TOLVEN0.dat";

CVarnTunerChannel Channel(WString name, uint32_t number, uint32_t hz, uint32_t input = 0) {
  CVarnTunerChannel c;
  c.name = std::move(name);
  c.channelNumber = number;
  c.frequency = hz;
  c.inputNumber = input;
  return c;
}

Bytes Serialize(const CVarnTunerChannelList &list) {
  ArchiveWriter w;
  list.Write(w);
  return w.Bytes();
}

TEST(ChannelFile, EmptyListIsFourZeroBytes) {
  CVarnTunerChannelList list;
  EXPECT_EQ(Serialize(list), (Bytes{0, 0, 0, 0}));
  files::EmulatedFileSystem fs;
  ASSERT_TRUE(list.Save(fs, kPath));
  EXPECT_EQ(fs.FileContents(kPath), (Bytes{0, 0, 0, 0}));
  CVarnTunerChannelList back;
  back.InsertAt(-1, Channel(u"x", 1, 1));
  EXPECT_EQ(back.Load(fs, kPath), ChannelFileStatus::kLoaded);
  EXPECT_EQ(back.GetCount(), 0);
}

TEST(ChannelFile, OneChannelByteForByte) {
  CVarnTunerChannelList list;
  CVarnTunerChannel ch = Channel(u"Ch", 21, 471250000);
  ch.audioMode = kAudioModeAuto;
  ch.language = 1;
  list.InsertAt(-1, ch);
  const Bytes expected{0x01, 0x00, 0x00, 0x00,                          // count
                       0xFF, 0xFE, 0xFF, 0x02, 0x43, 0x00, 0x68, 0x00,  // name
                       0x00, 0x00, 0x00, 0x00,                          // input
                       0x15, 0x00, 0x00, 0x00,                          // number
                       0x50, 0xB4, 0x16, 0x1C,                          // frequency
                       0x00, 0x00, 0x00, 0x80,                          // audio mode
                       0x01, 0x00, 0x00, 0x00};                         // language
  EXPECT_EQ(Serialize(list), expected);
  ArchiveReader r(expected);
  CVarnTunerChannelList back;
  ASSERT_EQ(back.Read(r), ChannelFileStatus::kLoaded);
  CVarnTunerChannel got;
  ASSERT_TRUE(back.GetAt(0, &got));
  EXPECT_EQ(got, ch);
}

TEST(ChannelFile, EmptyNameIsWideMarkerAndZeroLength) {
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"", 2, 55250000));
  Bytes b = Serialize(list);
  EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 8), (Bytes{0xFF, 0xFE, 0xFF, 0x00}));
  EXPECT_EQ(b.size(), 4u + 4u + 20u);
}

TEST(ChannelFile, NarrowNamesAreAcceptedOnRead) {
  const Bytes file{0x01, 0x00, 0x00, 0x00, 0x03, 'B', 'B', 'C',
                   0x01, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 0x50, 0xB4, 0x16, 0x1C,
                   0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
  ArchiveReader r(file);
  CVarnTunerChannelList list;
  ASSERT_EQ(list.Read(r), ChannelFileStatus::kLoaded);
  CVarnTunerChannel c;
  ASSERT_TRUE(list.GetAt(0, &c));
  EXPECT_EQ(c.name, u"BBC");
  EXPECT_EQ(c.inputNumber, 1u);
  EXPECT_EQ(c.channelNumber, 22u);
  EXPECT_EQ(c.frequency, 471250000u);
  EXPECT_EQ(c.audioMode, 1u);
  EXPECT_EQ(c.language, 2u);
}

class LongNames : public ::testing::TestWithParam<size_t> {};

TEST_P(LongNames, RoundTripWithTheirLengthForm) {
  size_t n = GetParam();
  WString name(n, u'a');
  for (size_t i = 0; i < n; ++i) name[i] = static_cast<char16_t>(u'A' + i % 26 + (i % 7 == 0 ? 0x400 : 0));
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(name, 5, 175250000, 0));
  list.InsertAt(-1, Channel(u"after", 6, 182250000, 0));
  Bytes b = Serialize(list);
  // The length form right after the wide marker.
  ASSERT_GE(b.size(), 8u);
  if (n < 255) {
    EXPECT_EQ(b[7], n);
  } else if (n < 0xFFFE) {
    EXPECT_EQ(b[7], 0xFF);
    EXPECT_EQ(b[8] | b[9] << 8, static_cast<int>(n));
  } else {
    EXPECT_EQ(b[7], 0xFF);
    EXPECT_EQ(b[8] | b[9] << 8, 0xFFFF);
    EXPECT_EQ(b[10] | b[11] << 8 | b[12] << 16 | b[13] << 24, static_cast<int>(n));
  }
  files::EmulatedFileSystem fs;
  ASSERT_TRUE(list.Save(fs, kPath));
  CVarnTunerChannelList back;
  ASSERT_EQ(back.Load(fs, kPath), ChannelFileStatus::kLoaded);
  ASSERT_EQ(back.GetCount(), 2);
  CVarnTunerChannel c;
  ASSERT_TRUE(back.GetAt(0, &c));
  EXPECT_EQ(c.name, name);
  ASSERT_TRUE(back.GetAt(1, &c));
  EXPECT_EQ(c.name, u"after");
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongNames,
                         ::testing::Values(254, 255, 256, 0xFFFD, 0xFFFE, 0xFFFF, 70000));

TEST(ChannelList, IndexOperations) {
  CVarnTunerChannelList list;
  CVarnTunerChannel c;
  EXPECT_FALSE(list.GetAt(0, &c));
  EXPECT_FALSE(list.SetAt(0, Channel(u"a", 1, 1)));
  EXPECT_EQ(list.InsertAt(-1, Channel(u"a", 1, 1)), 0);
  EXPECT_EQ(list.InsertAt(99, Channel(u"c", 3, 3)), 1);
  EXPECT_EQ(list.InsertAt(1, Channel(u"b", 2, 2)), 1);
  EXPECT_EQ(list.InsertAt(-5, Channel(u"d", 4, 4)), 3);
  ASSERT_EQ(list.GetCount(), 4);
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(list.GetAt(i, &c));
    EXPECT_EQ(c.channelNumber, static_cast<uint32_t>(i + 1));
  }
  EXPECT_FALSE(list.GetAt(-1, &c));
  EXPECT_FALSE(list.GetAt(4, &c));
  EXPECT_EQ(list.FindChannelNumber(3), 2);
  EXPECT_EQ(list.FindChannelNumber(9), -1);
  EXPECT_TRUE(list.SetAt(2, Channel(u"z", 9, 9)));
  EXPECT_EQ(list.FindChannelNumber(9), 2);
  EXPECT_FALSE(list.SetAt(4, Channel(u"z", 9, 9)));
  EXPECT_TRUE(list.RemoveAt(0));
  EXPECT_FALSE(list.RemoveAt(3));
  EXPECT_FALSE(list.RemoveAt(-1));
  EXPECT_EQ(list.GetCount(), 3);
  ASSERT_TRUE(list.GetAt(0, &c));
  EXPECT_EQ(c.name, u"b");
  // A copy is independent of the list.
  c.name = u"changed";
  CVarnTunerChannel again;
  list.GetAt(0, &again);
  EXPECT_EQ(again.name, u"b");
  CVarnTunerChannelList copy = list;
  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(copy.GetCount(), 3);
}

TEST(ChannelList, FindsTheFirstOfRepeatedNumbers) {
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"a", 7, 1));
  list.InsertAt(-1, Channel(u"b", 7, 2));
  EXPECT_EQ(list.FindChannelNumber(7), 0);
}

TEST(ChannelFileIo, MissingFileGivesAnEmptyList) {
  files::EmulatedFileSystem fs;
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"old", 1, 1));
  EXPECT_EQ(list.Load(fs, kPath), ChannelFileStatus::kMissing);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.Load(fs, u"C:\\No such folder\\TOLVEN0.dat"), ChannelFileStatus::kMissing);
}

TEST(ChannelFileIo, UnreadableFileGivesAnEmptyList) {
  files::EmulatedFileSystem fs;
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"x", 1, 1));
  ASSERT_TRUE(list.Save(fs, kPath));
  fs.LockFile(kPath);
  EXPECT_EQ(list.Load(fs, kPath), ChannelFileStatus::kUnreadable);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ChannelFileIo, SaveIntoAMissingFolderFailsAndWritesNothing) {
  files::EmulatedFileSystem fs;
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"x", 1, 1));
  size_t before = fs.FileCount();
  EXPECT_FALSE(list.Save(fs, u"C:\\No such folder\\TOLVEN0.dat"));
  EXPECT_FALSE(list.Save(fs, u""));
  EXPECT_EQ(fs.FileCount(), before);
}

CVarnTunerChannelList ThreeChannels() {
  CVarnTunerChannelList list;
  list.InsertAt(-1, Channel(u"One", 21, 471250000));
  list.InsertAt(-1, Channel(u"Two", 22, 479250000));
  list.InsertAt(-1, Channel(u"Three", 23, 487250000));
  return list;
}

TEST(ChannelFileIo, InterruptedSaveKeepsTheOldFile) {
  files::EmulatedFileSystem fs;
  CVarnTunerChannelList list = ThreeChannels();
  ASSERT_TRUE(list.Save(fs, kPath));
  Bytes old = fs.FileContents(kPath);

  CVarnTunerChannelList edited = list;
  edited.RemoveAll();
  edited.InsertAt(-1, Channel(u"Only", 30, 543250000));
  for (size_t cut : {size_t{0}, size_t{3}, size_t{10}}) {
    fs.FailNextWriteAfter(cut);
    EXPECT_FALSE(edited.Save(fs, kPath));
    EXPECT_EQ(fs.FileContents(kPath), old) << cut;
  }
  fs.FailNextReplace();
  EXPECT_FALSE(edited.Save(fs, kPath));
  EXPECT_EQ(fs.FileContents(kPath), old);

  CVarnTunerChannelList back;
  EXPECT_EQ(back.Load(fs, kPath), ChannelFileStatus::kLoaded);
  EXPECT_EQ(back.GetCount(), 3);

  // The next save that goes through replaces the file and its leftover.
  ASSERT_TRUE(edited.Save(fs, kPath));
  EXPECT_EQ(back.Load(fs, kPath), ChannelFileStatus::kLoaded);
  EXPECT_EQ(back.GetCount(), 1);
  EXPECT_FALSE(fs.FileExists(files::ReplacementFileName(kPath)));
}

TEST(ChannelFileIo, SaveRewritesTheWholeFile) {
  files::EmulatedFileSystem fs;
  ASSERT_TRUE(ThreeChannels().Save(fs, kPath));
  CVarnTunerChannelList one;
  one.InsertAt(-1, Channel(u"Ch", 21, 471250000));
  ASSERT_TRUE(one.Save(fs, kPath));
  EXPECT_EQ(fs.FileContents(kPath).size(), 32u);
}

}  // namespace
}  // namespace tolven::tuning
