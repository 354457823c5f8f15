// The driver's string table: both languages, chosen by the user's language.
#include "driver/strings/string_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

namespace tolven::strings {
namespace {

TEST(StringTableTest, UnitedStatesTextsForAnAmericanUser) {
  loc::EmulatedLocale locale;
  locale.SetUserLanguage(loc::kEnglishUnitedStates);
  EmbeddedStringTable table(locale);
  EXPECT_EQ(table.Text(109), u"Broadcast Terrestrial Video");
  EXPECT_EQ(table.Text(113), u"Cable Video");
  EXPECT_EQ(table.Text(251), u"Video Capture for Caldra One");
  EXPECT_EQ(table.Text(250), u"TOLVEN");
  EXPECT_EQ(table.Text(272), u"High Color (16 Bit)");
  EXPECT_EQ(table.Text(285), u"Corastream\u00ae");
  EXPECT_EQ(table.Text(256), u"Satellie Television Tuner");  // as the product spells it
}

TEST(StringTableTest, BritishUsersReadColour) {
  loc::EmulatedLocale locale;
  locale.SetUserLanguage(loc::kEnglishUnitedKingdom);
  EmbeddedStringTable table(locale);
  EXPECT_EQ(table.Text(268), u"4 Colour (2 Bit)");
  EXPECT_EQ(table.Text(272), u"High Colour (16 Bit)");
  EXPECT_EQ(table.Text(273), u"True Colour (24 Bit)");
  EXPECT_EQ(table.Text(275), u"True Colour (32 Bit)");
  EXPECT_EQ(table.Text(267), u"Monochrome");
  EXPECT_EQ(table.Text(109), u"Broadcast Terrestrial Video");
}

TEST(StringTableTest, TheLanguageIsTheUsersAtEachLookup) {
  loc::EmulatedLocale locale;
  EmbeddedStringTable table(locale);
  EXPECT_EQ(table.Text(270), u"256 Color (8 Bit)");
  locale.SetUserLanguage(loc::kEnglishUnitedKingdom);
  EXPECT_EQ(table.Text(270), u"256 Colour (8 Bit)");
}

TEST(StringTableTest, AnIdWithoutAStringIsNotFound) {
  loc::EmulatedLocale locale;
  EmbeddedStringTable table(locale);
  WString text = u"unchanged";
  EXPECT_FALSE(table.Load(0, &text));
  EXPECT_FALSE(table.Load(110, &text));
  EXPECT_FALSE(table.Load(100000, &text));
  EXPECT_EQ(text, u"unchanged");
  // No texts under the standard VfW error numbers (1-22).
  for (uint32_t id = 1; id <= 22; ++id) EXPECT_FALSE(table.Load(id, &text)) << id;
}

TEST(StringTableTest, TheLanguagesDifferOnlyInColour) {
  for (const auto &entry : DriverStringEntries()) {
    std::u16string us(entry.unitedStates), uk(entry.unitedKingdom);
    size_t at;
    while ((at = us.find(u"Color")) != std::u16string::npos) us.replace(at, 5, u"Colour");
    while ((at = us.find(u"color")) != std::u16string::npos) us.replace(at, 5, u"colour");
    EXPECT_EQ(us, uk) << entry.id;
  }
}

TEST(StringTableTest, EveryLineOfTheSourceIsInTheTable) {
  std::ifstream source(TOLVEN_DRIVER_STRINGS);
  ASSERT_TRUE(source);
  std::regex line(R"(^(\d+) ".*"$)");
  size_t count = 0;
  std::string text;
  while (std::getline(source, text)) {
    std::smatch m;
    if (!std::regex_match(text, m, line)) continue;
    ++count;
    uint32_t id = static_cast<uint32_t>(std::stoul(m[1]));
    bool found = false;
    for (const auto &entry : DriverStringEntries()) found = found || entry.id == id;
    EXPECT_TRUE(found) << id;
  }
  EXPECT_EQ(count, DriverStringEntries().size());
  EXPECT_GE(count, 130u);
}

}  // namespace
}  // namespace tolven::strings
