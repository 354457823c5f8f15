// The picture-control page of the Video Display sheet: on the virtual card
// (whose decoder registers the sliders drive) and on scripted picture
// controls.
#include "driver/dialogs/user_vpa_page.h"

#include <gtest/gtest.h>

#include <map>

#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/tests/page_rig.h"
#include "virtualcard/virtual_card.h"

namespace tolven::dialogs::testing {
namespace {

using namespace control;
using tolven::testing::CardRig;
using tolven::testing::FakeComponent;
using tolven::testing::FakeHardware;
namespace procamp = requests::procamp;

struct CardPage {
  CardPage() {
    EXPECT_TRUE(rig.opened);
    page.OnInitDialog(view);
    page.OnSetActive(view);
  }
  uint8_t Register(uint8_t index) { return rig.card.Decoder().Register(index); }
  CardRig rig;
  HubComponents hub{rig.NewHub()};
  CUserVpaPage page{hub, rig.strings};
  FakePageView view;
};

TEST(VpaPage, SlidersTakeTheCardsRangesAndValues) {
  CardPage p;
  const auto &brightness = p.view.sliders[IDC_VPA_BRIGHTNESS_SLIDER];
  EXPECT_EQ(brightness.minimum, -1);
  EXPECT_EQ(brightness.maximum, 127);
  EXPECT_EQ(brightness.line, 1);
  EXPECT_EQ(brightness.page, 1);
  EXPECT_EQ(brightness.position, 0);
  EXPECT_EQ(p.view.sliders[IDC_VPA_CONTRAST_SLIDER].position, 57);
  EXPECT_EQ(p.view.sliders[IDC_VPA_SATURATION_SLIDER].position, 127);
  EXPECT_EQ(p.view.sliders[IDC_VPA_HUE_SLIDER].maximum, 255);
  for (int id : {IDC_VPA_BRIGHTNESS_SLIDER, IDC_VPA_CONTRAST_SLIDER, IDC_VPA_HUE_SLIDER, IDC_VPA_SATURATION_SLIDER,
                 IDC_VPA_BRIGHTNESS_LABEL, IDC_VPA_HUE_DEFAULT, IDC_VPA_DEFAULT_ALL})
    EXPECT_TRUE(p.view.Enabled(id)) << id;
  EXPECT_EQ(p.view.texts[IDC_VPA_STATUS], u"");
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
  p.view.MoveSlider(p.page, IDC_VPA_BRIGHTNESS_SLIDER, 40);
  const auto &log = p.rig.card.Bus().Log();
  ASSERT_EQ(log.size() - mark, 1u);
  EXPECT_EQ(log[mark].address, card::kDecoderAddress);
  EXPECT_EQ(log[mark].written, (std::vector<uint8_t>{0x10, 40}));
  EXPECT_EQ(p.Register(0x10), 40);
  EXPECT_TRUE(p.view.modified);

  // Contrast, hue and saturation reach the registers the card's picture reads.
  p.view.MoveSlider(p.page, IDC_VPA_CONTRAST_SLIDER, 90);
  p.view.MoveSlider(p.page, IDC_VPA_HUE_SLIDER, 12);
  p.view.MoveSlider(p.page, IDC_VPA_SATURATION_SLIDER, 200);
  EXPECT_EQ(p.Register(0x11), 90);
  EXPECT_EQ(p.Register(0x14), 12);
  EXPECT_EQ(p.Register(0x12), 200);
  // The minimum, -1, goes out as the register's byte.
  p.view.MoveSlider(p.page, IDC_VPA_BRIGHTNESS_SLIDER, -5);
  EXPECT_EQ(p.view.sliders[IDC_VPA_BRIGHTNESS_SLIDER].position, -1);
  EXPECT_EQ(p.Register(0x10), 0xFF);
}

TEST(VpaPage, PostedApplyForAPropertyWithoutASliderIsIgnored) {
  CardPage p;
  const size_t mark = p.rig.card.Bus().Log().size();
  p.page.OnPostedMessage(p.view, WM_VPA_APPLY_SLIDER, kColourEnable);
  p.page.OnPostedMessage(p.view, WM_VPA_APPLY_SLIDER, kInverseVideo);
  p.page.OnPostedMessage(p.view, WM_VPA_APPLY_SLIDER, 11);
  p.page.OnPostedMessage(p.view, WM_VPA_APPLY_SLIDER + 1, kBrightness);
  EXPECT_EQ(p.rig.card.Bus().Log().size(), mark);
  EXPECT_FALSE(p.view.modified);
}

TEST(VpaPage, DefaultMovesTheSliderToTheDefaultAndAppliesIt) {
  CardPage p;
  p.view.MoveSlider(p.page, IDC_VPA_CONTRAST_SLIDER, 200);
  ASSERT_EQ(p.Register(0x11), 200);
  p.view.Click(p.page, IDC_VPA_CONTRAST_DEFAULT);
  EXPECT_EQ(p.view.sliders[IDC_VPA_CONTRAST_SLIDER].position, 57);
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
    HubComponents hub(hw.NewHub());
    CUserVpaPage page(hub, hw.strings);
    FakePageView view;
    view.checks[IDC_VPA_COLOUR_ENABLE] = !colour;
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
  HubComponents hub(hw.NewHub());
  CUserVpaPage page(hub, hw.strings);
  FakePageView view;
  page.OnInitDialog(view);
  EXPECT_FALSE(view.Enabled(IDC_VPA_SHARPNESS_SLIDER));
  EXPECT_EQ(view.sliders[IDC_VPA_SHARPNESS_SLIDER].position, 0);
  hw.sets.clear();

  view.Click(page, IDC_VPA_DEFAULT_ALL);
  // Back-light, brightness, colour balance, contrast, gamma, hue, saturation,
  // white balance (hardware numbers 8, 0, 6, 1, 4, 2, 3, 7); sharpness has an
  // empty range and is left alone.
  const std::vector<std::pair<uint32_t, int32_t>> expected = {
      {8, 58}, {0, 50}, {6, 56}, {1, 51}, {4, 54}, {2, 52}, {3, 53}, {7, 57}};
  EXPECT_EQ(hw.sets, expected);
  for (const auto &row : CUserVpaPage::kRows)
    if (row.property != kSharpness) {
      EXPECT_EQ(view.sliders[row.slider].position, page.Range(row.property).defaultValue) << row.property;
    }
  EXPECT_TRUE(view.IsChecked(IDC_VPA_COLOUR_ENABLE));
  EXPECT_FALSE(view.IsChecked(IDC_VPA_INVERSE_VIDEO));
  EXPECT_EQ(hw.values[procamp::kColourEnable], 1u);
  EXPECT_EQ(hw.values[procamp::kInverseVideo], 0u);
}

TEST(VpaPage, ColourEnableMarksThePageModifiedAndInverseVideoDoesNot) {
  ScriptedProcAmp hw;
  HubComponents hub(hw.NewHub());
  CUserVpaPage page(hub, hw.strings);
  FakePageView view;
  page.OnInitDialog(view);
  view.Click(page, IDC_VPA_INVERSE_VIDEO, true);
  EXPECT_EQ(hw.values[procamp::kInverseVideo], 1u);
  EXPECT_FALSE(view.modified);
  view.Click(page, IDC_VPA_COLOUR_ENABLE, true);
  EXPECT_EQ(hw.values[procamp::kColourEnable], 1u);
  EXPECT_TRUE(view.modified);
}

TEST(VpaPage, WithoutAProcAmpEveryRowIsDisabledAndTheStatusLineSaysSo) {
  FakeHardware hw;
  HubComponents none;  // no hub: every accessor answers null
  CUserVpaPage page(none, hw.strings);
  FakePageView view;
  page.OnInitDialog(view);
  for (const auto &row : CUserVpaPage::kRows) {
    EXPECT_FALSE(view.Enabled(row.label));
    EXPECT_FALSE(view.Enabled(row.slider));
    EXPECT_FALSE(view.Enabled(row.defaultButton));
  }
  EXPECT_FALSE(view.Enabled(IDC_VPA_COLOUR_ENABLE));
  EXPECT_FALSE(view.Enabled(IDC_VPA_INVERSE_VIDEO));
  EXPECT_FALSE(view.Enabled(IDC_VPA_DEFAULT_ALL));
  EXPECT_EQ(view.texts[IDC_VPA_STATUS], hw.strings.Text(CUserVpaPage::kNoProcAmpString));
  EXPECT_FALSE(view.texts[IDC_VPA_STATUS].empty());
  // Nothing the user could still do reaches anything.
  view.Click(page, IDC_VPA_DEFAULT_ALL);
  page.OnPostedMessage(view, WM_VPA_APPLY_SLIDER, kBrightness);
  page.OnSetActive(view);
  page.OnApply(view);
  page.OnReset(view);
}

// The choice the page makes about leaving it: OK keeps and stores what the
// user set; Cancel goes back to what the page found when it became active.
TEST(VpaPage, OkKeepsAndStoresTheNewBrightnessAndCancelRestoresTheOldOne) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    CardPage p;
    EXPECT_EQ(Stored(p.rig.env, u"vpa_Brightness"), 0);
    p.view.MoveSlider(p.page, IDC_VPA_BRIGHTNESS_SLIDER, 77);
    p.view.Click(p.page, IDC_VPA_HUE_DEFAULT);
    if (ok) p.page.OnApply(p.view); else p.page.OnReset(p.view);
    int32_t value = -1000;
    ASSERT_EQ(p.hub.GetProcAmp()->GetValue(kBrightness, &value), 1);
    EXPECT_EQ(value, ok ? 77 : 0);
    EXPECT_EQ(p.Register(0x10), ok ? 77 : 0);
    EXPECT_EQ(Stored(p.rig.env, u"vpa_Brightness"), ok ? 77 : 0);
    // A fresh hub (another client) reads the same.
    HubComponents fresh(p.rig.NewHub());
    ASSERT_EQ(fresh.GetProcAmp()->GetValue(kBrightness, &value), 1);
    EXPECT_EQ(value, ok ? 77 : 0);
  }
}

}  // namespace
}  // namespace tolven::dialogs::testing
