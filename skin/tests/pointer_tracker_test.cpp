// Hit-testing and the enter, leave and click events of pointer movement.
#include <gtest/gtest.h>

#include "pointer_tracker.h"
#include "skin_parser.h"

namespace tolven::skin {
namespace {

constexpr const char kSkin[] = R"(skin root
size 100 100
element panel {
  rect 10 10 50 50
  element a {
    rect 0 0 20 20
    on enter In-a
    on leave Out-a
    on click Click-a
  }
  element b {
    rect 10 10 20 20
    on click Click-b
  }
  element quiet {
    rect 0 30 10 10
    fill hover #ffffff
  }
}
element cover {
  rect 0 80 100 20
}
)";

class PointerTrackerTest : public testing::Test {
 protected:
  void SetUp() override {
    SkinError error;
    doc = SkinParser::Parse(kSkin, "p.skn", error);
    ASSERT_TRUE(doc) << error.Text();
  }
  std::unique_ptr<SkinDocument> doc;
};

using Events = std::vector<SkinEvent>;

TEST_F(PointerTrackerTest, HitTestFindsTheTopmostInteractiveElement) {
  EXPECT_EQ(doc->HitTest(10, 10), doc->Find("a"));   // first pixel
  EXPECT_EQ(doc->HitTest(29, 29), doc->Find("b"));   // a and b overlap: b was written later
  EXPECT_EQ(doc->HitTest(19, 19), doc->Find("a"));   // b starts at 20
  EXPECT_EQ(doc->HitTest(20, 20), doc->Find("b"));
  EXPECT_EQ(doc->HitTest(19, 29), doc->Find("a"));
  EXPECT_EQ(doc->HitTest(9, 10), nullptr);           // just left of a
  EXPECT_EQ(doc->HitTest(40, 40), nullptr);          // b ends before x 40
  EXPECT_EQ(doc->HitTest(39, 39), doc->Find("b"));   // last pixel of b
  EXPECT_EQ(doc->HitTest(12, 42), doc->Find("quiet"));  // a hover look is enough
  EXPECT_EQ(doc->HitTest(50, 90), nullptr);          // cover has nothing to do
  doc->Find("panel")->visible = false;
  EXPECT_EQ(doc->HitTest(15, 15), nullptr);          // a hidden parent hides its children
}

TEST_F(PointerTrackerTest, EnterAndLeaveFollowThePointer) {
  PointerTracker t(*doc);
  EXPECT_EQ(t.Move(0, 0), Events{});
  EXPECT_EQ(t.Move(12, 12), (Events{{"a", "In-a"}}));
  EXPECT_EQ(t.Move(13, 13), Events{});  // still inside
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Hover);
  EXPECT_EQ(t.Move(25, 25), (Events{{"a", "Out-a"}}));  // onto b, which has no enter event
  EXPECT_EQ(t.Hovered(), doc->Find("b"));
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Normal);
  EXPECT_EQ(t.Move(15, 15), (Events{{"a", "In-a"}}));
  EXPECT_EQ(t.Leave(), (Events{{"a", "Out-a"}}));
  EXPECT_EQ(t.Hovered(), nullptr);
}

TEST_F(PointerTrackerTest, AClickNeedsPressAndReleaseOnTheSameElement) {
  PointerTracker t(*doc);
  t.Press(12, 12);
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Pressed);
  EXPECT_EQ(t.Release(13, 12), (Events{{"a", "Click-a"}}));
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Hover);

  t.Press(12, 12);
  Events moved = t.Move(35, 35);
  EXPECT_EQ(moved, (Events{{"a", "Out-a"}}));
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Normal);  // pressed, but the pointer is away
  EXPECT_EQ(t.LookOf(*doc->Find("b")), Look::Normal);  // no hover while another is pressed
  EXPECT_EQ(t.Release(35, 35), Events{});               // released on b: no click at all

  t.Press(35, 35);
  EXPECT_EQ(t.Release(35, 35), (Events{{"b", "Click-b"}}));
  t.Press(0, 0);  // on nothing
  EXPECT_EQ(t.Release(0, 0), Events{});
}

TEST_F(PointerTrackerTest, DisabledAndHiddenElementsGiveNoEvents) {
  PointerTracker t(*doc);
  doc->Find("a")->enabled = false;
  EXPECT_EQ(t.Move(12, 12), Events{});
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Disabled);
  t.Press(12, 12);
  EXPECT_EQ(t.Release(12, 12), Events{});
  doc->Find("a")->enabled = true;
  EXPECT_EQ(t.Move(12, 13), (Events{{"a", "In-a"}}));
  // Hidden while hovered: it leaves without an event, and is not clicked.
  t.Press(12, 13);
  doc->Find("a")->visible = false;
  EXPECT_EQ(t.Release(12, 13), Events{});
  EXPECT_EQ(t.Hovered(), nullptr);
  doc->Find("panel")->enabled = false;
  doc->Find("a")->visible = true;
  EXPECT_EQ(t.LookOf(*doc->Find("a")), Look::Disabled);  // a disabled parent disables children
}

}  // namespace
}  // namespace tolven::skin
