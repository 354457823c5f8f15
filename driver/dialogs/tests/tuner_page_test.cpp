// The "TV Tuner" page and its channel dialogs on the virtual card: the
// automatic tuning dialog, removing rows, the do-not-show setting, the New
// and Modify Channel dialogs, renaming in place, moving rows and columns,
// and what reaches the channel file.
#include <gtest/gtest.h>

#include "driver/dialogs/auto_tune_dlg.h"
#include "driver/dialogs/channel_edit_dlg.h"
#include "driver/dialogs/tests/source_sheet_rig.h"

namespace tolven::dialogs::testing {
namespace {

using SheetRun = FakeSheetRunner::Run;

struct TunerPageRig : SourceSheetRig {
  TunerPageRig() {
    control::ICrossbarControl *x = app.GetCrossbar();
    for (int32_t i = 0; i < x->GetSourceCount(); ++i)
      if (x->GetSourceType(i) == 2) x->SetSource(i);
  }
  // Runs the sheet with `script` on the tuner page (page 1).
  void WithPage(std::function<void(SheetRun &, FakeDialogView &, CUserTunerPage &)> script) {
    sheets.scripts.push_back([script](SheetRun &run) {
      ASSERT_EQ(run.ActiveTemplate(), IDD_SOURCE_TUNER);
      script(run, run.View(1), static_cast<CUserTunerPage &>(run.Page(1)));
    });
    app.ShowSourceSheet(0);
  }
  static void Click(FakeDialogView &view, CUserTunerPage &page, int row) {
    view.ClickRow(IDC_TUNER_LIST, row);
    page.OnListEvent(view, ListEvent(ListEvent::kItemChanged, IDC_TUNER_LIST, row));
  }
  static void Press(FakeDialogView &view, CUserTunerPage &page, int button) { page.OnCommand(view, button, 0); }
  static std::vector<WString> Names(FakeDialogView &view) { return view.ColumnTexts(IDC_TUNER_LIST, 0); }
};

const std::vector<WString> kSix = {u"New Channel 1", u"New Channel 2", u"New Channel 3",
                                   u"New Channel 4", u"New Channel 5", u"New Channel 6"};

TEST(TunerPage, EmptyListDisablesRemoveAllAndModifyAndRemoveUntilARowIsSelected) {
  TunerPageRig rig;
  rig.WithPage([](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 0);
    EXPECT_FALSE(view.Enabled(IDC_TUNER_REMOVE_ALL));
    EXPECT_FALSE(view.Enabled(IDC_TUNER_MODIFY));
    EXPECT_FALSE(view.Enabled(IDC_TUNER_REMOVE));
    EXPECT_EQ(view.ColumnHeading(IDC_TUNER_LIST, 0), u"Channel Name");
    EXPECT_EQ(view.ColumnHeading(IDC_TUNER_LIST, 1), u"Channel No");
    EXPECT_EQ(view.ColumnWidth(IDC_TUNER_LIST, 0), 200);
    EXPECT_EQ(view.ColumnWidth(IDC_TUNER_LIST, 1), view.AutoSizeWidth(IDC_TUNER_LIST, 1) - 20);
    EXPECT_EQ(view.SelectedText(IDC_TUNER_FORMAT), u"PAL I");
    EXPECT_FALSE(view.Enabled(IDC_TUNER_FORMAT)) << "one entry";
    // Remove All on an empty list asks nothing.
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE_ALL);
    EXPECT_TRUE(view.messages.empty());
  });
}

