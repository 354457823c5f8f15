// The scroll bar's range, steps, position and thumb geometry.
#include <gtest/gtest.h>

#include "scroll_model.h"

namespace tolven::skin {
namespace {

ScrollModel Volume() {
  ScrollModel m;
  m.SetRange(0, 100);
  m.SetSteps(5, 20);
  return m;
}

TEST(ScrollModel, PositionIsClampedIntoTheRange) {
  ScrollModel m = Volume();
  EXPECT_FALSE(m.SetPosition(0));  // already there: no change to report
  EXPECT_TRUE(m.SetPosition(100));
  EXPECT_FALSE(m.SetPosition(101));
  EXPECT_EQ(m.Position(), 100);
  EXPECT_TRUE(m.SetPosition(-1));
  EXPECT_EQ(m.Position(), 0);
  m.SetPosition(80);
  m.SetRange(0, 50);
  EXPECT_EQ(m.Position(), 50);
  m.SetRange(10, 5);  // an upside-down range collapses onto its minimum
  EXPECT_EQ(m.Maximum(), 10);
  EXPECT_EQ(m.Position(), 10);
}

TEST(ScrollModel, SmallAndLargeSteps) {
  ScrollModel m = Volume();
  EXPECT_TRUE(m.Step(+1));
  EXPECT_EQ(m.Position(), 5);
  EXPECT_TRUE(m.Step(-1));
  EXPECT_FALSE(m.Step(-1));
  // Track of 100 pixels, thumb 10 long: at 0 the thumb covers 0..9.
  EXPECT_EQ(m.ThumbStart(100, 10), 0);
  EXPECT_FALSE(m.PageTowards(5, 100, 10));  // on the thumb
  EXPECT_TRUE(m.PageTowards(10, 100, 10));  // first pixel after it
  EXPECT_EQ(m.Position(), 20);
  EXPECT_TRUE(m.PageTowards(0, 100, 10));
  EXPECT_EQ(m.Position(), 0);
  m.SetSteps(0, -3);  // steps are at least 1
  EXPECT_EQ(m.SmallStep(), 1);
  EXPECT_EQ(m.LargeStep(), 1);
}

TEST(ScrollModel, ThumbGeometry) {
  ScrollModel m = Volume();
  EXPECT_EQ(m.ThumbExtent(100, 10), 10);
  EXPECT_EQ(m.ThumbExtent(5, 10), 5);  // never longer than the track
  m.SetPosition(100);
  EXPECT_EQ(m.ThumbStart(100, 10), 90);
  m.SetPosition(50);
  EXPECT_EQ(m.ThumbStart(100, 10), 45);
  m.SetPosition(1);
  EXPECT_EQ(m.ThumbStart(100, 10), 1);  // 0.9 rounds to 1
  EXPECT_EQ(m.ThumbStart(10, 10), 0);   // no travel
}

TEST(ScrollModel, PositionUnderThePointer) {
  ScrollModel m = Volume();
  EXPECT_EQ(m.PositionAt(5, 100, 10), 0);     // thumb centred at 5 starts at 0
  EXPECT_EQ(m.PositionAt(95, 100, 10), 100);  // starts at 90, the end of travel
  EXPECT_EQ(m.PositionAt(50, 100, 10), 50);
  EXPECT_EQ(m.PositionAt(-40, 100, 10), 0);
  EXPECT_EQ(m.PositionAt(400, 100, 10), 100);
  EXPECT_EQ(m.PositionAt(50, 10, 10), 0);  // no travel
  for (int p = 0; p <= 100; ++p) {  // round trip: the thumb drawn for p maps back to p
    m.SetPosition(p);
    EXPECT_EQ(m.PositionAt(m.ThumbStart(210, 10) + 5, 210, 10), p);
  }
}

}  // namespace
}  // namespace tolven::skin
