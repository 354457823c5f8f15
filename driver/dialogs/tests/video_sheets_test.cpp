// The Video Format and Video Display sheets as the application object shows
// them for DVM_DIALOG: which pages they hold, the sheet without pages, and
// what is stored after OK and after Cancel.
#include <gtest/gtest.h>

#include "driver/dialogs/display_prop_sheet.h"
#include "driver/dialogs/format_prop_sheet.h"
#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/tests/page_rig.h"

namespace tolven::dialogs::testing {
namespace {

using namespace control;
using tolven::testing::FakeHardware;
using SheetRun = FakeSheetRunner::Run;

constexpr uintptr_t kParent = 0x5150;
constexpr uint32_t kVideoIn = 4, kExternalOut = 2;

TEST(VideoFormatSheet, OnTheCardItHoldsTheDecoderPageThenThePortPage) {
  CardApp a;
  ASSERT_TRUE(a.opened);
  EXPECT_TRUE(a.app.ShowChannelSheet(kVideoIn, kParent));
  ASSERT_EQ(a.sheets.runs.size(), 1u);
  const SheetRun &run = *a.sheets.runs[0];
  EXPECT_EQ(a.sheets.captions[0], 125u);
  EXPECT_EQ(run.parent, kParent);
  EXPECT_EQ(run.Templates(), (std::vector<uint16_t>{IDD_VIDEO_DECODER_PAGE, IDD_VIDEO_PORT_PAGE}));
  // The port page was never shown, so it was neither created nor cancelled.
  EXPECT_TRUE(run.created[0]);
  EXPECT_FALSE(run.created[1]);
  EXPECT_TRUE(a.m.messageBoxes.History().empty());
}

// Scripted hardware: a decoder and a port whose standard and format masks
// are the test's.
struct Offers : FakeHardware {
  Offers(uint32_t standards, uint32_t formats) {
    Add(kKindVideoDecoder, {standards, 1, 1, 1, 1, 0, 0});
    Add(kKindVideoPort, {1, formats, 1, 1});
    Add(kKindProcAmp, std::vector<uint32_t>(requests::procamp::kDescriptionWords, 0));
  }
};

TEST(VideoFormatSheet, PagesFollowWhatTheDecoderAndThePortOffer) {
  struct Case {
    uint32_t standards, formats;
    std::vector<uint16_t> pages;
  };
  const Case cases[] = {
      {4096, 1, {IDD_VIDEO_DECODER_PAGE, IDD_VIDEO_PORT_PAGE}},
      {4096, 0, {IDD_VIDEO_DECODER_PAGE}},
      {0, 1 | 2, {IDD_VIDEO_PORT_PAGE}},
  };
  for (const Case &c : cases) {
    Offers hw(c.standards, c.formats);
    AppOver a(hw, &hw.env);
    EXPECT_TRUE(a.app.ShowFormatSheet(kParent));
    ASSERT_EQ(a.sheets.runs.size(), 1u);
    EXPECT_EQ(a.sheets.runs[0]->Templates(), c.pages);
  }
}

TEST(VideoFormatSheet, WithNothingToOfferTheSheetIsNotShownAndAMessageSaysWhy) {
  for (bool hub : {true, false}) {
    SCOPED_TRACE(hub ? "no standards, no formats" : "no hub");
    Offers hw(0, 0);
    AppOver a(hw, hub ? &hw.env : nullptr);
    // The request still succeeds.
    EXPECT_TRUE(a.app.ShowChannelSheet(kVideoIn, kParent));
    EXPECT_TRUE(a.sheets.runs.empty());
    ASSERT_EQ(hw.m.messageBoxes.History().size(), 1u);
    const auto &box = hw.m.messageBoxes.History()[0];
    EXPECT_EQ(box.owner, kParent);
    EXPECT_EQ(box.text, u"This card offers no video format settings.");
    EXPECT_EQ(box.caption, u"Video Capture for Caldra One");
    EXPECT_EQ(box.style, ui::kMbOk | ui::kMbIconInformation);
  }
}

TEST(VideoDisplaySheet, HoldsThePictureControlPageAlsoWithoutAProcAmp) {
  for (bool hub : {true, false}) {
    Offers hw(0, 0);
    AppOver a(hw, hub ? &hw.env : nullptr);
    EXPECT_TRUE(a.app.ShowChannelSheet(kExternalOut, kParent));
    ASSERT_EQ(a.sheets.runs.size(), 1u);
    EXPECT_EQ(a.sheets.captions[0], 124u);
    const SheetRun &run = *a.sheets.runs[0];
    EXPECT_EQ(run.Templates(), std::vector<uint16_t>{IDD_VIDEO_PROCESSOR_PAGE});
    // Every row disabled; without a hub the status line says there is no proc-amp.
    EXPECT_FALSE(run.views[0]->Enabled(IDC_VPA_BRIGHTNESS_SLIDER));
    EXPECT_EQ(run.views[0]->ControlText(IDC_VPA_STATUS).empty(), hub);
  }
}

// OK and Cancel on both sheets, on the card: what is stored and what the
// hardware has afterwards.
TEST(VideoSheets, OkStoresEveryPagesChangesAndCancelPutsTheOldValuesBack) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    CardApp a;
    ASSERT_TRUE(a.opened);
    IVideoDecoderControl *decoder = a.app.GetVideoDecoder();
    IVideoPortControl *port = a.app.GetVideoPort();
    const int32_t standard = decoder->GetVideoStandard();
    const int32_t aspect = port->GetAspect();
    int32_t pickedStandard = -1, pickedAspect = -1;
    a.sheets.scripts.push_back([&](SheetRun &run) {
      FakeDialogView &view = run.View(0);
      pickedStandard = standard == 0 ? 1 : 0;
      view.SelectListItem(IDC_DEC_VIDEO_STANDARD, pickedStandard);
      run.Page(0).OnCommand(view, IDC_DEC_VIDEO_STANDARD, 1);  // CBN_SELCHANGE
      run.SetActivePage(1);
      FakeDialogView &portView = run.View(1);
      pickedAspect = aspect == 0 ? 1 : 0;
      if (portView.ListCount(IDC_VIP_ASPECT_RATIO) > 1) {
        portView.SelectListItem(IDC_VIP_ASPECT_RATIO, pickedAspect);
        run.Page(1).OnCommand(portView, IDC_VIP_ASPECT_RATIO, kComboSelEndOk);
      } else {
        pickedAspect = aspect;
      }
      if (ok) run.PressOk(); else run.PressCancel();
    });
    a.app.ShowFormatSheet(kParent);