TEST(TunerPage, AutomaticTuningFindsTheSixStationsAndOkStoresThem) {
  TunerPageRig rig;
  std::vector<WString> shown;
  std::vector<WString> numbers;
  rig.WithPage([&](SheetRun &run, FakeDialogView &view, CUserTunerPage &page) {
    rig.app.GetCrossbar()->SetMute(0);
    TunerPageRig::Press(view, page, IDC_TUNER_AUTO);
    shown = TunerPageRig::Names(view);
    numbers = view.ColumnTexts(IDC_TUNER_LIST, 1);
    EXPECT_TRUE(view.Enabled(IDC_TUNER_REMOVE_ALL));
    EXPECT_EQ(rig.app.GetCrossbar()->GetMute(), 0) << "the mute comes back";
    run.PressOk();
  });
  ASSERT_EQ(rig.dialogs.Count(IDD_AUTO_TUNE), 1);
  FakeDialogView &scan = rig.dialogs.views.back();
  EXPECT_EQ(scan.positionLog[IDC_AUTO_PROGRESS].back(), 101);
  EXPECT_GT(scan.pumps, 50);
  EXPECT_FALSE(scan.Shown(IDC_AUTO_COUNT));
  EXPECT_FALSE(scan.Shown(IDC_OK));
  EXPECT_TRUE(scan.windowShown);
  EXPECT_EQ(shown, kSix);
  EXPECT_EQ(numbers, (std::vector<WString>{u"23", u"26", u"30", u"33", u"41", u"52"}));
  auto stored = rig.StoredChannels();
  ASSERT_EQ(stored.size(), 6u) << "OK stores the channels found";
  EXPECT_EQ(stored[5], (std::pair<WString, uint32_t>{u"New Channel 6", 52}));
}

TEST(TunerPage, CancelInTheScanAtHalfwayStopsAtTheNextReportAndTheListShowsWhatWasFound) {
  TunerPageRig rig;
  rig.dialogs.before[IDD_AUTO_TUNE] = [](FakeDialogView &view, DialogPresenter &) {
    view.onPump = [](FakeDialogView &v) {
      if (v.Position(IDC_AUTO_PROGRESS) >= 50 && !v.ended) v.PostCommand(IDC_CANCEL);
    };
  };
  std::vector<WString> shown;
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Press(view, page, IDC_TUNER_AUTO);
    shown = TunerPageRig::Names(view);
    EXPECT_EQ(static_cast<int32_t>(shown.size()), rig.app.GetTuner()->GetChannelCount());
  });
  FakeDialogView &scan = rig.dialogs.views.back();
  int last = scan.positionLog[IDC_AUTO_PROGRESS].back();
  EXPECT_GE(last, 50);
  EXPECT_LT(last, 56) << "stopped at the report after the cancel";
  // Channels 23, 26 and 30 lie below half of the 58-entry plan; 33 may too.
  ASSERT_GE(shown.size(), 3u);
  EXPECT_LT(shown.size(), 6u);
}

TEST(TunerPage, RemovingTheLastMiddleAndOnlyRows) {
  TunerPageRig rig;
  rig.Scan();
  rig.app.GetTuner()->DeleteChannel(5);
  rig.app.GetTuner()->DeleteChannel(4);
  rig.app.GetTuner()->DeleteChannel(3);  // three left
  rig.app.GetTuner()->SaveSettings();
  rig.app.WriteUserDword(u"tune_DeleteChannelFlag", 1);
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    ASSERT_EQ(view.RowCount(IDC_TUNER_LIST), 3);
    TunerPageRig::Click(view, page, 2);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    EXPECT_EQ(TunerPageRig::Names(view), (std::vector<WString>{u"New Channel 1", u"New Channel 2"}));
    EXPECT_EQ(page.CurrentRow(), 1) << "the new last row";
    EXPECT_EQ(view.SelectedRows(IDC_TUNER_LIST), (std::vector<int>{1}));
    // Middle of three again: channel indexes of later rows go down.
    rig.app.GetTuner()->AddChannel(u"Third", -1);
    rig.app.GetTuner()->AddChannel(u"Fourth", -1);
    page.OnSetActive(view);
    TunerPageRig::Press(view, page, IDC_TUNER_AUTO);  // refill from the tuner
    TunerPageRig::Click(view, page, 1);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    for (int r = 0; r < view.RowCount(IDC_TUNER_LIST); ++r)
      EXPECT_EQ(view.RowData(IDC_TUNER_LIST, r), static_cast<uintptr_t>(r));
    // Down to the only row, then none.
    while (view.RowCount(IDC_TUNER_LIST) > 1) {
      TunerPageRig::Click(view, page, 0);
      TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    }
    TunerPageRig::Click(view, page, 0);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 0);
    EXPECT_FALSE(view.Enabled(IDC_TUNER_REMOVE));
    EXPECT_FALSE(view.Enabled(IDC_TUNER_REMOVE_ALL));
    EXPECT_EQ(rig.app.GetTuner()->GetChannelCount(), 0);
  });
  EXPECT_EQ(rig.dialogs.Count(IDD_DELETE_CHANNEL), 0) << "the stored flag skips the question";
}

