// The page templates of the Video Format and Video Display sheets in the
// generated resources: both languages, the British one writing "Colour", and
// every control the presenters drive.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string Generated() {
  std::ifstream file(TOLVEN_DIALOGS_RC);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Block(const std::string &rc, const std::string &language) {
  size_t begin = rc.find(language);
  if (begin == std::string::npos) return "";
  size_t end = rc.find("\nLANGUAGE ", begin + 1);
  return rc.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// One template's text, from its DIALOGEX line to its END.
std::string Template(const std::string &block, const std::string &id) {
  size_t begin = block.find(id + " DIALOGEX");
  if (begin == std::string::npos) return "";
  size_t end = block.find("\nEND", begin);
  return block.substr(begin, end - begin);
}

struct Language {
  const char *statement;
  const char *depth, *balance, *enable, *format;
};
const Language kLanguages[] = {
    {"LANGUAGE 0x09, 0x01", "\"&Color Depth\"", "\"C&olor Balance\"", "\"Color &Enable\"", "\"Color &Format\""},
    {"LANGUAGE 0x09, 0x02", "\"&Colour Depth\"", "\"C&olour Balance\"", "\"Colour &Enable\"", "\"Colour &Format\""},
};

TEST(VideoPageResources, TheDecoderPageHasItsListsAndBoxesInBothLanguages) {
  const std::string rc = Generated();
  for (const Language &l : kLanguages) {
    SCOPED_TRACE(l.statement);
    const std::string page = Template(Block(rc, l.statement), "IDD_VIDEO_DECODER_PAGE");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("CAPTION \"Video Decoder\""), std::string::npos);
    EXPECT_NE(page.find(l.depth), std::string::npos);
    for (const char *text : {"\"&Video Standard\"", "\"&Interlace Mode\"", "\"&Scaling\"", "\"Aspect &Ratio\"",
                             "\"&Output Enable\", IDC_DEC_OUTPUT_ENABLE", "\"VCR &Timing\", IDC_DEC_VCR_TIMING"})
      EXPECT_NE(page.find(text), std::string::npos) << text;
    for (const char *list : {"IDC_DEC_VIDEO_STANDARD", "IDC_DEC_INTERLACE_MODE", "IDC_DEC_SCALING",
                             "IDC_DEC_ASPECT_RATIO", "IDC_DEC_COLOUR_DEPTH"})
      EXPECT_NE(page.find(std::string("COMBOBOX        ") + list), std::string::npos) << list;
    // The lists keep the order the page adds entries in.
    EXPECT_EQ(page.find("CBS_SORT"), std::string::npos);
  }
}

TEST(VideoPageResources, ThePortPageHasItsFourListsInBothLanguages) {
  const std::string rc = Generated();
  for (const Language &l : kLanguages) {
    SCOPED_TRACE(l.statement);
    const std::string page = Template(Block(rc, l.statement), "IDD_VIDEO_PORT_PAGE");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("CAPTION \"Feature Connector\""), std::string::npos);
    EXPECT_NE(page.find(l.format), std::string::npos);
    EXPECT_NE(page.find("\"&Connection Format\""), std::string::npos);
    for (const char *list : {"IDC_VIP_VIDEO_STANDARD", "IDC_VIP_ASPECT_RATIO", "IDC_VIP_CONNECTION",
                             "IDC_VIP_COLOUR_FORMAT"})
      EXPECT_NE(page.find(std::string("COMBOBOX        ") + list), std::string::npos) << list;
    EXPECT_EQ(page.find("CBS_SORT"), std::string::npos);
  }
}

TEST(VideoPageResources, ThePictureControlPageHasNineRowsOfSlidersWithoutTicks) {
  const std::string rc = Generated();
  for (const Language &l : kLanguages) {
    SCOPED_TRACE(l.statement);
    const std::string page = Template(Block(rc, l.statement), "IDD_VIDEO_PROCESSOR_PAGE");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("CAPTION \"Video Processor\""), std::string::npos);
    EXPECT_NE(page.find(l.balance), std::string::npos);
    EXPECT_NE(page.find(l.enable), std::string::npos);
    for (const char *row : {"BRIGHTNESS", "CONTRAST", "HUE", "SATURATION", "GAMMA", "SHARPNESS", "COLOUR_BALANCE",
                            "WHITE_BALANCE", "BACK_LIGHT"}) {
      const std::string name = std::string("IDC_VPA_") + row;
      EXPECT_NE(page.find(name + "_LABEL"), std::string::npos) << row;
      EXPECT_NE(page.find("\"Default\", " + name + "_DEFAULT"), std::string::npos) << row;
      // A horizontal trackbar (TBS_HORZ is 0) without tick marks (TBS_NOTICKS).
      const std::regex slider(name + "_SLIDER, \"msctls_trackbar32\", 0x0010 \\| WS_TABSTOP");
      EXPECT_TRUE(std::regex_search(page, slider)) << row;
    }
    for (const char *text : {"\"&Brightness\"", "\"&Contrast\"", "\"&Hue\"", "\"&Saturation\"",
                             "\"&Gamma Correction\"", "\"Sha&rpness\"", "\"&White Balance\"",
                             "\"Back &Light Compensation\"", "\"&Inverse Video\", IDC_VPA_INVERSE_VIDEO",
                             "\"&Default All\", IDC_VPA_DEFAULT_ALL", "IDC_VPA_STATUS"})
      EXPECT_NE(page.find(text), std::string::npos) << text;
  }
}

TEST(VideoPageResources, TheSheetMessagesAreInTheStringTable) {
  const std::string rc = Generated();
  for (const Language &l : kLanguages) {
    const std::string block = Block(rc, l.statement);
    EXPECT_NE(block.find("124, L\"Video Display Properties\""), std::string::npos);
    EXPECT_NE(block.find("125, L\"Video Format Properties\""), std::string::npos);
    EXPECT_NE(block.find("340, L\"This card offers no video format settings.\""), std::string::npos);
    EXPECT_NE(block.find("341, L\""), std::string::npos);
  }
}

}  // namespace
