// The main window's sizing arithmetic for each edge, the letterboxed pane,
// the context menu's items, and the layout codes' maps.
#include <gtest/gtest.h>

#include "viewer/app/context_menu.h"
#include "viewer/app/window_geometry.h"
#include "viewer/core/layout_code.h"

namespace tolven::viewer {
namespace {

// A frame of 10 by 40 pixels around the client element.
SizingRules Rules(bool minSize, bool aspect, float ratio = 1.3333f) {
  SizingRules r;
  r.minSize = minSize;
  r.keepAspect = aspect;
  r.ratio = ratio;
  r.extraWidth = 10;
  r.extraHeight = 40;
  r.workAreaHeight = 700;
  return r;
}

TEST(Sizing, TheMinimumSizeMovesTheDraggedSide) {
  for (int32_t edge = kEdgeLeft; edge <= kEdgeBottomRight; ++edge) {
    SCOPED_TRACE(edge);
    ScreenRect w{100, 100, 200, 150};  // client 90 x 10
    WindowGeometry::Sizing(edge, Rules(true, false), &w);
    EXPECT_EQ(w.Width() - 10, 250);
    EXPECT_EQ(w.Height() - 40, 187);
    const bool left = edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft;
    EXPECT_EQ(left ? w.right : w.left, left ? 200 : 100);
    const bool top = edge <= kEdgeTopRight;
    EXPECT_EQ(top ? w.bottom : w.top, top ? 150 : 100);
  }
}

TEST(Sizing, AClientOf186IsRaisedTo187AndOf187Kept) {
  ScreenRect w{0, 0, 400, 186 + 40};
  WindowGeometry::Sizing(kEdgeBottom, Rules(true, false), &w);
  EXPECT_EQ(w.Height(), 187 + 40);
  ScreenRect kept{0, 0, 400, 187 + 40};
  WindowGeometry::Sizing(kEdgeBottom, Rules(true, false), &kept);
  EXPECT_EQ(kept.Height(), 187 + 40);
}

TEST(Sizing, WithoutTheSkinsFlagNothingIsLimited) {
  ScreenRect w{100, 100, 200, 150};
  WindowGeometry::Sizing(kEdgeRight, Rules(false, false), &w);
  EXPECT_EQ(w, (ScreenRect{100, 100, 200, 150}));
}

TEST(Sizing, SideAndCornerEdgesSetTheHeightFromTheWidth) {
  // Client 410 wide: 410 / 1.3333 = 307.5... truncated to 307.
  ScreenRect w{0, 0, 420, 300};
  WindowGeometry::Sizing(kEdgeRight, Rules(false, true), &w);
  EXPECT_EQ(w.Height() - 40, 307);
  EXPECT_EQ(w.top, 0);  // the bottom edge moved
  ScreenRect corner{0, 0, 420, 300};
  WindowGeometry::Sizing(kEdgeTopLeft, Rules(false, true), &corner);
  EXPECT_EQ(corner.Height() - 40, 307);
  EXPECT_EQ(corner.bottom, 300);  // the top edge moved
}

TEST(Sizing, DraggingTheTopEdgeChangesTheWidthNotTheHeight) {
  ScreenRect w{50, 50, 450, 390};  // client 390 x 300
  WindowGeometry::Sizing(kEdgeTop, Rules(false, true), &w);
  EXPECT_EQ(w.Height(), 340);
  EXPECT_EQ(w.Width() - 10, 399);  // 1.3333 x 300 = 399.99, truncated
  EXPECT_EQ(w.left, 50);
}

TEST(Sizing, TooTallForTheWorkAreaTheWidthFollowsTheHeight) {
  // Client 1200 wide would want 900 high; the work area is 700.
  ScreenRect w{0, 0, 1210, 540};  // client height 500
  WindowGeometry::Sizing(kEdgeLeft, Rules(false, true), &w);
  EXPECT_EQ(w.Height(), 540);
  EXPECT_EQ(w.right, 1210);  // the left edge moved
  EXPECT_EQ(w.Width() - 10, 666);  // 1.3333 x 500, truncated
}

TEST(Sizing, TheMinimumWidthOnATopDragRecomputesTheHeight) {
  ScreenRect w{0, 0, 400, 140};  // client 100 high: 133 wide, below 250
  WindowGeometry::Sizing(kEdgeTop, Rules(true, true), &w);
  EXPECT_EQ(w.Width() - 10, 250);
  EXPECT_EQ(w.Height() - 40, 187);  // 250 / 1.3333
  EXPECT_EQ(w.bottom, 140);
}

TEST(Pane, LetterboxingAtFourToThreeAndSixteenToNine) {
  // A 16:9 screen keeps a 4:3 picture with bars left and right.
  EXPECT_EQ(WindowGeometry::Pane(1280, 720, true, 1.3333f), (ScreenRect{160, 0, 1119, 720}));
  // A 4:3 screen keeps a 16:9 picture with bars above and below.
  EXPECT_EQ(WindowGeometry::Pane(1024, 768, true, 1.7777f), (ScreenRect{0, 96, 1024, 672}));
  EXPECT_EQ(WindowGeometry::Pane(1024, 768, false, 1.7777f), (ScreenRect{0, 0, 1024, 768}));
}

std::vector<uint32_t> Commands(const std::vector<MenuItem> &items) {
  std::vector<uint32_t> c;
  for (const MenuItem &i : items) c.push_back(i.command);
  return c;
}

TEST(Menu, DockedWindowedWithEveryDialog) {
  MenuState s;
  s.videoSource = s.videoFormat = s.videoDisplay = true;
  const auto items = ContextMenu::Build(s);
  EXPECT_EQ(Commands(items),
            (std::vector<uint32_t>{600, 0, 604, 605, 606, 0, 607, 608, 609, 0, 610, 0, 611}));
  EXPECT_EQ(items[0].text, 55u);    // "Separate controls"
  EXPECT_EQ(items[10].text, 65u);   // "Full screen"
}

TEST(Menu, UndockedMaximizedWithoutDialogs) {
  MenuState s;
  s.maximized = true;
  s.undocked = true;
  s.remoteHidden = true;
  s.standard = false;
  const auto items = ContextMenu::Build(s);
  EXPECT_EQ(Commands(items), (std::vector<uint32_t>{601, 0, 602, 603, 0, 607, 608, 609, 0, 610, 0, 611}));
  EXPECT_EQ(items[0].text, 56u);  // "Show controls"
  EXPECT_FALSE(items[2].checked);
  EXPECT_TRUE(items[3].checked);
  EXPECT_EQ(items[9].text, 54u);  // "Windowed"
}

TEST(Menu, MaximizedAndDockedHasNoDockItemNorItsSeparator) {
  MenuState s;
  s.maximized = true;
  EXPECT_EQ(Commands(ContextMenu::Build(s)), (std::vector<uint32_t>{607, 608, 609, 0, 610, 0, 611}));
}

TEST(LayoutMaps, DockAndControllerStyle) {
  const int32_t dock[9] = {0, 3, 4, 1, 2, 6, 5, 8, 7};
  for (int32_t c = 1; c <= 8; ++c) EXPECT_EQ(LayoutCode::ToggleDock(c), dock[c]) << c;
  EXPECT_EQ(LayoutCode::ToStandard(6), 3);
  EXPECT_EQ(LayoutCode::ToStandard(8), 4);
  EXPECT_EQ(LayoutCode::ToStandard(5), 5);  // docked: no style switch
  EXPECT_EQ(LayoutCode::ToAdvanced(3), 6);
  EXPECT_EQ(LayoutCode::ToAdvanced(4), 8);
  EXPECT_EQ(LayoutCode::ToAdvanced(1), 1);
}

}  // namespace
}  // namespace tolven::viewer
