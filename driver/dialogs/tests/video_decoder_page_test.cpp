// The video decoder page of the Video Format sheet, on the virtual card and
// on scripted decoders.
#include "driver/dialogs/video_decoder_page.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "driver/dialogs/component_names.h"
#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/tests/page_rig.h"

namespace tolven::dialogs::testing {
namespace {

// CBN_SELCHANGE, which the page applies (the view passes the system's codes).
constexpr int kComboSelChange = 1;
using tolven::testing::FakeComponent;
using tolven::testing::FakeHardware;
namespace decoder = requests::decoder;

TEST(VideoDecoderPage, FillsEveryListFromTheCardWithIndexesAsItemData) {
  CardApp a;
  ASSERT_TRUE(a.opened);
  control::IVideoDecoderControl *d = a.app.GetVideoDecoder();
  ASSERT_NE(d, nullptr);
  CUserVideoDecoderPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;

  const int lists[] = {IDC_DEC_VIDEO_STANDARD, IDC_DEC_INTERLACE_MODE, IDC_DEC_SCALING,
                       IDC_DEC_ASPECT_RATIO, IDC_DEC_COLOUR_DEPTH};
  const int32_t counts[] = {d->GetVideoStandardCount(), d->GetInterlaceModeCount(),
                            d->GetScaleStrategyCount(), d->GetAspectRatioCount(), d->GetColourDepthCount()};
  const int32_t current[] = {d->GetVideoStandard(), d->GetInterlaceMode(), d->GetScaleStrategy(),
                             d->GetAspectRatio(), d->GetColourDepth()};
  ASSERT_GT(counts[0], 1);
  for (size_t l = 0; l < 5; ++l) {
    SCOPED_TRACE(lists[l]);
    ASSERT_EQ(view.ListCount(lists[l]), counts[l]);
    for (int i = 0; i < counts[l]; ++i) EXPECT_EQ(view.ListItemData(lists[l], i), static_cast<uintptr_t>(i));
    EXPECT_EQ(view.Enabled(lists[l]), counts[l] >= 2);
    if (current[l] >= 0) {
      EXPECT_EQ(view.ListItemData(lists[l], view.ListSelection(lists[l])), static_cast<uintptr_t>(current[l]));
    }
  }
  std::vector<char16_t> name(static_cast<size_t>(d->GetVideoStandardNameLength(0)) + 1);
  d->GetVideoStandardName(0, name.data());
  EXPECT_EQ(view.ListItemText(IDC_DEC_VIDEO_STANDARD, 0), WString(name.data()));
  EXPECT_EQ(view.IsChecked(IDC_DEC_OUTPUT_ENABLE), d->GetOutputEnable() != 0);
  EXPECT_EQ(view.IsChecked(IDC_DEC_VCR_TIMING), d->GetVcrTiming() != 0);
}

// A decoder whose sets are remembered and read back; the capabilities are the
// test's.
struct ScriptedDecoder : FakeHardware {
  explicit ScriptedDecoder(std::vector<uint32_t> caps) : decoder(Add(kKindVideoDecoder, std::move(caps))) {
    decoder.handler = [this](uint32_t *r) -> uint32_t {
      const uint32_t op = r[requests::kOperationWord];
      uint32_t &result = r[decoder::kResultWord];
      if (refuse.count(op)) return 0;
      if (op <= decoder::kSetVcrTiming) {
        stored[op] = r[decoder::kArgumentWord];
      } else if (op <= decoder::kReadVcrTiming) {
        const uint32_t set = op - decoder::kReadVideoStandard;
        result = stored.count(set) ? stored[set] : initial[set];
      }
      return 1;
    };
  }
  int Sets(uint32_t op) const {
    int n = 0;
    for (auto &[number, value] : decoder.requests) n += number == op;
    return n;
  }
  FakeComponent &decoder;
  std::map<uint32_t, uint32_t> stored;   // set request → value
  std::map<uint32_t, uint32_t> initial;  // set request → value read before any set
  std::set<uint32_t> refuse;             // requests that fail
};

TEST(VideoDecoderPage, OneInterlaceModeLeavesItsListDisabledWithThatModeSelected) {
  ScriptedDecoder hw({1 | 4096 | 0x80000000u, 1 | 2, 1 | 4, 2, 0x1F, 1, 1});
  hw.initial[decoder::kSetInterlaceMode] = 2;  // "Bob Interleaved", the only one
  hw.initial[decoder::kSetVideoStandard] = 4096;
  AppOver a(hw, &hw.env);
  CUserVideoDecoderPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;
  EXPECT_EQ(view.Texts(IDC_DEC_INTERLACE_MODE), std::vector<WString>{u"Bob Interleaved"});
  EXPECT_EQ(view.ListSelection(IDC_DEC_INTERLACE_MODE), 0);
  EXPECT_FALSE(view.Enabled(IDC_DEC_INTERLACE_MODE));
  EXPECT_EQ(view.Texts(IDC_DEC_VIDEO_STANDARD), (std::vector<WString>{u"NTSC", u"PAL", u"Auto"}));
  EXPECT_EQ(view.SelectedText(IDC_DEC_VIDEO_STANDARD), u"PAL");
  EXPECT_TRUE(view.Enabled(IDC_DEC_VIDEO_STANDARD));
  EXPECT_TRUE(view.Enabled(IDC_DEC_COLOUR_DEPTH));
}

TEST(VideoDecoderPage, AValueWithoutAnEntryLeavesTheListUnselected) {
  ScriptedDecoder hw({1 | 4096, 1 | 2, 1, 1, 1, 0, 0});
  hw.refuse.insert(decoder::kReadAspectRatio);  // the reading fails: -1
  hw.initial[decoder::kSetVideoStandard] = 1;
  AppOver a(hw, &hw.env);
  CUserVideoDecoderPage page(a.app);
  FakeDialogView view;
  page.OnInitDialog(view);
  EXPECT_EQ(view.ListSelection(IDC_DEC_ASPECT_RATIO), -1);
  EXPECT_EQ(view.SelectedText(IDC_DEC_VIDEO_STANDARD), u"NTSC");
}

TEST(VideoDecoderPage, CheckBoxesWhoseWriteBackFailsAreDisabled) {
  // Output enable cannot be set (capability word 6 is 0); VCR timing can.
  ScriptedDecoder hw({1 | 4096, 1, 1, 1, 1, 1, 0});
  hw.initial[decoder::kSetOutputEnable] = 1;
  hw.initial[decoder::kSetVcrTiming] = 1;
  AppOver a(hw, &hw.env);
  CUserVideoDecoderPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;
  EXPECT_FALSE(view.Enabled(IDC_DEC_OUTPUT_ENABLE));
  EXPECT_TRUE(view.Enabled(IDC_DEC_VCR_TIMING));
  // Both boxes show the decoder's values, the disabled one too.
  EXPECT_TRUE(view.IsChecked(IDC_DEC_OUTPUT_ENABLE));
  EXPECT_TRUE(view.IsChecked(IDC_DEC_VCR_TIMING));
  // The value read was written back unchanged.
  EXPECT_EQ(hw.stored[decoder::kSetVcrTiming], 1u);
  EXPECT_EQ(hw.Sets(decoder::kSetOutputEnable), 0);

  p.Click(IDC_DEC_VCR_TIMING, true);
  EXPECT_EQ(hw.stored[decoder::kSetVcrTiming], 0u);
  EXPECT_TRUE(page.Modified());
}

TEST(VideoDecoderPage, EverySelectionChangeAppliesAndARefusedOneLeavesThePageUnmodified) {
  ScriptedDecoder hw({1 | 4096 | 0x80000000u, 1, 1, 1, 1, 1, 1});
  hw.initial[decoder::kSetVideoStandard] = 1;
  AppOver a(hw, &hw.env);
  CUserVideoDecoderPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;

  // The arrow keys move the closed list: a selection change without a
  // confirmation still applies.
  view.SelectListItem(IDC_DEC_VIDEO_STANDARD, 1);
  page.OnCommand(view, IDC_DEC_VIDEO_STANDARD, kComboSelChange);
  EXPECT_EQ(hw.stored[decoder::kSetVideoStandard], 4096u);
  EXPECT_TRUE(page.Modified());
  // The confirmation that follows a mouse pick changes nothing more.
  page.OnCommand(view, IDC_DEC_VIDEO_STANDARD, kComboSelEndOk);
  EXPECT_EQ(hw.Sets(decoder::kSetVideoStandard), 1);

  page.SetModified(false);
  hw.refuse.insert(decoder::kSetVideoStandard);
  view.SelectListItem(IDC_DEC_VIDEO_STANDARD, 2);
  page.OnCommand(view, IDC_DEC_VIDEO_STANDARD, kComboSelChange);
  EXPECT_FALSE(page.Modified());
  EXPECT_TRUE(view.messages.empty());
}

TEST(VideoDecoderPage, WithoutADecoderThePageTouchesNothing) {
  FakeHardware hw;
  AppOver a(hw, nullptr);  // no hub: every accessor answers null
  CUserVideoDecoderPage page(a.app);
  PageAt p(page);
  page.OnSetActive(p.view);
  p.Click(IDC_DEC_OUTPUT_ENABLE, true);
  EXPECT_TRUE(page.OnApply(p.view));
  page.OnCancel(p.view);
  EXPECT_EQ(p.view.ListCount(IDC_DEC_VIDEO_STANDARD), 0);
  EXPECT_FALSE(page.Modified());
}

// The stored values after the sheet ends: OK keeps the new standard and
// stores it; Cancel puts back (and leaves stored) the one the page found.
TEST(VideoDecoderPage, OkStoresTheNewStandardAndCancelRestoresTheOldOne) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    CardApp a;
    ASSERT_TRUE(a.opened);
    control::IVideoDecoderControl *d = a.app.GetVideoDecoder();
    const int32_t before = d->GetVideoStandard();
    CUserVideoDecoderPage page(a.app);
    PageAt p(page);
    page.OnSetActive(p.view);
    EXPECT_EQ(Stored(a.env, u"vDec_VideoStandard"), before);

    const int32_t other = before == 0 ? 1 : 0;
    p.view.SelectListItem(IDC_DEC_VIDEO_STANDARD, other);
    page.OnCommand(p.view, IDC_DEC_VIDEO_STANDARD, kComboSelChange);
    ASSERT_EQ(d->GetVideoStandard(), other);

    if (ok) {
      EXPECT_TRUE(page.OnApply(p.view));
    } else {
      page.OnCancel(p.view);
    }
    EXPECT_EQ(d->GetVideoStandard(), ok ? other : before);
    EXPECT_EQ(Stored(a.env, u"vDec_VideoStandard"), ok ? other : before);
  }
}

}  // namespace
}  // namespace tolven::dialogs::testing