TEST(TunerPage, DoNotShowCheckedThenYesStoresTheFlagAndLaterDeletionsAskNothing) {
  TunerPageRig rig;
  rig.Scan();
  rig.dialogs.scripts[IDD_DELETE_CHANNEL].push_back([](FakeDialogView &view, DialogPresenter &dialog) {
    EXPECT_FALSE(view.IsChecked(IDC_DELETE_DONT_SHOW));
    EXPECT_TRUE(view.Enabled(IDC_NO));
    view.SetChecked(IDC_DELETE_DONT_SHOW, true);
    dialog.OnCommand(view, IDC_DELETE_DONT_SHOW, 0);
    EXPECT_FALSE(view.Enabled(IDC_NO));
    dialog.OnCommand(view, IDC_YES, 0);
  });
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Click(view, page, 0);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 5);
    TunerPageRig::Click(view, page, 0);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 4);
  });
  EXPECT_EQ(rig.dialogs.Count(IDD_DELETE_CHANNEL), 1);
  EXPECT_EQ(rig.UserValue(u"tune_DeleteChannelFlag"), 1u);
}

TEST(TunerPage, NoInTheDeleteQuestionKeepsTheRows) {
  TunerPageRig rig;
  rig.Scan();
  rig.dialogs.scripts[IDD_DELETE_CHANNEL].push_back(
      [](FakeDialogView &view, DialogPresenter &dialog) { dialog.OnCommand(view, IDC_NO, 0); });
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Click(view, page, 0);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE);
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 6);
    EXPECT_EQ(view.focus, IDC_TUNER_LIST);
  });
  EXPECT_EQ(rig.UserValue(u"tune_DeleteChannelFlag").value_or(0), 0u);
}

TEST(ChannelDialogs, NewChannelWithAnEmptyNameSaysSoAndCancelAddsNothing) {
  TunerPageRig rig;
  rig.dialogs.scripts[IDD_NEW_CHANNEL].push_back([&](FakeDialogView &view, DialogPresenter &dialog) {
    EXPECT_EQ(rig.app.GetTuner()->GetChannelCount(), 1) << "added as it opened";
    view.SetControlText(IDC_CHANNEL_NAME, u"");
    dialog.OnCommand(view, IDC_OK, 0);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, u"No name entered. Unable to add/modify channel.");
    EXPECT_EQ(view.messages[0].style, 0x30u);
    EXPECT_FALSE(view.ended);
  });  // then Escape
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Press(view, page, IDC_TUNER_NEW);
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 0);
  });
  EXPECT_EQ(rig.app.GetTuner()->GetChannelCount(), 0) << "closing without OK takes the channel back";
}

