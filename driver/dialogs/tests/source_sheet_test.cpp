// The Video Source sheet on the virtual card: its pages for each input, the
// page it opens on, the source change with its three answers and the
// reopened sheet, the crossbar page and the TV audio page.
#include <gtest/gtest.h>

#include "driver/core/vfw_records.h"
#include "driver/dialogs/tests/source_sheet_rig.h"
#include "driver/link/kernel_link.h"

namespace tolven::dialogs::testing {
namespace {

using SheetRun = FakeSheetRunner::Run;

struct Inputs {
  int tuner = -1, composite = -1, svideo = -1;
};

Inputs FindInputs(control::ICrossbarControl *x) {
  Inputs in;
  for (int32_t i = 0; i < x->GetSourceCount(); ++i) {
    int32_t type = x->GetSourceType(i);
    if (type == 2 && in.tuner < 0) in.tuner = i;
    if (type == 3 && in.composite < 0) in.composite = i;
    if (type == 4 && in.svideo < 0) in.svideo = i;
  }
  return in;
}

// The crossbar page's source list entry of `source`.
int EntryOf(FakeDialogView &view, int source) {
  for (int i = 0; i < view.ListCount(IDC_XBAR_SOURCE); ++i)
    if (view.ListItemData(IDC_XBAR_SOURCE, i) == static_cast<uintptr_t>(source)) return i;
  return -1;
}

void Pick(SheetRun &run, int source) {
  FakeDialogView &view = run.View(0);
  view.SelectListItem(IDC_XBAR_SOURCE, EntryOf(view, source));
  run.Page(0).OnCommand(view, IDC_XBAR_SOURCE, 9);
}

TEST(SourceSheet, PagesAndStartPageFollowTheInput) {
  SourceSheetRig rig;
  control::ICrossbarControl *x = rig.app.GetCrossbar();
  ASSERT_NE(x, nullptr);
  Inputs in = FindInputs(x);
  ASSERT_GE(in.tuner, 0);
  ASSERT_GE(in.composite, 0);
  ASSERT_GE(in.svideo, 0);
  struct Case {
    int source;
    bool tuner;
  };
  for (Case c : {Case{in.tuner, true}, Case{in.composite, false}, Case{in.svideo, false}}) {
    ASSERT_TRUE(rig.app.GetCrossbar()->SetSource(c.source));
    bool audio = rig.app.GetCrossbar()->SourceHasAudio(c.source) != 0;
    rig.app.ShowChannelSheet(1, 0x77);
    SheetRun &run = *rig.sheets.runs.back();
    std::vector<uint16_t> expected{IDD_SOURCE_CROSSBAR};
    if (c.tuner) expected.push_back(IDD_SOURCE_TUNER);
    if (audio) expected.push_back(IDD_SOURCE_TVAUDIO);
    EXPECT_EQ(run.Templates(), expected) << "source " << c.source;
    EXPECT_EQ(run.ActiveTemplate(), c.tuner ? IDD_SOURCE_TUNER : IDD_SOURCE_CROSSBAR);
    EXPECT_EQ(run.parent, 0x77u);
    EXPECT_EQ(rig.sheets.captions.back(), 102u);
    EXPECT_GT(run.waitCursors, 0);
    EXPECT_EQ(run.waitDepth, 0);
  }
  EXPECT_GT(rig.sheets.waitCursors, 0);
}

TEST(SourceSheet, WithoutTvAudioTheTunerSheetHasTwoPages) {
  card::CardConfig config = card::DefaultCardConfig();
  SourceSheetRig rig(config);
  // A source whose audio the crossbar cannot carry: the sheet is built from
  // what SourceHasAudio says, so a composite input without TV audio shows one page.
  Inputs in = FindInputs(rig.app.GetCrossbar());
  rig.app.GetCrossbar()->SetSource(in.composite);
  rig.app.ShowSourceSheet(0);
  bool audio = rig.app.GetCrossbar()->SourceHasAudio(in.composite) != 0;
  EXPECT_EQ(rig.sheets.runs.back()->pages.size(), audio ? 2u : 1u);
}

TEST(SourceSheet, NoHubMeansOnlyTheCrossbarPageWithoutData) {
  SourceSheetRig rig(card::DefaultCardConfig(), false);
  EXPECT_FALSE(rig.app.HasHub());
  rig.app.ShowSourceSheet(0);
  SheetRun &run = *rig.sheets.runs.back();
  EXPECT_EQ(run.Templates(), (std::vector<uint16_t>{IDD_SOURCE_CROSSBAR}));
  EXPECT_EQ(run.View(0).ListCount(IDC_XBAR_SOURCE), 0);
  EXPECT_EQ(run.View(0).ControlText(IDC_XBAR_STATUS), u"The current source is ");
}

TEST(SourceSheet, AChannelKindWithoutASheetShowsNothing) {
  SourceSheetRig rig;
  EXPECT_FALSE(rig.app.ShowChannelSheet(3, 0));
  EXPECT_FALSE(rig.app.ShowChannelSheet(8, 0));
  EXPECT_TRUE(rig.sheets.runs.empty());
  // Video-in has the Video Format sheet.
  EXPECT_TRUE(rig.app.ShowChannelSheet(4, 0));
  EXPECT_EQ(rig.sheets.runs.size(), 1u);
}

TEST(SourceSheet, StatusTextNamesTheCurrentSourceAfterOneBlank) {
  SourceSheetRig rig;
  control::ICrossbarControl *x = rig.app.GetCrossbar();
  int32_t current = x->GetSource();
  WString name(static_cast<size_t>(x->GetSourceNameLength(current)) + 1, u'#');
  x->GetSourceName(current, name.data());
  name.pop_back();
  rig.app.ShowSourceSheet(0);
  FakeDialogView &view = rig.sheets.runs.back()->View(0);
  EXPECT_EQ(view.ControlText(IDC_XBAR_STATUS), u"The current source is " + name);
  // Each dialog works on a hub of its own: the one read above is gone.
  EXPECT_EQ(view.ListCount(IDC_XBAR_SOURCE), rig.app.GetCrossbar()->GetSourceCount());
  EXPECT_EQ(view.ListItemData(IDC_XBAR_SOURCE, view.ListSelection(IDC_XBAR_SOURCE)),
            static_cast<uintptr_t>(current));
}

TEST(SourceSheet, RepickingTheCurrentSourceAsksNothing) {
  SourceSheetRig rig;
  int current = rig.app.GetCrossbar()->GetSource();
  rig.sheets.scripts.push_back([&](SheetRun &run) { Pick(run, current); });
  rig.app.ShowSourceSheet(0);
  EXPECT_TRUE(rig.sheets.runs.back()->View(0).messages.empty());
  EXPECT_EQ(rig.sheets.runs.size(), 1u);
}

class SourceChange : public ::testing::TestWithParam<int> {};

TEST_P(SourceChange, YesOrNoReopensTheSheetForTheNewInput) {
  SourceSheetRig rig;
  Inputs in = FindInputs(rig.app.GetCrossbar());
  rig.app.GetCrossbar()->SetSource(in.tuner);
  rig.app.GetCrossbar()->SaveSettings();
  int answer = GetParam();
  rig.sheets.scripts.push_back([&](SheetRun &run) {
    run.View(0).answers.push_back(answer);
    Pick(run, in.composite);
  });
  rig.app.ShowSourceSheet(0x55);
  ASSERT_EQ(rig.sheets.runs.size(), 2u) << "the sheet reopened";
  SheetRun &first = *rig.sheets.runs[0];
  SheetRun &second = *rig.sheets.runs[1];
  ASSERT_EQ(first.View(0).messages.size(), 1u);
  EXPECT_EQ(first.View(0).messages[0].text, u"Do you wish to save any changes before selecting a new source?");
  EXPECT_EQ(first.View(0).messages[0].caption, u"Video Capture for Caldra One");
  EXPECT_EQ(first.View(0).messages[0].style, 0x23u);
  EXPECT_TRUE(first.hidden);
  EXPECT_EQ(first.end, SheetRun::kOk);
  EXPECT_GE(first.applies, 1);
  EXPECT_EQ(second.parent, 0x55u);
  EXPECT_EQ(second.ActiveTemplate(), IDD_SOURCE_CROSSBAR);
  EXPECT_EQ(second.pages.size(), rig.app.GetCrossbar()->SourceHasAudio(in.composite) ? 2u : 1u);
  EXPECT_EQ(rig.app.GetCrossbar()->GetSource(), in.composite);
  // The stored source is the new input: a fresh hub loads it.
  rig.app.RefreshHub();
  rig.app.GetCrossbar()->LoadSettings();
  EXPECT_EQ(rig.app.GetCrossbar()->GetSource(), in.composite);
  reg::Key key = 0;
  (void)key;
}

INSTANTIATE_TEST_SUITE_P(Answers, SourceChange, ::testing::Values(kIdYes, kIdNo));

TEST(SourceSheet, CancelKeepsTheSheetAndTheStoredInputAndTheListReturns) {
  SourceSheetRig rig;
  Inputs in = FindInputs(rig.app.GetCrossbar());
  rig.app.GetCrossbar()->SetSource(in.tuner);
  rig.app.GetCrossbar()->SaveSettings();
  int entryAfter = -2, expectedEntry = -1;
  rig.sheets.scripts.push_back([&](SheetRun &run) {
    expectedEntry = EntryOf(run.View(0), in.tuner);
    run.View(0).answers.push_back(2);  // IDCANCEL
    Pick(run, in.svideo);
    entryAfter = run.View(0).ListSelection(IDC_XBAR_SOURCE);
    run.PressOk();
  });
  rig.app.ShowSourceSheet(0);
  EXPECT_EQ(rig.sheets.runs.size(), 1u);
  EXPECT_EQ(rig.sheets.runs[0]->end, SheetRun::kOk);
  EXPECT_EQ(rig.app.GetCrossbar()->GetSource(), in.tuner);
  EXPECT_EQ(entryAfter, expectedEntry) << "the list shows the input the hardware is on";
}

TEST(SourceSheet, CrossbarPageSnapshotsOnActivationAndRestoresOnCancel) {
  SourceSheetRig rig;
  control::ICrossbarControl *x = rig.app.GetCrossbar();
  x->SetVolume(40);
  rig.sheets.scripts.push_back([&](SheetRun &run) {
    run.SetActivePage(0);  // stores volume 40
    rig.app.GetCrossbar()->SetVolume(70);
    run.PressCancel();
  });
  rig.app.ShowSourceSheet(0);
  EXPECT_EQ(rig.app.GetCrossbar()->GetVolume(), 40);
}

// The TV audio page, on the tuner input.
struct AudioPage {
  explicit AudioPage(SourceSheetRig &rig) : rig_(rig) {
    Inputs in = FindInputs(rig.app.GetCrossbar());
    rig.app.GetCrossbar()->SetSource(in.tuner);
  }
  SourceSheetRig &rig_;
};

TEST(TvAudioPage, VolumeWhileMutedUnmutesFirst) {
  SourceSheetRig rig;
  AudioPage page(rig);
  rig.app.GetCrossbar()->SetMute(1);
  bool checkedBefore = false, checkedAfter = true;
  rig.sheets.scripts.push_back([&](SheetRun &run) {
    int audio = static_cast<int>(run.pages.size()) - 1;
    ASSERT_EQ(run.pages[audio].templateId, IDD_SOURCE_TVAUDIO);
    run.SetActivePage(audio);
    FakeDialogView &view = run.View(audio);
    checkedBefore = view.IsChecked(IDC_AUDIO_MUTE);
    view.SetPosition(IDC_AUDIO_VOLUME, 63);
    run.Page(audio).OnHScroll(view, IDC_AUDIO_VOLUME);
    checkedAfter = view.IsChecked(IDC_AUDIO_MUTE);
    EXPECT_TRUE(run.modified[&run.Page(audio)]);
    EXPECT_EQ(view.ranges[IDC_AUDIO_VOLUME], (std::pair<int, int>{0, 100}));
    EXPECT_EQ(view.steps[IDC_AUDIO_VOLUME], (std::pair<int, int>{1, 1}));
    EXPECT_EQ(view.ControlText(IDC_AUDIO_DETECTED), u"");
    EXPECT_EQ(rig.app.GetCrossbar()->GetMute(), 0);
    EXPECT_EQ(rig.app.GetCrossbar()->GetVolume(), 63);
  });
  rig.app.ShowSourceSheet(0);
  EXPECT_TRUE(checkedBefore);
  EXPECT_FALSE(checkedAfter);
}

TEST(TvAudioPage, LanguageButtonsFollowTheLanguageCountAndModeReappliesLanguage) {
  SourceSheetRig rig;
  AudioPage page(rig);
  rig.sheets.scripts.push_back([&](SheetRun &run) {
    int audio = static_cast<int>(run.pages.size()) - 1;
    run.SetActivePage(audio);
    FakeDialogView &view = run.View(audio);
    control::ICrossbarControl *x = rig.app.GetCrossbar();
    int32_t n = x->GetLanguageCount();
    EXPECT_TRUE(view.Enabled(IDC_AUDIO_PRIMARY));
    if (n >= 1 && n <= 3) {
      EXPECT_EQ(view.Enabled(IDC_AUDIO_SECONDARY), n >= 2);
      EXPECT_EQ(view.Enabled(IDC_AUDIO_TERTIARY), n >= 3);
    }
    EXPECT_EQ(view.Enabled(IDC_AUDIO_FORMAT), view.ListCount(IDC_AUDIO_FORMAT) >= 2);
    // A tertiary language chosen, then a mode picked: the language falls
    // back to the primary one when the mode has fewer.
    view.SetChecked(IDC_AUDIO_PRIMARY, false);
    view.SetChecked(IDC_AUDIO_TERTIARY, true);
    auto &p = static_cast<CUserTvAudioPage &>(run.Page(audio));
    p.OnCommand(view, IDC_AUDIO_TERTIARY, 0);
    if (view.ListCount(IDC_AUDIO_FORMAT) > 0) {
      view.SelectListItem(IDC_AUDIO_FORMAT, 0);
      p.OnCommand(view, IDC_AUDIO_FORMAT, 9);
      int32_t count = x->GetLanguageCount();
      if (count < 3 && count >= 1) {
        EXPECT_EQ(p.Language(), 0);
        EXPECT_TRUE(view.IsChecked(IDC_AUDIO_PRIMARY));
      }
      EXPECT_EQ(x->GetAudioMode(), static_cast<int32_t>(view.ListItemData(IDC_AUDIO_FORMAT, 0)));
    }
    EXPECT_EQ(view.waitDepth, 0);
  });
  rig.app.ShowSourceSheet(0);
}

TEST(DriverApp, SettingsAreAppliedOnceAndTheHubIsReplacedPerDialog) {
  SourceSheetRig rig;
  EXPECT_TRUE(rig.app.SettingsApplied());
  control::IControlHub *before = nullptr;
  (void)before;
  control::ICrossbarControl *x1 = rig.app.GetCrossbar();
  rig.app.EnsureSettingsApplied();
  EXPECT_EQ(rig.app.GetCrossbar(), x1) << "a later open changes nothing";
  rig.app.ShowSourceSheet(0);
  EXPECT_NE(rig.app.GetCrossbar(), nullptr);
  EXPECT_EQ(rig.app.ApplicationName(), u"Video Capture for Caldra One");
}

}  // namespace
}  // namespace tolven::dialogs::testing

