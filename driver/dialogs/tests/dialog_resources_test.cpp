// The generated dialog resources: the string table and every template in
// both languages, the British one writing "Colour".
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Generated() {
  std::ifstream file(TOLVEN_DIALOGS_RC);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The part of the script from `language` up to the next LANGUAGE statement.
std::string Block(const std::string &rc, const std::string &language) {
  size_t begin = rc.find(language);
  if (begin == std::string::npos) return "";
  size_t end = rc.find("\nLANGUAGE ", begin + 1);
  return rc.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

const char *const kLanguages[] = {"LANGUAGE 0x09, 0x01", "LANGUAGE 0x09, 0x02"};

TEST(DialogResourcesTest, BothLanguagesHaveTheDriverSettingsTemplate) {
  std::string rc = Generated();
  ASSERT_FALSE(rc.empty());
  for (const char *language : kLanguages) {
    std::string block = Block(rc, language);
    ASSERT_FALSE(block.empty()) << language;
    EXPECT_NE(block.find("IDD_DRIVER_SETTINGS DIALOGEX"), std::string::npos) << language;
    EXPECT_NE(block.find("CAPTION \"Driver Settings\""), std::string::npos);
    EXPECT_NE(block.find("\"OK\", IDC_OK"), std::string::npos);
    EXPECT_NE(block.find("\"Cancel\", IDC_CANCEL"), std::string::npos);
    EXPECT_NE(block.find("GROUPBOX        \"TV Tuner\""), std::string::npos);
    EXPECT_NE(block.find("\"&Type\""), std::string::npos);
    EXPECT_NE(block.find("\"&Origin\""), std::string::npos);
    // The type list keeps its order; the origin list is sorted by the control.
    size_t type = block.find("COMBOBOX        IDC_SETTINGS_TYPE");
    size_t origin = block.find("COMBOBOX        IDC_SETTINGS_ORIGIN");
    ASSERT_NE(type, std::string::npos);
    ASSERT_NE(origin, std::string::npos);
    std::string typeLine = block.substr(type, block.find('\n', type) - type);
    std::string originLine = block.substr(origin, block.find('\n', origin) - origin);
    EXPECT_NE(typeLine.find("CBS_DROPDOWNLIST"), std::string::npos);
    EXPECT_EQ(typeLine.find("CBS_SORT"), std::string::npos);
    EXPECT_NE(originLine.find("CBS_DROPDOWNLIST | CBS_SORT"), std::string::npos);
    EXPECT_NE(block.find("STRINGTABLE"), std::string::npos);
    EXPECT_NE(block.find("109, L\"Broadcast Terrestrial Video\""), std::string::npos);
  }
}

TEST(DialogResourcesTest, TheBritishTableWritesColour) {
  std::string rc = Generated();
  std::string us = Block(rc, kLanguages[0]), uk = Block(rc, kLanguages[1]);
  EXPECT_NE(us.find("272, L\"High Color (16 Bit)\""), std::string::npos);
  EXPECT_NE(uk.find("272, L\"High Colour (16 Bit)\""), std::string::npos);
  EXPECT_EQ(uk.find("Color"), std::string::npos);
  EXPECT_NE(us.find("285, L\"Corastream\\x00ae\""), std::string::npos);
}

}  // namespace