TEST(ChannelDialogs, NewChannelTypedPlusSeeksAndOkAppendsTheRow) {
  TunerPageRig rig;
  rig.dialogs.scripts[IDD_NEW_CHANNEL].push_back([&](FakeDialogView &view, DialogPresenter &dialog) {
    EXPECT_EQ(view.ControlText(IDC_CHANNEL_NAME), u"New Channel 1");
    dialog.OnChar(view, u'+');
    EXPECT_FALSE(static_cast<CChannelEditDlg &>(dialog).Busy());
    EXPECT_FALSE(view.positionLog[IDC_CHANNEL_PROGRESS].empty());
    view.SetControlText(IDC_CHANNEL_NAME, u"Channel Twenty-three \u00e9\u4e2d with a name longer than the list shows");
    dialog.OnCommand(view, IDC_OK, 0);
  });
  rig.WithPage([&](SheetRun &run, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Press(view, page, IDC_TUNER_NEW);
    ASSERT_EQ(view.RowCount(IDC_TUNER_LIST), 1);
    run.PressOk();
  });
  auto stored = rig.StoredChannels();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].first, u"Channel Twenty-three \u00e9\u4e2d with a name longer than the list shows");
  EXPECT_EQ(stored[0].second, 23u) << "the seek found the first station";
  EXPECT_EQ(rig.dialogs.runs.back().parent, 0x1234u) << "over the page";
}

TEST(ChannelDialogs, ModifyCancelDuringASeekStopsItThenRestoresTheMarkedChannel) {
  TunerPageRig rig;
  rig.Scan();
  uint32_t before = rig.card.Tuner()->TunedFrequency();
  (void)before;
  int cancels = 0;
  rig.dialogs.scripts[IDD_MODIFY_CHANNEL].push_back([&](FakeDialogView &view, DialogPresenter &dialog) {
    view.onPump = [&](FakeDialogView &v) {
      if (cancels++ == 2) v.PostCommand(IDC_CANCEL);  // during the seek
    };
    dialog.OnCommand(view, IDC_SEEK_UP, 0);
  });
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Click(view, page, 1);
    uint32_t marked = rig.card.Tuner()->TunedFrequency();
    TunerPageRig::Press(view, page, IDC_TUNER_MODIFY);
    EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), marked) << "the marked channel is tuned again";
    EXPECT_EQ(TunerPageRig::Names(view)[1], u"New Channel 2") << "Cancel renames nothing";
  });
  FakeDialogView &modify = rig.dialogs.views.back();
  EXPECT_EQ(modify.ended, IDC_CANCEL);
  EXPECT_EQ(rig.app.GetTuner()->GetChannelNumber(1), 26);
}

TEST(ChannelDialogs, ModifyOkAcceptsAnEmptyNameAndFineStepsMoveOnce) {
  TunerPageRig rig;
  rig.Scan();
  rig.dialogs.scripts[IDD_MODIFY_CHANNEL].push_back([&](FakeDialogView &view, DialogPresenter &dialog) {
    EXPECT_EQ(view.ControlText(IDC_CHANNEL_NAME), u"New Channel 1");
    EXPECT_EQ(view.positionLog[IDC_CHANNEL_PROGRESS].front(), rig.app.GetTuner()->GetChannelPosition(0));
    dialog.OnChar(view, u'>');
    view.SetControlText(IDC_CHANNEL_NAME, u"");
    dialog.OnCommand(view, IDC_OK, 0);
    EXPECT_TRUE(view.messages.empty());
  });
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Click(view, page, 0);
    uint32_t tuned = rig.card.Tuner()->TunedFrequency();
    TunerPageRig::Press(view, page, IDC_TUNER_MODIFY);
    EXPECT_GT(rig.card.Tuner()->TunedFrequency(), tuned) << "one fine step up";
    EXPECT_EQ(view.CellText(IDC_TUNER_LIST, 0, 0), u"");
  });
}

