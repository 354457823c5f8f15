// "goto <element> <state>": named states show, hide, enable and disable
// elements, whichever element the command is given to.
#include <gtest/gtest.h>

#include "skin_parser.h"

namespace tolven::skin {
namespace {

constexpr const char kSkin[] = R"(skin main
size 100 50
element top-edge {
  rect 0 0 0 20
  state Enable-Tuner show tuner
  state Disable-Tuner hide tuner
  state Enable-Audio enable volume mute
  state Disable-Audio disable volume mute
  element tuner {
    rect 0 0 40 20
    element up {
      rect 0 0 20 20
      on click Channel-up
    }
  }
  element volume {
    rect 50 0 20 20
    on click Volume-up
  }
  element mute {
    rect 70 0 20 20
    on click Mute
  }
}
)";

class SkinCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    SkinError error;
    doc = SkinParser::Parse(kSkin, "c.skn", error);
    ASSERT_TRUE(doc) << error.Text();
  }
  std::unique_ptr<SkinDocument> doc;
};

TEST_F(SkinCommandTest, HideAndShowTheTunerButtons) {
  EXPECT_EQ(doc->HitTest(5, 5), doc->Find("up"));
  EXPECT_EQ(doc->Run("goto top-edge Disable-Tuner"), "");
  EXPECT_FALSE(doc->Find("tuner")->visible);
  EXPECT_FALSE(doc->Find("up")->Shown());
  EXPECT_EQ(doc->HitTest(5, 5), nullptr);
  EXPECT_EQ(doc->Find("top-edge")->currentState, "Disable-Tuner");
  EXPECT_EQ(doc->Run("goto top-edge Enable-Tuner"), "");
  EXPECT_TRUE(doc->Find("up")->Shown());
  EXPECT_EQ(doc->Find("top-edge")->currentState, "Enable-Tuner");
}

TEST_F(SkinCommandTest, EnableAndDisableEveryTarget) {
  EXPECT_EQ(doc->Run("goto top-edge Disable-Audio"), "");
  EXPECT_FALSE(doc->Find("volume")->Usable());
  EXPECT_FALSE(doc->Find("mute")->Usable());
  EXPECT_TRUE(doc->Find("mute")->Shown());  // disabled, still painted
  EXPECT_EQ(doc->Run("goto top-edge Enable-Audio"), "");
  EXPECT_TRUE(doc->Find("volume")->Usable());
  EXPECT_TRUE(doc->Find("mute")->Usable());
}

TEST_F(SkinCommandTest, RunningTwiceChangesNothingMore) {
  EXPECT_EQ(doc->Run("goto top-edge Disable-Tuner"), "");
  EXPECT_EQ(doc->Run("goto top-edge Disable-Tuner"), "");
  EXPECT_FALSE(doc->Find("tuner")->visible);
}

TEST_F(SkinCommandTest, WhatIsWrongWithACommand) {
  EXPECT_EQ(doc->Run("goto nowhere Disable-Tuner"), "no element \"nowhere\"");
  EXPECT_EQ(doc->Run("goto top-edge Sleep"), "element \"top-edge\" has no state \"Sleep\"");
  EXPECT_EQ(doc->Run("goto tuner Disable-Tuner"), "element \"tuner\" has no state \"Disable-Tuner\"");
  EXPECT_EQ(doc->Run("goto top-edge"), "goto needs an element and a state");
  EXPECT_EQ(doc->Run("goto top-edge Disable-Tuner now"), "goto takes two words, \"now\" is one too many");
  EXPECT_EQ(doc->Run("jump top-edge Disable-Tuner"), "unknown command \"jump\" (only goto is known)");
  EXPECT_EQ(doc->Run(""), "unknown command \"\" (only goto is known)");
  EXPECT_TRUE(doc->Find("tuner")->visible);  // none of them changed anything
  EXPECT_TRUE(doc->Find("top-edge")->currentState.empty());
}

}  // namespace
}  // namespace tolven::skin