namespace tolven::dialogs::testing {
namespace {

// DVM_DIALOG through the driver object the application object owns, as
// msvideo sends it to the opened channels.
TEST(DriverApp, DvmDialogOnEachChannelShowsItsSheet) {
  SourceSheetRig rig;
  rig.m.services.InstallDriverImage(u"tolvenk.sys", std::make_shared<MinimalVidCapDriver>(rig.m));
  ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
  ASSERT_TRUE(InstallAndStartService(rig.m.ports(), profile, nullptr, nullptr));
  CloseServiceProfile(rig.m.ports(), profile);
  CCaptureDriver &driver = *rig.app.Driver();
  vfw::VideoOpenParms parms{};
  parms.dwSize = sizeof parms;
  parms.dwFlags = vfw::kVideoExternalIn;
  intptr_t id = driver.Dispatch(0, 0x4400, vfw::kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms));
  ASSERT_EQ(id, 1);
  EXPECT_EQ(driver.Dispatch(1, 0x4400, vfw::kDvmDialog, 0x99, vfw::kVideoDialogQuery), 0);
  EXPECT_TRUE(rig.sheets.runs.empty()) << "a query shows nothing";
  EXPECT_EQ(driver.Dispatch(1, 0x4400, vfw::kDvmDialog, 0x99, vfw::kVideoDialogQuery | 1), 0);
  ASSERT_EQ(rig.sheets.runs.size(), 1u);
  EXPECT_EQ(rig.sheets.runs[0]->parent, 0x99u);
  EXPECT_EQ(rig.sheets.captions[0], kSourceSheetCaption);
  // The video-in channel shows the Video Format sheet, the external-out
  // channel the Video Display sheet; both test only the query bit.
  parms.dwFlags = vfw::kVideoIn;
  intptr_t in = driver.Dispatch(0, 0x4400, vfw::kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms));
  parms.dwFlags = vfw::kVideoExternalOut;
  intptr_t out = driver.Dispatch(0, 0x4400, vfw::kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms));
  ASSERT_EQ(in, 4);
  ASSERT_EQ(out, 2);
  EXPECT_EQ(driver.Dispatch(in, 0x4400, vfw::kDvmDialog, 0x99, vfw::kVideoDialogQuery | 1), 0);
  EXPECT_EQ(driver.Dispatch(out, 0x4400, vfw::kDvmDialog, 0x99, vfw::kVideoDialogQuery | 1), 0);
  EXPECT_EQ(rig.sheets.runs.size(), 1u) << "a query shows nothing";
  EXPECT_EQ(driver.Dispatch(in, 0x4400, vfw::kDvmDialog, 0x98, 0), 0);
  EXPECT_EQ(driver.Dispatch(out, 0x4400, vfw::kDvmDialog, 0x97, 0), 0);
  ASSERT_EQ(rig.sheets.runs.size(), 3u);
  EXPECT_EQ(rig.sheets.captions[1], 125u);
  EXPECT_EQ(rig.sheets.runs[1]->parent, 0x98u);
  EXPECT_EQ(rig.sheets.captions[2], 124u);
  EXPECT_EQ(rig.sheets.runs[2]->parent, 0x97u);
  driver.Dispatch(out, 0x4400, vfw::kDrvClose, 0, 0);
  driver.Dispatch(in, 0x4400, vfw::kDrvClose, 0, 0);
  driver.Dispatch(1, 0x4400, vfw::kDrvClose, 0, 0);
}

}  // namespace
}  // namespace tolven::dialogs::testing