TEST(TunerPage, RenamingInPlaceFollowsTheNameColumnAfterAColumnMove) {
  TunerPageRig rig;
  rig.Scan();
  rig.WithPage([&](SheetRun &run, FakeDialogView &view, CUserTunerPage &page) {
    EXPECT_TRUE(page.CanEditLabel(view, IDC_TUNER_LIST, 0));
    EXPECT_FALSE(page.CanEditLabel(view, IDC_TUNER_LIST, 1));
    // Onto the column just right of it: nothing moves.
    ListEvent same(ListEvent::kColumnMoved, IDC_TUNER_LIST, -1, 0, 1);
    page.OnListEvent(view, same);
    EXPECT_EQ(view.ColumnHeading(IDC_TUNER_LIST, 0), u"Channel Name");
    // Past the number column: the name column moves to the right.
    ListEvent move(ListEvent::kColumnMoved, IDC_TUNER_LIST, -1, 0, 2);
    page.OnListEvent(view, move);
    EXPECT_EQ(view.ColumnHeading(IDC_TUNER_LIST, 1), u"Channel Name");
    EXPECT_EQ(view.CellText(IDC_TUNER_LIST, 0, 0), u"23");
    EXPECT_TRUE(page.CanEditLabel(view, IDC_TUNER_LIST, 1));
    ListEvent edit(ListEvent::kCellEdited, IDC_TUNER_LIST, 2, 1);
    edit.text = u"BBC Two";
    page.OnListEvent(view, edit);
    EXPECT_EQ(view.CellText(IDC_TUNER_LIST, 2, 1), u"BBC Two");
    EXPECT_EQ(view.CellText(IDC_TUNER_LIST, 2, 0), u"30");
    run.PressOk();
  });
  EXPECT_EQ(rig.StoredChannels()[2].first, u"BBC Two");
}

TEST(TunerPage, ADroppedRowMovesTheChannelAndReachesTheChannelFile) {
  TunerPageRig rig;
  rig.Scan();
  rig.WithPage([&](SheetRun &, FakeDialogView &view, CUserTunerPage &page) {
    page.OnListEvent(view, ListEvent(ListEvent::kRowDropped, IDC_TUNER_LIST, 4, -1, 0));
    EXPECT_EQ(TunerPageRig::Names(view)[0], u"New Channel 5");
    EXPECT_EQ(page.CurrentRow(), 0);
  });  // cancelled afterwards: the order was stored at the drop
  auto stored = rig.StoredChannels();
  ASSERT_EQ(stored.size(), 6u);
  EXPECT_EQ(stored[0], (std::pair<WString, uint32_t>{u"New Channel 5", 41}));
  EXPECT_EQ(stored[1].second, 23u);
}

TEST(TunerPage, AnUnwritableChannelFileIsReportedByNameAndTheListStays) {
  TunerPageRig rig;
  rig.Scan();
  rig.WithPage([&](SheetRun &run, FakeDialogView &view, CUserTunerPage &page) {
    rig.m.files.LockFile(SourceSheetRig::kChannelFile);
    ListEvent edit(ListEvent::kCellEdited, IDC_TUNER_LIST, 0, 0);
    edit.text = u"Renamed";
    page.OnListEvent(view, edit);
    run.PressOk();
    EXPECT_EQ(run.end, SheetRun::kOpen) << "OK keeps the sheet open when nothing could be stored";
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              u"The channel list could not be saved to C:\\Users\\viewer\\TOLVEN0.dat.");
    EXPECT_EQ(view.CellText(IDC_TUNER_LIST, 0, 0), u"Renamed");
    run.PressCancel();
  });
}

TEST(TunerPage, SelectingARowTunesItAndCancelRestoresTheStoredList) {
  TunerPageRig rig;
  rig.Scan();
  rig.app.GetTuner()->SaveSettings();
  rig.WithPage([&](SheetRun &run, FakeDialogView &view, CUserTunerPage &page) {
    TunerPageRig::Click(view, page, 3);
    EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), 567250000u);
    EXPECT_TRUE(run.modified[&page]);
    EXPECT_TRUE(view.Enabled(IDC_TUNER_MODIFY));
    view.answers.push_back(kIdYes);
    TunerPageRig::Press(view, page, IDC_TUNER_REMOVE_ALL);
    EXPECT_EQ(view.messages.back().text, u"Are you sure you want to remove all the channels?");
    EXPECT_EQ(view.messages.back().style, 0x124u);
    EXPECT_EQ(view.RowCount(IDC_TUNER_LIST), 0);
    run.PressCancel();
  });
  EXPECT_EQ(rig.app.GetTuner()->GetChannelCount(), 6) << "Cancel loads the stored list";
}

}  // namespace
}  // namespace tolven::dialogs::testing
