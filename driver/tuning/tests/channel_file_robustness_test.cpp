// Damaged channel files: cut short at every byte, corrupted at random, or
// holding counts and lengths no file could hold. Loading never fails hard,
// keeps only complete records and says the file was damaged.
#include <gtest/gtest.h>

#include <random>

#include "driver/tuning/channel_list.h"
#include "platform/files/emulated_file_system.h"

namespace tolven::tuning {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr char16_t kPath[] = u"C:\\Documents and Settings\\Viewer\\TOLVEN0.dat";

struct Sample {
  CVarnTunerChannelList list;
  Bytes bytes;
  std::vector<size_t> recordEnds;  // offset just past each record
};

Sample MakeSample() {
  Sample s;
  const WString names[] = {u"Ch", u"", WString(300, u'L'), u"BBC Two", u"\u00C9cran"};
  size_t offset = 4;
  for (uint32_t i = 0; i < 5; ++i) {
    CVarnTunerChannel c;
    c.name = names[i];
    c.channelNumber = 21 + i;
    c.frequency = 471250000 + 8000000 * i;
    c.inputNumber = i % 2;
    c.audioMode = i ? kAudioModeMono : kAudioModeAuto;
    c.language = 1u << (i % 3);
    s.list.InsertAt(-1, c);
    ArchiveWriter one;
    c.Write(one);
    offset += one.Bytes().size();
    s.recordEnds.push_back(offset);
  }
  ArchiveWriter w;
  s.list.Write(w);
  s.bytes = w.Bytes();
  EXPECT_EQ(s.bytes.size(), offset);
  return s;
}

void ExpectPrefixOf(const CVarnTunerChannelList &got, const CVarnTunerChannelList &full,
                    int32_t count) {
  ASSERT_EQ(got.GetCount(), count);
  for (int32_t i = 0; i < count; ++i) {
    CVarnTunerChannel a, b;
    ASSERT_TRUE(got.GetAt(i, &a));
    ASSERT_TRUE(full.GetAt(i, &b));
    EXPECT_EQ(a, b) << i;
  }
}

TEST(DamagedChannelFile, CutAtEveryByteKeepsOnlyCompleteRecords) {
  Sample s = MakeSample();
  files::EmulatedFileSystem fs;
  for (size_t cut = 0; cut < s.bytes.size(); ++cut) {
    SCOPED_TRACE(cut);
    fs.SetFile(kPath, std::span<const uint8_t>(s.bytes.data(), cut));
    CVarnTunerChannelList list;
    EXPECT_EQ(list.Load(fs, kPath), ChannelFileStatus::kDamaged);
    int32_t complete = 0;
    for (size_t end : s.recordEnds)
      if (end <= cut) ++complete;
    ExpectPrefixOf(list, s.list, complete);
  }
  fs.SetFile(kPath, s.bytes);
  CVarnTunerChannelList list;
  EXPECT_EQ(list.Load(fs, kPath), ChannelFileStatus::kLoaded);
  ExpectPrefixOf(list, s.list, 5);
}

TEST(DamagedChannelFile, StrayBytesAfterTheLastRecordAreReported) {
  Sample s = MakeSample();
  s.bytes.push_back(0);
  ArchiveReader r(s.bytes);
  CVarnTunerChannelList list;
  EXPECT_EQ(list.Read(r), ChannelFileStatus::kDamaged);
  ExpectPrefixOf(list, s.list, 5);
}

TEST(DamagedChannelFile, ImpossibleCountsAreNotTrusted) {
  Sample s = MakeSample();
  for (uint32_t count : {6u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    Bytes b = s.bytes;
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(count >> (8 * i));
    ArchiveReader r(b);
    CVarnTunerChannelList list;
    EXPECT_EQ(list.Read(r), ChannelFileStatus::kDamaged) << count;
    ExpectPrefixOf(list, s.list, 5);
  }
  // Fewer records than the file holds: the rest is stray data.
  Bytes b = s.bytes;
  b[0] = 2;
  ArchiveReader r(b);
  CVarnTunerChannelList list;
  EXPECT_EQ(list.Read(r), ChannelFileStatus::kDamaged);
  ExpectPrefixOf(list, s.list, 2);
}

TEST(DamagedChannelFile, ImpossibleNameLengths) {
  const Bytes files[] = {
      // One record whose wide name claims 0xFFFFFFFF characters.
      {1, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0},
      // An 8-bit name with a 32-bit length of 2 GiB.
      {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 'a'},
      // The wide marker twice.
      {1, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00},
      // Only part of a count.
      {1, 0},
  };
  for (const auto &b : files) {
    ArchiveReader r(b);
    CVarnTunerChannelList list;
    EXPECT_EQ(list.Read(r), ChannelFileStatus::kDamaged);
    EXPECT_EQ(list.GetCount(), 0);
  }
}

TEST(DamagedChannelFile, RandomCorruptionNeverBreaksTheList) {
  Sample s = MakeSample();
  std::mt19937 random(20240517);  // fixed seed: the same cases every run
  for (int round = 0; round < 5000; ++round) {
    Bytes b = s.bytes;
    int flips = 1 + random() % 4;
    for (int i = 0; i < flips; ++i) b[random() % b.size()] = static_cast<uint8_t>(random());
    if (random() % 4 == 0) b.resize(random() % (b.size() + 1));
    ArchiveReader r(b);
    CVarnTunerChannelList list;
    ChannelFileStatus status = list.Read(r);
    ASSERT_TRUE(status == ChannelFileStatus::kLoaded || status == ChannelFileStatus::kDamaged);
    // Whatever was kept is a set of whole records that write back to a file
    // which loads again without damage.
    ArchiveWriter w;
    list.Write(w);
    ArchiveReader again(w.Bytes());
    CVarnTunerChannelList reread;
    ASSERT_EQ(reread.Read(again), ChannelFileStatus::kLoaded);
    ASSERT_EQ(reread.GetCount(), list.GetCount());
    if (status == ChannelFileStatus::kLoaded) {
      EXPECT_TRUE(r.AtEnd());
    }
  }
}

}  // namespace
}  // namespace tolven::tuning
