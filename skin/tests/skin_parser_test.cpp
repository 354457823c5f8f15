// The parser: what a skin says ends up in the model, and every way a file
// can be wrong gives a message naming the file and the line.
#include <gtest/gtest.h>

#include "skin_parser.h"

namespace tolven::skin {
namespace {

std::unique_ptr<SkinDocument> Parse(const std::string &text, SkinError &error) {
  return SkinParser::Parse(text, "test.skn", error);
}

TEST(SkinParser, ReadsEveryPropertyOfAnElement) {
  SkinError error;
  auto doc = Parse(R"(// a comment line
skin main   // trailing comment
size 200 100
font "Tahoma" 12
on load Enable-min-size
on load Enable-menu-popup
element button {
  rect 10 20 30 40
  fill normal #102030
  fill hover #40506070
  image pressed press.png
  images btn-x-22
  text "Vol = \"5\" \\"
  font "Arial" 9 bold
  colour #ff0000
  align right
  shape round 6
  on enter Show-a
  on leave Hide-a
  on click Click-a
  state Off hide button
  state Off disable button
  hidden
  disabled
}
)", error);
  ASSERT_TRUE(doc) << error.Text();
  EXPECT_EQ(doc->Root().Name(), "main");
  EXPECT_EQ(doc->DesignWidth(), 200);
  EXPECT_EQ(doc->DesignHeight(), 100);
  EXPECT_EQ(doc->loadEvents, (std::vector<std::string>{"Enable-min-size", "Enable-menu-popup"}));
  SkinElement *b = doc->Find("button");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->line, 7);
  EXPECT_EQ(b->Relative(), (Rect{10, 20, 30, 40}));
  EXPECT_EQ(*b->looks[0].fill, (Colour{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(*b->looks[1].fill, (Colour{0x40, 0x50, 0x60, 0x70}));
  // "images" after "image pressed" gives all four looks their files.
  EXPECT_EQ(b->looks[0].image, "btn-x-22-normal.png");
  EXPECT_EQ(b->looks[2].image, "btn-x-22-pressed.png");
  EXPECT_EQ(b->looks[3].image, "btn-x-22-disabled.png");
  EXPECT_EQ(b->text, "Vol = \"5\" \\");
  TextStyle s = b->EffectiveStyle();
  EXPECT_EQ(s.face, "Arial");
  EXPECT_EQ(s.pixels, 9);
  EXPECT_TRUE(s.bold);
  EXPECT_EQ(s.colour, (Colour{255, 0, 0, 255}));
  EXPECT_EQ(s.align, Align::Right);
  EXPECT_EQ(b->shape.kind, ShapeKind::Rounded);
  EXPECT_EQ(b->shape.radius, 6);
  EXPECT_EQ(b->onEnter, "Show-a");
  EXPECT_EQ(b->onLeave, "Hide-a");
  EXPECT_EQ(b->onClick, "Click-a");
  ASSERT_EQ(b->states.size(), 1u);  // two lines of one state
  EXPECT_EQ(b->states[0].actions.size(), 2u);
  EXPECT_FALSE(b->visible);
  EXPECT_FALSE(b->enabled);
  EXPECT_EQ(doc->Root().EffectiveStyle().pixels, 12);
}

TEST(SkinParser, AChildWithoutAStyleTakesItsParents) {
  SkinError error;
  auto doc = Parse("skin s\nsize 10 10\ncolour #010203\nelement a {\n rect 0 0 5 5\n}\n", error);
  ASSERT_TRUE(doc) << error.Text();
  EXPECT_EQ(doc->Find("a")->EffectiveStyle().colour, (Colour{1, 2, 3, 255}));
  EXPECT_EQ(doc->Find("a")->EffectiveStyle().face, "Tahoma");
}

struct Malformed {
  const char *text;
  int line;
  const char *message;
};

class SkinParserRejects : public testing::TestWithParam<Malformed> {};

TEST_P(SkinParserRejects, NamingTheFileAndLine) {
  SkinError error;
  EXPECT_FALSE(Parse(GetParam().text, error));
  EXPECT_EQ(error.file, "test.skn");
  EXPECT_EQ(error.line, GetParam().line);
  EXPECT_NE(error.message.find(GetParam().message), std::string::npos) << error.message;
  if (GetParam().line > 0) {
    EXPECT_EQ(error.Text().rfind("test.skn:" + std::to_string(GetParam().line) + ": ", 0), 0u) << error.Text();
  }
}

constexpr const char kHead[] = "skin s\nsize 100 100\n";
#define HEAD "skin s\nsize 100 100\n"

INSTANTIATE_TEST_SUITE_P(Cases, SkinParserRejects, testing::Values(
    Malformed{"", 0, "the file is empty"},
    Malformed{"// only a comment\n\n", 0, "the file is empty"},
    Malformed{"size 1 1\n", 1, "a skin starts with \"skin <name>\""},
    Malformed{"skin s\n", 0, "no \"size"},
    Malformed{"skin s t\n", 1, "expected \"skin <name>\""},
    Malformed{"skin bad/name\n", 1, "is not a name"},
    Malformed{HEAD "skin again\n", 3, "given twice"},
    Malformed{HEAD "element a {\n rect 0 0 1 1\n", 3, "element \"a\" is not closed"},
    Malformed{HEAD "}\n", 3, "without an open element"},
    Malformed{HEAD "element a {\n}\n", 3, "element \"a\" has no rect"},
    Malformed{HEAD "element a\n", 3, "expected \"element <name> {\""},
    Malformed{HEAD "element a [\n", 3, "must end with \"{\""},
    Malformed{HEAD "element a {\n rect 0 0 1 1\n}\nelement a {\n", 6, "used twice"},
    Malformed{HEAD "element s {\n", 3, "used twice"},
    Malformed{HEAD "element a {\n rect 0 0 1\n", 4, "expected \"rect <x> <y> <width> <height>\""},
    Malformed{HEAD "element a {\n rect 0 x 1 1\n", 4, "\"x\" is not a whole number"},
    Malformed{HEAD "element a {\n rect 0 0 1 9000\n", 4, "9000 is outside -8192..8192"},
    Malformed{HEAD "element a {\n rect 0 0 99999999999 1\n", 4, "is not a whole number"},
    Malformed{HEAD "rect 0 0 1 1\n", 3, "\"rect\" belongs to an element"},
    Malformed{"skin s\nsize 0 10\n", 2, "0 is outside 1..8192"},
    Malformed{HEAD "element a {\n size 1 1\n", 4, "\"size\" belongs to the skin"},
    Malformed{HEAD "fill normal #12345\n", 3, "\"#12345\" is not a colour"},
    Malformed{HEAD "fill normal #12345g\n", 3, "is not a colour"},
    Malformed{HEAD "fill shiny #123456\n", 3, "look \"shiny\" is not normal, hover, pressed or disabled"},
    Malformed{HEAD "image normal picture.bmp\n", 3, "is not a .png file name"},
    Malformed{HEAD "image normal ../up.png\n", 3, "is not a .png file name"},
    Malformed{HEAD "text \"open\n", 3, "quoted text is not closed"},
    Malformed{HEAD "text \"a\\nb\"\n", 3, "unknown escape"},
    Malformed{HEAD "font \"\" 10\n", 3, "a font face has 1 to 31 characters"},
    Malformed{HEAD "font \"Tahoma\" 300\n", 3, "larger than 200"},
    Malformed{HEAD "font \"Tahoma\" 10 italic\n", 3, "\"italic\" is not \"bold\""},
    Malformed{HEAD "align middle\n", 3, "is not left, centre or right"},
    Malformed{HEAD "shape star\n", 3, "expected \"shape rectangle\""},
    Malformed{HEAD "on hover X\n", 3, "\"hover\" is not enter, leave, click or load"},
    Malformed{HEAD "element a {\n rect 0 0 1 1\n on load X\n", 5, "\"on load\" belongs to the skin"},
    Malformed{HEAD "state On show nowhere\n", 3, "names element \"nowhere\", which the skin does not have"},
    Malformed{HEAD "state On s\n", 3, "comes before show, hide, enable or disable"},
    Malformed{HEAD "wobble\n", 3, "unknown word \"wobble\""},
    Malformed{HEAD "hidden now\n", 3, "expected \"hidden\""},
    Malformed{HEAD "text \"a\x01\"\n", 3, "control character"},
    Malformed{HEAD "te\x02xt\n", 3, "control character"}));

TEST(SkinParser, EndsOfLinesMayBeWindowsStyle) {
  SkinError error;
  auto doc = Parse("skin s\r\nsize 10 10\r\nelement a {\r\n rect 1 2 3 4\r\n}\r\n", error);
  ASSERT_TRUE(doc) << error.Text();
  EXPECT_EQ(doc->Find("a")->Relative(), (Rect{1, 2, 3, 4}));
}

TEST(SkinParser, ZeroByteInTheMiddleIsRejectedOnItsLine) {
  SkinError error;
  std::string text = std::string(kHead) + "text \"a";
  text.push_back('\0');
  text += "\"\n";
  EXPECT_FALSE(Parse(text, error));
  EXPECT_EQ(error.line, 3);
}

TEST(SkinParser, NestingAndElementCountAreBounded) {
  std::string deep = kHead;
  for (int i = 0; i <= SkinParser::kMaxDepth; ++i) deep += "element e" + std::to_string(i) + " {\nrect 0 0 1 1\n";
  SkinError error;
  EXPECT_FALSE(Parse(deep, error));
  EXPECT_NE(error.message.find("nested too deep"), std::string::npos);
  EXPECT_EQ(error.line, 3 + 2 * SkinParser::kMaxDepth);

  std::string many = kHead;
  for (int i = 0; i <= SkinParser::kMaxElements; ++i) many += "element e" + std::to_string(i) + " {\nrect 0 0 1 1\n}\n";
  EXPECT_FALSE(Parse(many, error));
  EXPECT_NE(error.message.find("too many elements"), std::string::npos);

  std::string most = kHead;
  for (int i = 0; i < SkinParser::kMaxElements; ++i) most += "element e" + std::to_string(i) + " {\nrect 0 0 1 1\n}\n";
  EXPECT_TRUE(Parse(most, error)) << error.Text();
}

TEST(SkinParser, AMissingFileIsNamed) {
  SkinError error;
  EXPECT_FALSE(SkinParser::ParseFile("/nonexistent/folder/maindocked.skn", error));
  EXPECT_EQ(error.Text(), "/nonexistent/folder/maindocked.skn: cannot be opened");
}

}  // namespace
}  // namespace tolven::skin
