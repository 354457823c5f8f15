#include <gtest/gtest.h>

#include "viewer/core/layout_code.h"

namespace tolven::viewer {
namespace {

TEST(LayoutCode, EveryCodeRoundTripsThroughItsThreeChoices) {
  for (int32_t code = 1; code <= 8; ++code)
    EXPECT_EQ(LayoutCode::Make(LayoutCode::Standard(code), LayoutCode::Undocked(code), LayoutCode::Tuner(code)),
              code);
  EXPECT_FALSE(LayoutCode::Valid(0));
  EXPECT_FALSE(LayoutCode::Valid(9));
}

TEST(LayoutCode, TheSourceTypeChoosesTunerOrOther) {
  EXPECT_EQ(LayoutCode::ForSourceType(1, 3), 2);
  EXPECT_EQ(LayoutCode::ForSourceType(2, 2), 1);
  EXPECT_EQ(LayoutCode::ForSourceType(3, 4), 4);
  EXPECT_EQ(LayoutCode::ForSourceType(8, 2), 6);
  EXPECT_EQ(LayoutCode::ForSourceType(5, -1), 7);
  // 0 and values outside -1..16 keep the code.
  EXPECT_EQ(LayoutCode::ForSourceType(6, 0), 6);
  EXPECT_EQ(LayoutCode::ForSourceType(6, 17), 6);
  EXPECT_EQ(LayoutCode::ForSourceType(6, -2), 6);
  EXPECT_EQ(LayoutCode::ForSourceType(6, 16), 8);
}

}  // namespace
}  // namespace tolven::viewer