    a.sheets.scripts.push_back([&](SheetRun &run) {
      FakeDialogView &view = run.View(0);
      view.SetPosition(IDC_VPA_BRIGHTNESS_SLIDER, 33);
      run.Page(0).OnHScroll(view, IDC_VPA_BRIGHTNESS_SLIDER);
      view.Drain();
      view.SetPosition(IDC_VPA_SATURATION_SLIDER, 200);
      run.Page(0).OnHScroll(view, IDC_VPA_SATURATION_SLIDER);
      view.Drain();
      EXPECT_EQ(a.card.Decoder().Register(0x10), 33);
      if (ok) run.PressOk(); else run.PressCancel();
    });
    a.app.ShowDisplaySheet(kParent);

    // The hub was replaced for each sheet; ask the current one.
    decoder = a.app.GetVideoDecoder();
    port = a.app.GetVideoPort();
    int32_t brightness = -1000, saturation = -1000;
    a.app.GetProcAmp()->GetValue(kBrightness, &brightness);
    a.app.GetProcAmp()->GetValue(kSaturation, &saturation);
    EXPECT_EQ(decoder->GetVideoStandard(), ok ? pickedStandard : standard);
    EXPECT_EQ(Stored(a.env, u"vDec_VideoStandard"), ok ? pickedStandard : standard);
    EXPECT_EQ(port->GetAspect(), ok ? pickedAspect : aspect);
    EXPECT_EQ(Stored(a.env, u"vip_Aspect"), ok ? pickedAspect : aspect);
    EXPECT_EQ(brightness, ok ? 33 : 0);
    EXPECT_EQ(saturation, ok ? 200 : 127);
    EXPECT_EQ(Stored(a.env, u"vpa_Brightness"), ok ? 33 : 0);
    EXPECT_EQ(Stored(a.env, u"vpa_Saturation"), ok ? 200 : 127);
    EXPECT_EQ(a.card.Decoder().Register(0x10), ok ? 33 : 0);
  }
}

}  // namespace
}  // namespace tolven::dialogs::testing
