// The picture-control page of the Video Display sheet: on the virtual card
// (whose decoder registers the sliders drive) and on scripted picture
// controls.
#include "driver/dialogs/vpa_page.h"

#include <gtest/gtest.h>

#include <map>

#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/tests/page_rig.h"
#include "virtualcard/virtual_card.h"

namespace tolven::dialogs::testing {
namespace {

using namespace control;
using tolven::testing::FakeComponent;
using tolven::testing::FakeHardware;
namespace procamp = requests::procamp;

struct CardPage {
  CardPage() {
    EXPECT_TRUE(rig.opened);
    page.OnSetActive(at.view);
  }
  uint8_t Register(uint8_t index) { return rig.card.Decoder().Register(index); }
  void MoveSlider(int control, int position) { at.MoveSlider(control, position); }
  CardApp rig;
  CUserVpaPage page{rig.app};
  PageAt at{page};
  FakeDialogView &view = at.view;
};

TEST(VpaPage, SlidersTakeTheCardsRangesAndValues) {
  CardPage p;
  EXPECT_EQ(p.view.ranges[IDC_VPA_BRIGHTNESS_SLIDER], std::make_pair(-1, 127));
  EXPECT_EQ(p.view.steps[IDC_VPA_BRIGHTNESS_SLIDER], std::make_pair(1, 1));
  EXPECT_EQ(p.view.Position(IDC_VPA_BRIGHTNESS_SLIDER), 0);
  EXPECT_EQ(p.view.Position(IDC_VPA_CONTRAST_SLIDER), 57);
  EXPECT_EQ(p.view.Position(IDC_VPA_SATURATION_SLIDER), 127);
  EXPECT_EQ(p.view.ranges[IDC_VPA_HUE_SLIDER], std::make_pair(0, 255));
  // A slider with an empty range keeps its position untouched.
  EXPECT_TRUE(p.view.positionLog[IDC_VPA_GAMMA_SLIDER].empty());
  EXPECT_EQ(p.view.ranges[IDC_VPA_GAMMA_SLIDER], std::make_pair(0, 0));
  for (int id : {IDC_VPA_BRIGHTNESS_SLIDER, IDC_VPA_CONTRAST_SLIDER, IDC_VPA_HUE_SLIDER, IDC_VPA_SATURATION_SLIDER,
                 IDC_VPA_BRIGHTNESS_LABEL, IDC_VPA_HUE_DEFAULT, IDC_VPA_DEFAULT_ALL})
    EXPECT_TRUE(p.view.Enabled(id)) << id;
  EXPECT_EQ(p.view.ControlText(IDC_VPA_STATUS), u"");
}

TEST(VpaPage, PropertiesWithEqualBoundsAreDisabledRowByRow) {
  // The card has no gamma, sharpness, colour balance, white balance or
  // back-light compensation (their ranges are all zero), and no colour-enable
  // or inverse-video switch.
  CardPage p;
  for (const auto &row : CUserVpaPage::kRows) {
    const bool ranged = row.property == kBrightness || row.property == kContrast || row.property == kHue ||
                        row.property == kSaturation;
    EXPECT_EQ(p.view.Enabled(row.label), ranged) << row.property;
    EXPECT_EQ(p.view.Enabled(row.slider), ranged) << row.property;
    EXPECT_EQ(p.view.Enabled(row.defaultButton), ranged) << row.property;
  }
  EXPECT_FALSE(p.view.Enabled(IDC_VPA_COLOUR_ENABLE));
  EXPECT_FALSE(p.view.Enabled(IDC_VPA_INVERSE_VIDEO));
}

TEST(VpaPage, ASliderMoveWritesItsRegisterOnceWithoutReadingTheOthers) {
  CardPage p;
  const size_t mark = p.rig.card.Bus().Log().size();
  // A drag reports the move twice (track, then end of track).
  p.MoveSlider(IDC_VPA_BRIGHTNESS_SLIDER, 40);
  const auto &log = p.rig.card.Bus().Log();
  ASSERT_EQ(log.size() - mark, 1u);
  EXPECT_EQ(log[mark].address, card::kDecoderAddress);
  EXPECT_EQ(log[mark].written, (std::vector<uint8_t>{0x10, 40}));
  EXPECT_EQ(p.Register(0x10), 40);
  EXPECT_TRUE(p.page.Modified());

  // Contrast, hue and saturation reach the registers the card's picture reads.
  p.MoveSlider(IDC_VPA_CONTRAST_SLIDER, 90);
  p.MoveSlider(IDC_VPA_HUE_SLIDER, 12);
  p.MoveSlider(IDC_VPA_SATURATION_SLIDER, 200);
  EXPECT_EQ(p.Register(0x11), 90);
  EXPECT_EQ(p.Register(0x14), 12);
  EXPECT_EQ(p.Register(0x12), 200);
  // The minimum, -1, goes out as the register's byte.
  p.MoveSlider(IDC_VPA_BRIGHTNESS_SLIDER, -1);
  EXPECT_EQ(p.Register(0x10), 0xFF);
}

TEST(VpaPage, PostedApplyForAPropertyWithoutASliderIsIgnored) {
  CardPage p;
  const size_t mark = p.rig.card.Bus().Log().size();
  p.view.SetPosition(IDC_VPA_BRIGHTNESS_SLIDER, 99);
  for (int code : {static_cast<int>(kColourEnable), static_cast<int>(kInverseVideo), 11, -1, 0x465})
    p.page.OnRequest(p.view, code);
  EXPECT_EQ(p.rig.card.Bus().Log().size(), mark);
  EXPECT_FALSE(p.page.Modified());
}

TEST(VpaPage, DefaultMovesTheSliderToTheDefaultAndAppliesIt) {
  CardPage p;
  p.MoveSlider(IDC_VPA_CONTRAST_SLIDER, 200);
  ASSERT_EQ(p.Register(0x11), 200);
  p.at.Click(IDC_VPA_CONTRAST_DEFAULT);
  EXPECT_EQ(p.view.Position(IDC_VPA_CONTRAST_SLIDER), 57);
  EXPECT_EQ(p.Register(0x11), 57);
}

// Scripted picture controls: every property ranged and both switches
// supported, values remembered.
struct ScriptedProcAmp : FakeHardware {
  ScriptedProcAmp() : amp(Add(kKindProcAmp, Caps())) {
    amp.handler = [this](uint32_t *r) -> uint32_t {
      const uint32_t op = r[requests::kOperationWord];
      uint32_t &value = r[procamp::kValueWord];
      if (op < procamp::kReadFirst) {
        values[op] = value;
        sets.push_back({op, static_cast<int32_t>(value)});
      } else {
        value = values[op - procamp::kReadFirst];
      }
      return 1;
    };
    for (uint32_t hw = 0; hw < procamp::kFirstOnOff; ++hw) values[hw] = 10 + hw;
  }
  static std::vector<uint32_t> Caps() {
    std::vector<uint32_t> caps(procamp::kDescriptionWords, 0);
    for (uint32_t hw = 0; hw < procamp::kFirstOnOff; ++hw) {
      caps[procamp::RangeWordOf(hw, procamp::kMinimum)] = 0;
      caps[procamp::RangeWordOf(hw, procamp::kMaximum)] = 100;
      caps[procamp::RangeWordOf(hw, procamp::kStep)] = 5;
      caps[procamp::RangeWordOf(hw, procamp::kDefault)] = 50 + hw;
    }
    // Sharpness (hardware 5) has equal bounds.
    caps[procamp::RangeWordOf(procamp::kSharpness, procamp::kMaximum)] = 0;
    caps[procamp::OnOffWordOf(procamp::kColourEnable)] = 1;
    caps[procamp::OnOffWordOf(procamp::kInverseVideo)] = 1;
    return caps;
  }
  FakeComponent &amp;
  std::map<uint32_t, uint32_t> values;              // hardware property → value
  std::vector<std::pair<uint32_t, int32_t>> sets;   // (hardware property, value)
};

TEST(VpaPage, TheCheckBoxesShowTheCurrentValues) {
  for (uint32_t colour : {0u, 1u}) {
    ScriptedProcAmp hw;
    hw.values[procamp::kColourEnable] = colour;
    hw.values[procamp::kInverseVideo] = 1 - colour;
    AppOver a(hw, &hw.env);
    CUserVpaPage page(a.app);
    FakeDialogView view;
    view.SetChecked(IDC_VPA_COLOUR_ENABLE, !colour);
    page.OnInitDialog(view);
    EXPECT_EQ(view.IsChecked(IDC_VPA_COLOUR_ENABLE), colour == 1);
    EXPECT_EQ(view.IsChecked(IDC_VPA_INVERSE_VIDEO), colour == 0);
    EXPECT_TRUE(view.Enabled(IDC_VPA_COLOUR_ENABLE));
    EXPECT_TRUE(view.Enabled(IDC_VPA_INVERSE_VIDEO));
  }
}

TEST(VpaPage, DefaultAllAppliesEveryNonEmptyRangeInOrderAndKeepsTheCheckBoxes) {
  ScriptedProcAmp hw;
  hw.values[procamp::kColourEnable] = 1;
  AppOver a(hw, &hw.env);
  CUserVpaPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;
  EXPECT_FALSE(view.Enabled(IDC_VPA_SHARPNESS_SLIDER));
  hw.sets.clear();

  p.Click(IDC_VPA_DEFAULT_ALL);
  // Back-light, brightness, colour balance, contrast, gamma, hue, saturation,
  // white balance (hardware numbers 8, 0, 6, 1, 4, 2, 3, 7); sharpness has an
  // empty range and is left alone.
  const std::vector<std::pair<uint32_t, int32_t>> expected = {
      {8, 58}, {0, 50}, {6, 56}, {1, 51}, {4, 54}, {2, 52}, {3, 53}, {7, 57}};
  EXPECT_EQ(hw.sets, expected);
  for (const auto &row : CUserVpaPage::kRows)
    if (row.property != kSharpness) {
      EXPECT_EQ(view.Position(row.slider), page.Range(row.property).defaultValue) << row.property;
    }
  EXPECT_TRUE(view.IsChecked(IDC_VPA_COLOUR_ENABLE));
  EXPECT_FALSE(view.IsChecked(IDC_VPA_INVERSE_VIDEO));
  EXPECT_EQ(hw.values[procamp::kColourEnable], 1u);
  EXPECT_EQ(hw.values[procamp::kInverseVideo], 0u);
}

TEST(VpaPage, ColourEnableMarksThePageModifiedAndInverseVideoDoesNot) {
  ScriptedProcAmp hw;
  AppOver a(hw, &hw.env);
  CUserVpaPage page(a.app);
  PageAt p(page);
  p.Click(IDC_VPA_INVERSE_VIDEO, true);
  EXPECT_EQ(hw.values[procamp::kInverseVideo], 1u);
  EXPECT_FALSE(page.Modified());
  p.Click(IDC_VPA_COLOUR_ENABLE, true);
  EXPECT_EQ(hw.values[procamp::kColourEnable], 1u);
  EXPECT_TRUE(page.Modified());
}

TEST(VpaPage, WithoutAProcAmpEveryRowIsDisabledAndTheStatusLineSaysSo) {
  FakeHardware hw;
  AppOver a(hw, nullptr);  // no hub: every accessor answers null
  CUserVpaPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;
  for (const auto &row : CUserVpaPage::kRows) {
    EXPECT_FALSE(view.Enabled(row.label));
    EXPECT_FALSE(view.Enabled(row.slider));
    EXPECT_FALSE(view.Enabled(row.defaultButton));
  }
  EXPECT_FALSE(view.Enabled(IDC_VPA_COLOUR_ENABLE));
  EXPECT_FALSE(view.Enabled(IDC_VPA_INVERSE_VIDEO));
  EXPECT_FALSE(view.Enabled(IDC_VPA_DEFAULT_ALL));
  EXPECT_EQ(view.ControlText(IDC_VPA_STATUS), hw.strings.Text(CUserVpaPage::kNoProcAmpString));
  EXPECT_FALSE(view.ControlText(IDC_VPA_STATUS).empty());
  // Nothing the user could still do reaches anything.
  p.Click(IDC_VPA_DEFAULT_ALL);
  page.OnRequest(view, kBrightness);
  page.OnSetActive(view);
  EXPECT_TRUE(page.OnApply(view));
  page.OnCancel(view);
}

// The choice the page makes about leaving it: OK keeps and stores what the
// user set; Cancel goes back to what the page found when it became active.
TEST(VpaPage, OkKeepsAndStoresTheNewBrightnessAndCancelRestoresTheOldOne) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    CardPage p;
    EXPECT_EQ(Stored(p.rig.env, u"vpa_Brightness"), 0);
    p.MoveSlider(IDC_VPA_BRIGHTNESS_SLIDER, 77);
    p.at.Click(IDC_VPA_HUE_DEFAULT);
    if (ok) {
      EXPECT_TRUE(p.page.OnApply(p.view));
      EXPECT_FALSE(p.page.Modified());
    } else {
      p.page.OnCancel(p.view);
    }
    int32_t value = -1000;
    ASSERT_EQ(p.rig.app.GetProcAmp()->GetValue(kBrightness, &value), 1);
    EXPECT_EQ(value, ok ? 77 : 0);
    EXPECT_EQ(p.Register(0x10), ok ? 77 : 0);
    EXPECT_EQ(Stored(p.rig.env, u"vpa_Brightness"), ok ? 77 : 0);
    // A fresh hub (another client) reads the same.
    control::IControlHub *fresh = p.rig.NewHub();
    ASSERT_EQ(fresh->GetProcAmp()->GetValue(kBrightness, &value), 1);
    EXPECT_EQ(value, ok ? 77 : 0);
    fresh->Release();
  }
}

}  // namespace
}  // namespace tolven::dialogs::testing
