// The video port page of the Video Format sheet.
#include "driver/dialogs/vip_page.h"

#include <gtest/gtest.h>

#include <map>

#include "driver/dialogs/resource_ids.h"
#include "driver/dialogs/tests/page_rig.h"

namespace tolven::dialogs::testing {
namespace {

using tolven::testing::FakeComponent;
using tolven::testing::FakeHardware;
namespace port = requests::videoport;

constexpr uint32_t Code(char a, char b, char c, char d) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(b) << 16 | static_cast<uint32_t>(c) << 8 |
         static_cast<uint32_t>(d);
}

TEST(ColourFormatText, ReadsFromTheMostSignificantByteAndStopsAtAZeroByte) {
  EXPECT_EQ(ColourFormatText(Code('Y', 'U', 'Y', '2')), u"YUY2");
  EXPECT_EQ(ColourFormatText(0x59565955u), u"YVYU");
  EXPECT_EQ(ColourFormatText(Code('R', 'G', 0, 'X')), u"RG");
  EXPECT_EQ(ColourFormatText(0x00595659u), u"");
  EXPECT_EQ(ColourFormatText(0), u"");
}

// A port whose sets are remembered; its colour formats are the test's.
struct ScriptedPort : FakeHardware {
  ScriptedPort(uint32_t aspects, uint32_t formats, uint32_t connections, std::vector<uint32_t> colours)
      : colourCodes(std::move(colours)),
        component(Add(kKindVideoPort, {aspects, formats, connections, static_cast<uint32_t>(colourCodes.size())})) {
    component.handler = [this](uint32_t *r) -> uint32_t {
      const uint32_t op = r[requests::kOperationWord], arg = r[port::kArgumentWord];
      uint32_t &result = r[port::kResultWord];
      switch (op) {
        case port::kSetAspect: case port::kSetVideoFormat: case port::kSetConnection: case port::kSetColourFormat:
          values[op] = arg;
          return 1;
        case port::kReadAspect: case port::kReadVideoFormat: case port::kReadConnection: case port::kReadColourFormat:
          result = values[op + 1];
          return 1;
        case port::kColourFormatAt:
          if (arg >= colourCodes.size()) return 0;
          result = colourCodes[arg];
          return 1;
      }
      return 0;
    };
  }
  int Sets() const {
    int n = 0;
    for (auto &[op, value] : component.requests)
      n += op == port::kSetAspect || op == port::kSetVideoFormat || op == port::kSetConnection ||
           op == port::kSetColourFormat;
    return n;
  }
  std::vector<uint32_t> colourCodes;
  FakeComponent &component;
  std::map<uint32_t, uint32_t> values;  // set request → value
};

TEST(VipPage, FillsTheListsSkipsFormatsWithoutTextAndSelectsTheCurrentChoices) {
  ScriptedPort hw(1 | 2, 1 | 2 | 0x80000000u, 4 | 8, {Code('Y', 'U', 'Y', '2'), 0x00565955u, Code('U', 'Y', 'V', 'Y')});
  hw.values[port::kSetVideoFormat] = 2;
  hw.values[port::kSetAspect] = 1;
  hw.values[port::kSetConnection] = 8;
  hw.values[port::kSetColourFormat] = Code('U', 'Y', 'V', 'Y');
  AppOver a(hw, &hw.env);
  CUserVipPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;

  EXPECT_EQ(view.Texts(IDC_VIP_VIDEO_STANDARD), (std::vector<WString>{u"NTSC", u"PAL/SECAM", u"Automatic"}));
  EXPECT_EQ(view.SelectedText(IDC_VIP_VIDEO_STANDARD), u"PAL/SECAM");
  EXPECT_EQ(view.SelectedText(IDC_VIP_ASPECT_RATIO), u"Standard Television");
  EXPECT_EQ(view.Texts(IDC_VIP_CONNECTION), (std::vector<WString>{u"CCIR656", u"CCIR601"}));
  EXPECT_EQ(view.SelectedText(IDC_VIP_CONNECTION), u"CCIR601");
  // The second code's top byte is 0: no text, no entry; item data stays the
  // format's index.
  EXPECT_EQ(view.Texts(IDC_VIP_COLOUR_FORMAT), (std::vector<WString>{u"YUY2", u"UYVY"}));
  EXPECT_EQ(view.ListItemData(IDC_VIP_COLOUR_FORMAT, 1), 2u);
  EXPECT_EQ(view.SelectedText(IDC_VIP_COLOUR_FORMAT), u"UYVY");
  EXPECT_EQ(page.ColourFormatSelection(), 1);
  for (int list : {IDC_VIP_VIDEO_STANDARD, IDC_VIP_ASPECT_RATIO, IDC_VIP_CONNECTION, IDC_VIP_COLOUR_FORMAT})
    EXPECT_TRUE(view.Enabled(list));
  EXPECT_EQ(hw.Sets(), 0);
}

TEST(VipPage, ListsWithFewerThanTwoEntriesAreDisabled) {
  ScriptedPort hw(1, 0, 4 | 8, {0x00595659u, Code('U', 'Y', 'V', 'Y')});
  AppOver a(hw, &hw.env);
  CUserVipPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;
  EXPECT_FALSE(view.Enabled(IDC_VIP_ASPECT_RATIO));
  EXPECT_FALSE(view.Enabled(IDC_VIP_VIDEO_STANDARD));
  EXPECT_TRUE(view.Enabled(IDC_VIP_CONNECTION));
  // Two formats, one without text: one entry, so disabled.
  EXPECT_EQ(view.ListCount(IDC_VIP_COLOUR_FORMAT), 1);
  EXPECT_FALSE(view.Enabled(IDC_VIP_COLOUR_FORMAT));
}

TEST(VipPage, AConnectionPickAppliesThatConnectionWhateverTheStandardShows) {
  ScriptedPort hw(1 | 2, 1 | 2, 1 | 2 | 4 | 8, {Code('U', 'Y', 'V', 'Y')});
  hw.values[port::kSetVideoFormat] = 1;
  hw.values[port::kSetConnection] = 1;
  AppOver a(hw, &hw.env);
  CUserVipPage page(a.app);
  PageAt p(page);
  FakeDialogView &view = p.view;
  // The standard list shows something else than the port has, unconfirmed.
  view.SelectListItem(IDC_VIP_VIDEO_STANDARD, 1);
  page.OnCommand(view, IDC_VIP_VIDEO_STANDARD, 1);  // CBN_SELCHANGE
  EXPECT_EQ(hw.Sets(), 0);  // a change alone is not a pick on this page

  ASSERT_TRUE(p.Pick(IDC_VIP_CONNECTION, u"CCIR656"));
  EXPECT_EQ(hw.values[port::kSetConnection], 4u);
  EXPECT_EQ(hw.values[port::kSetVideoFormat], 1u);
  EXPECT_EQ(hw.Sets(), 1);
  EXPECT_TRUE(page.Modified());
}

TEST(VipPage, PickingTheCurrentChoiceSendsNothingAndARefusedSetLeavesThePageUnmodified) {
  ScriptedPort hw(1 | 2, 1 | 2, 1 | 2, {Code('Y', 'U', 'Y', '2'), Code('U', 'Y', 'V', 'Y')});
  hw.values[port::kSetAspect] = 2;
  hw.values[port::kSetColourFormat] = Code('Y', 'U', 'Y', '2');
  AppOver a(hw, &hw.env);
  CUserVipPage page(a.app);
  PageAt p(page);
  ASSERT_TRUE(p.Pick(IDC_VIP_ASPECT_RATIO, u"Widescreen Television"));
  EXPECT_EQ(hw.Sets(), 0);
  EXPECT_FALSE(page.Modified());

  ASSERT_TRUE(p.Pick(IDC_VIP_COLOUR_FORMAT, u"UYVY"));
  EXPECT_EQ(hw.values[port::kSetColourFormat], Code('U', 'Y', 'V', 'Y'));
  EXPECT_TRUE(page.Modified());

  page.SetModified(false);
  auto handler = hw.component.handler;
  hw.component.handler = [&](uint32_t *r) { return r[0] == port::kSetAspect ? 0u : handler(r); };
  ASSERT_TRUE(p.Pick(IDC_VIP_ASPECT_RATIO, u"Standard Television"));
  EXPECT_FALSE(page.Modified());
}

TEST(VipPage, OkStoresTheColourFormatAndCancelRestoresTheOldOne) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    ScriptedPort hw(1, 1 | 2, 4, {Code('Y', 'U', 'Y', '2'), Code('U', 'Y', 'V', 'Y')});
    hw.values[port::kSetColourFormat] = Code('Y', 'U', 'Y', '2');
    AppOver a(hw, &hw.env);
    CUserVipPage page(a.app);
    PageAt p(page);
    page.OnSetActive(p.view);
    EXPECT_EQ(Stored(hw.env, u"vip_Colour"), 0);
    ASSERT_TRUE(p.Pick(IDC_VIP_COLOUR_FORMAT, u"UYVY"));
    if (ok) {
      EXPECT_TRUE(page.OnApply(p.view));
    } else {
      page.OnCancel(p.view);
    }
    EXPECT_EQ(a.app.GetVideoPort()->GetColourFormat(), ok ? 1 : 0);
    EXPECT_EQ(Stored(hw.env, u"vip_Colour"), ok ? 1 : 0);
  }
}

TEST(VipPage, OnTheCardTheFormatListsComeFromTheDisplaySide) {
  CardApp a;
  ASSERT_TRUE(a.opened);
  control::IVideoPortControl *port = a.app.GetVideoPort();
  ASSERT_NE(port, nullptr);
  CUserVipPage page(a.app);
  PageAt p(page);
  EXPECT_EQ(p.view.ListCount(IDC_VIP_VIDEO_STANDARD), port->GetVideoFormatCount());
  EXPECT_EQ(p.view.ListCount(IDC_VIP_COLOUR_FORMAT), port->GetColourFormatCount());
  for (int i = 0; i < port->GetColourFormatCount(); ++i)
    EXPECT_EQ(p.view.ListItemText(IDC_VIP_COLOUR_FORMAT, i),
              ColourFormatText(static_cast<uint32_t>(port->GetColourFormatCode(i))));
}

}  // namespace
}  // namespace tolven::dialogs::testing
