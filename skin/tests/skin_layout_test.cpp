// Layout: rectangles relative to the parent, counted from the far edges,
// centred, stretched with the form, and absolute as the sum over parents.
#include <gtest/gtest.h>

#include "skin_parser.h"

namespace tolven::skin {
namespace {

std::unique_ptr<SkinDocument> Load(const char *text) {
  SkinError error;
  auto doc = SkinParser::Parse(text, "layout.skn", error);
  EXPECT_TRUE(doc) << error.Text();
  return doc;
}

constexpr const char kSkin[] = R"(skin root
size 200 100
element top {
  rect 0 0 0 20
  element right {
    rect -30 2 28 16
    element dot {
      rect 4 5 6 7
    }
  }
  element middle {
    rect centre 3 50 10
  }
}
element bottom {
  rect 10 -25 -10 0
}
element corner {
  rect -1 -1 1 1
}
)";

TEST(SkinLayout, RelativeRectanglesAtTheDesignSize) {
  auto doc = Load(kSkin);
  EXPECT_EQ(doc->Root().Relative(), (Rect{0, 0, 200, 100}));
  EXPECT_EQ(doc->Find("top")->Relative(), (Rect{0, 0, 200, 20}));
  EXPECT_EQ(doc->Find("right")->Relative(), (Rect{170, 2, 28, 16}));
  EXPECT_EQ(doc->Find("middle")->Relative(), (Rect{75, 3, 50, 10}));
  // From x 10 to 10 before the right edge, the last 25 pixels of the height.
  EXPECT_EQ(doc->Find("bottom")->Relative(), (Rect{10, 75, 180, 25}));
  EXPECT_EQ(doc->Find("corner")->Relative(), (Rect{199, 99, 1, 1}));
}

TEST(SkinLayout, AbsoluteIsTheSumOverParents) {
  auto doc = Load(kSkin);
  EXPECT_EQ(doc->Find("dot")->Relative(), (Rect{4, 5, 6, 7}));
  EXPECT_EQ(doc->Find("dot")->Absolute(), (Rect{174, 7, 6, 7}));
  EXPECT_EQ(doc->Find("bottom")->Absolute(), (Rect{10, 75, 180, 25}));
}

TEST(SkinLayout, FollowsTheFormButNeverBelowTheDesignSize) {
  auto doc = Load(kSkin);
  doc->Layout(400, 300);
  EXPECT_EQ(doc->Find("right")->Absolute(), (Rect{370, 2, 28, 16}));
  EXPECT_EQ(doc->Find("middle")->Absolute(), (Rect{175, 3, 50, 10}));
  EXPECT_EQ(doc->Find("bottom")->Absolute(), (Rect{10, 275, 380, 25}));
  EXPECT_EQ(doc->Find("corner")->Absolute(), (Rect{399, 299, 1, 1}));
  doc->Layout(50, 50);
  EXPECT_EQ(doc->Root().Relative(), (Rect{0, 0, 200, 100}));
  EXPECT_EQ(doc->Find("corner")->Absolute(), (Rect{199, 99, 1, 1}));
}

TEST(SkinLayout, AnExtentReachingPastTheFarEdgeIsEmpty) {
  auto doc = Load("skin r\nsize 20 20\nelement a {\n rect 15 0 -10 5\n}\n");
  EXPECT_EQ(doc->Find("a")->Relative(), (Rect{15, 0, 0, 5}));
}

TEST(SkinLayout, FindSearchesTheSubtreeOnly) {
  auto doc = Load(kSkin);
  EXPECT_EQ(doc->Find("top")->Find("dot"), doc->Find("dot"));
  EXPECT_EQ(doc->Find("top")->Find("bottom"), nullptr);
  EXPECT_EQ(doc->Find("dot")->Find("dot"), doc->Find("dot"));
  EXPECT_EQ(doc->Find("nothing"), nullptr);
  EXPECT_EQ(doc->Find("dot")->Parent()->Parent(), doc->Find("top"));
  EXPECT_EQ(doc->Root().Parent(), nullptr);
}

}  // namespace
}  // namespace tolven::skin
