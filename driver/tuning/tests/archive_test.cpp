#include "driver/tuning/archive.h"

#include <gtest/gtest.h>

namespace tolven::tuning {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ArchiveCount, ShortFormAndEscape) {
  ArchiveWriter w;
  w.WriteCount(0);
  w.WriteCount(0xFFFE);
  w.WriteCount(0xFFFF);
  w.WriteCount(0x12345678);
  EXPECT_EQ(w.Bytes(), (Bytes{0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00,
                              0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
  ArchiveReader r(w.Bytes());
  uint32_t c = 1;
  ASSERT_TRUE(r.ReadCount(&c));
  EXPECT_EQ(c, 0u);
  ASSERT_TRUE(r.ReadCount(&c));
  EXPECT_EQ(c, 0xFFFEu);
  ASSERT_TRUE(r.ReadCount(&c));
  EXPECT_EQ(c, 0xFFFFu);
  ASSERT_TRUE(r.ReadCount(&c));
  EXPECT_EQ(c, 0x12345678u);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_FALSE(r.ReadCount(&c));
  EXPECT_TRUE(r.Failed());
}

TEST(ArchiveCount, EscapeWithoutItsWideCountFails) {
  Bytes b{0xFF, 0xFF, 0x01, 0x00, 0x00};
  ArchiveReader r(b);
  uint32_t c = 7;
  EXPECT_FALSE(r.ReadCount(&c));
  EXPECT_EQ(c, 7u);
}

TEST(ArchiveString, NarrowLengthForms) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{254}, size_t{255}, size_t{256}, size_t{0xFFFD},
                   size_t{0xFFFE}, size_t{0xFFFF}, size_t{70000}}) {
    WString text(n, u'x');
    ArchiveWriter w;
    w.WriteNarrowString(text);
    const Bytes &b = w.Bytes();
    size_t head = n < 255 ? 1 : n < 0xFFFE ? 3 : 7;
    ASSERT_EQ(b.size(), head + n) << n;
    if (n < 255) {
      EXPECT_EQ(b[0], n);
    } else {
      EXPECT_EQ(b[0], 0xFF);
    }
    if (n >= 0xFFFE) {
      EXPECT_EQ((b[1] | b[2] << 8), 0xFFFF) << n;
    }
    ArchiveReader r(b);
    WString back;
    ASSERT_TRUE(r.ReadString(&back)) << n;
    EXPECT_EQ(back, text);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(ArchiveString, NarrowCharactersWidenByValue) {
  Bytes b{3, 'A', 0xE9, 0x7F};
  ArchiveReader r(b);
  WString s;
  ASSERT_TRUE(r.ReadString(&s));
  EXPECT_EQ(s, (WString{u'A', u'\u00E9', u'\x7F'}));
}

TEST(ArchiveString, WideFormIsReadToo) {
  Bytes b{0xFF, 0xFE, 0xFF, 0x02, 0x43, 0x00, 0x68, 0x00};
  ArchiveReader r(b);
  WString s;
  ASSERT_TRUE(r.ReadString(&s));
  EXPECT_EQ(s, u"Ch");
  EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveString, WideLengthForms) {
  for (size_t n : {size_t{0}, size_t{254}, size_t{255}, size_t{0xFFFD}, size_t{0xFFFE},
                   size_t{0x10000}}) {
    WString text(n, u'\u20AC');
    ArchiveWriter w;
    w.WriteWideString(text);
    const Bytes &b = w.Bytes();
    size_t head = 3 + (n < 255 ? 1 : n < 0xFFFE ? 3 : 7);
    ASSERT_EQ(b.size(), head + 2 * n) << n;
    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xFE);
    EXPECT_EQ(b[2], 0xFF);
    ArchiveReader r(b);
    WString back;
    ASSERT_TRUE(r.ReadString(&back)) << n;
    EXPECT_EQ(back, text);
  }
}

TEST(ArchiveString, ImpossibleLengthsFailWithoutReadingPastTheEnd) {
  const Bytes cases[] = {
      {5, 'a', 'b'},                                  // short 8-bit text
      {0xFF, 0x00, 0x01, 'a'},                        // 16-bit length 256
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},     // 32-bit length 4 GiB - 1
      {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // wide, 4 G chars
      {0xFF, 0xFE, 0xFF, 0x01, 0x41},                 // half a wide character
      {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00},     // the wide marker twice
      {0xFF, 0xFE},                                   // cut inside the 16-bit word
      {},
  };
  for (const auto &b : cases) {
    ArchiveReader r(b);
    WString s = u"kept";
    EXPECT_FALSE(r.ReadString(&s));
    EXPECT_EQ(s, u"kept");
    EXPECT_TRUE(r.Failed());
    EXPECT_LE(r.Position(), b.size());
  }
}

TEST(ArchiveNumbers, LittleEndianAndFloatBits) {
  ArchiveWriter w;
  w.WriteU16(0x1234);
  w.WriteU32(0x80000000u);
  w.WriteFloat(471.25f);
  EXPECT_EQ(w.Bytes(), (Bytes{0x34, 0x12, 0x00, 0x00, 0x00, 0x80, 0x00, 0xA0, 0xEB, 0x43}));
  ArchiveReader r(w.Bytes());
  uint16_t a = 0;
  uint32_t b = 0;
  float f = 0;
  ASSERT_TRUE(r.ReadU16(&a) && r.ReadU32(&b) && r.ReadFloat(&f));
  EXPECT_EQ(a, 0x1234);
  EXPECT_EQ(b, 0x80000000u);
  EXPECT_EQ(f, 471.25f);
}

TEST(ArchiveReader, FailureSticks) {
  Bytes b{1, 2, 3};
  ArchiveReader r(b);
  uint32_t v = 0;
  EXPECT_FALSE(r.ReadU32(&v));
  uint8_t u = 0;
  EXPECT_FALSE(r.ReadU8(&u));  // even though a byte is there
  EXPECT_EQ(r.Position(), 0u);
}

}  // namespace
}  // namespace tolven::tuning
