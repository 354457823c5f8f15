// The tuner component and its searches on the virtual card (the default
// card: a tuner module of type 1 on the UK broadcast plan, six stations),
// and on scripted hardware where the card cannot show a rule.
#include <gtest/gtest.h>

#include <vector>

#include "driver/control/tests/control_rig.h"
#include "driver/control/tuner_control.h"
#include "driver/tuning/plan_choice.h"

namespace tolven::testing {
namespace {

using namespace control;

std::vector<std::pair<int32_t, int32_t>> g_reports;
int32_t g_stopAt = -1;  // the report (0-based) the callback answers 0 to

int32_t TOLVEN_STDCALL Record(int32_t code, int32_t percent) {
  g_reports.emplace_back(code, percent);
  return static_cast<int32_t>(g_reports.size()) - 1 == g_stopAt ? 0 : 1;
}

struct TunerOnCard : CardRig {
  explicit TunerOnCard(card::CardConfig config = card::DefaultCardConfig()) : CardRig(config) {
    g_reports.clear();
    g_stopAt = -1;
  }
  ~TunerOnCard() {
    if (hub) hub->Release();
  }
  CTunerControl &Tuner() {
    if (!hub) hub = NewHub();
    return *static_cast<CTunerControl *>(hub->GetTuner());
  }
  std::vector<uint32_t> Numbers() {
    std::vector<uint32_t> out;
    for (int32_t i = 0; i < Tuner().GetChannelCount(); ++i)
      out.push_back(static_cast<uint32_t>(Tuner().GetChannelNumber(i)));
    return out;
  }
  uint32_t Frequency(int32_t index) {
    tuning::CVarnTunerChannel c;
    EXPECT_TRUE(Tuner().Channels().GetAt(index, &c));
    return c.frequency;
  }
  WString ChannelName(int32_t index) {
    WString name(static_cast<size_t>(Tuner().GetChannelNameLength(index)) + 1, u'#');
    Tuner().GetChannelName(index, name.data());
    name.pop_back();
    return name;
  }
  IControlHub *hub = nullptr;
};

const std::vector<uint32_t> kStationNumbers = {23, 26, 30, 33, 41, 52};

TEST(TunerControl, InputsStandardsAndPlanOfTheDefaultCard) {
  TunerOnCard rig;
  ASSERT_TRUE(rig.opened);
  CTunerControl &t = rig.Tuner();
  EXPECT_EQ(t.GetInputCount(), 1);
  EXPECT_EQ(t.GetInputType(0), 32);
  EXPECT_EQ(t.GetInputType(1), 0);
  WString name(static_cast<size_t>(t.GetInputTypeNameLength(0)) + 1, u'#');
  EXPECT_EQ(t.GetInputTypeName(0, name.data()), 1);
  EXPECT_EQ(name, WString(u"Television Tuner") + u'\0');
  EXPECT_EQ(t.GetStandardCount(), 1);
  EXPECT_EQ(t.GetStandard(), 0);
  WString standard(static_cast<size_t>(t.GetStandardNameLength(0)), u'#');
  standard.push_back(0);
  t.GetStandardName(0, standard.data());
  EXPECT_EQ(standard, WString(u"PAL I") + u'\0');
  EXPECT_EQ(t.SetStandard(1), 0);
  EXPECT_EQ(t.Plan().Count(), 58u);
  EXPECT_EQ(t.ChannelFilePath(), u"C:\\Users\\viewer\\TOLVEN0.dat");
}

TEST(TunerControl, AutoScanFindsTheStationsOnceAtTheirFrequencies) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  t.SetProgressCallback(Record);
  EXPECT_EQ(t.AutoScan(), 1);
  EXPECT_EQ(rig.Numbers(), kStationNumbers);
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(rig.Frequency(i), rig.card.Config().stations[static_cast<size_t>(i)].frequencyHz);
    EXPECT_EQ(rig.ChannelName(i), u"New Channel " + DecimalW(static_cast<uint32_t>(i + 1)));
  }
  ASSERT_EQ(g_reports.size(), 59u);
  EXPECT_EQ(g_reports.front(), (std::pair<int32_t, int32_t>{1, 0}));
  EXPECT_EQ(g_reports[1], (std::pair<int32_t, int32_t>{1, 3}));  // 200 / 58
  EXPECT_EQ(g_reports.back(), (std::pair<int32_t, int32_t>{1, 101}));
  // The scan leaves the first channel tuned.
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), rig.Frequency(0));
  EXPECT_EQ(t.AutoScan(), 1);
  EXPECT_EQ(rig.Numbers(), kStationNumbers) << "a second scan adds nothing";
}

TEST(TunerControl, OnlyAnswersAfterAnEntryStopTheScan) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  t.SetProgressCallback(Record);
  g_stopAt = 0;  // the opening report
  EXPECT_EQ(t.AutoScan(), 1);
  t.DeleteAllChannels();
  g_reports.clear();
  g_stopAt = 3;  // after the third entry (channels 21, 22, 23)
  EXPECT_EQ(t.AutoScan(), 0);
  EXPECT_EQ(rig.Numbers(), (std::vector<uint32_t>{23}));
  EXPECT_EQ(g_reports.size(), 4u);
}

TEST(TunerControl, FineTuningMovesTowardsAnOffsetStation) {
  card::CardConfig config = card::DefaultCardConfig();
  config.stations = {config.stations[0]};
  config.stations[0].frequencyHz += 1000000;  // 1 MHz above channel 23
  TunerOnCard rig(config);
  CTunerControl &t = rig.Tuner();
  EXPECT_EQ(t.AutoScan(), 1);
  ASSERT_EQ(rig.Numbers(), (std::vector<uint32_t>{23}));
  const uint32_t plan = 487250000, station = 488250000;
  EXPECT_GT(rig.Frequency(0), plan);
  EXPECT_LT(station - rig.Frequency(0), station - plan);
}

TEST(TunerControl, SeeksMoveAChannelToTheNextStation) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  ASSERT_EQ(t.AddChannel(nullptr, -1), 1);  // channel 21, the first plan entry
  t.SetProgressCallback(Record);
  EXPECT_EQ(t.SeekUp(0), 1);
  EXPECT_EQ(t.GetChannelNumber(0), 23);
  EXPECT_EQ(rig.Frequency(0), 487250000u);
  EXPECT_EQ(g_reports, (std::vector<std::pair<int32_t, int32_t>>{{2, 1}, {2, 3}}));
  EXPECT_EQ(t.SeekUp(0), 1);
  EXPECT_EQ(t.GetChannelNumber(0), 26);
  g_reports.clear();
  EXPECT_EQ(t.SeekDown(0), 1);
  EXPECT_EQ(t.GetChannelNumber(0), 23);
  EXPECT_EQ(g_reports.front().first, 3);
  // Stopped at the first report: the channel is left on the entry examined.
  g_reports.clear();
  g_stopAt = 0;
  EXPECT_EQ(t.SeekUp(0), 0);
  EXPECT_EQ(t.GetChannelNumber(0), 23);
  EXPECT_EQ(t.SeekUp(5), 0 + 1) << "an index outside the list starts at the first entry";
}

TEST(TunerControl, SeekingPastTheLastEntryAndUnknownNumbers) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  const tuning::CItuInfo &last = t.Plan().At(t.Plan().Count() - 1);
  ASSERT_EQ(t.AddChannel(nullptr, -1), 1);
  ASSERT_EQ(t.SetChannelNumber(0, static_cast<int32_t>(last.number)), 1);
  EXPECT_EQ(t.SeekUp(0), 1) << "end of the plan without a find: the callback's last answer";
  EXPECT_EQ(t.GetChannelNumber(0), static_cast<int32_t>(last.number));
  EXPECT_EQ(t.SetChannelNumber(0, 99), 0);
}

TEST(TunerControl, StepsShiftByTheFineStepAndKeepThePlanNumber) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  ASSERT_EQ(t.AddChannel(u"Step", -1), 1);
  t.SetProgressCallback(Record);
  EXPECT_EQ(t.StepUp(0), 1);
  EXPECT_EQ(rig.Frequency(0), 471300000u);
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), 471300000u);
  EXPECT_EQ(t.GetChannelNumber(0), 21);
  EXPECT_EQ(g_reports.back(), (std::pair<int32_t, int32_t>{2, 0}));
  EXPECT_EQ(t.StepDown(0), 1);
  EXPECT_EQ(t.StepDown(0), 1);
  EXPECT_EQ(rig.Frequency(0), 471200000u);
  EXPECT_EQ(g_reports.back().first, 3);
  EXPECT_EQ(t.StepUp(3), 0);
}

TEST(TunerControl, MarkedChannelRestoresWithoutRetuning) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  t.AddChannel(nullptr, -1);
  ASSERT_EQ(t.TuneChannel(0), 1);
  EXPECT_EQ(t.GetCurrentChannel(), 0);
  EXPECT_EQ(t.MarkCurrentChannel(), 1);
  t.StepUp(0);
  EXPECT_EQ(t.GetCurrentChannel(), 0);
  EXPECT_EQ(t.RestoreMarkedChannel(), 1);
  EXPECT_EQ(t.GetCurrentChannel(), -1);
  t.TuneChannel(0);
  EXPECT_EQ(t.GetCurrentChannel(), 0);
}

TEST(TunerControl, ChannelListEditing) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  EXPECT_EQ(t.AddChannel(nullptr, -1), 1);
  EXPECT_EQ(t.AddChannel(u"", -1), 1);
  EXPECT_EQ(rig.ChannelName(0), u"New Channel 1");
  EXPECT_EQ(rig.ChannelName(1), u"New Channel 2");
  EXPECT_EQ(rig.Numbers(), (std::vector<uint32_t>{21, 22}));
  EXPECT_EQ(t.AddChannel(u"Front", 0), 1);
  EXPECT_EQ(rig.ChannelName(0), u"Front");
  EXPECT_EQ(t.RenameChannel(1, u"New Channel 2"), 1);
  EXPECT_EQ(t.RenameChannel(3, u"x"), 0);
  EXPECT_EQ(t.DeleteChannel(2), 1);  // the old New Channel 2
  EXPECT_EQ(t.AddChannel(nullptr, 99), 1);
  EXPECT_EQ(rig.ChannelName(2), u"New Channel 1") << "the first name no channel uses";
  EXPECT_EQ(t.MoveChannel(0, -1), 1);
  EXPECT_EQ(rig.ChannelName(2), u"Front");
  EXPECT_EQ(t.MoveChannel(5, 0), 0);
  EXPECT_EQ(t.DeleteChannel(-1), 0);
  EXPECT_EQ(t.GetChannelNumber(7), -1);
  EXPECT_EQ(t.GetChannelPosition(7), -1);
  EXPECT_EQ(t.TuneChannel(7), 0);
  while (t.GetChannelCount() < 58) ASSERT_EQ(t.AddChannel(nullptr, -1), 1);
  EXPECT_EQ(t.AddChannel(nullptr, -1), 0) << "every plan number in use";
  EXPECT_EQ(t.GetChannelCount(), 58);
}

TEST(TunerControl, PlanPositionsOfA68EntryPlan) {
  TunerOnCard rig;
  ConfigStore store(rig.m.registry, kKernelServiceName);
  reg::Key k = 0;
  rig.m.registry.CreateKey(reg::kLocalMachine, u"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters",
                           reg::kAllAccess, &k);
  reg::SetDword(rig.m.registry, k, tuning::kCountryCodeValue, 1);
  rig.m.registry.CloseKey(k);
  CTunerControl &t = rig.Tuner();
  ASSERT_EQ(t.Plan().Count(), 68u);
  while (t.AddChannel(nullptr, -1)) {}
  EXPECT_EQ(t.GetChannelPosition(0), 0);
  EXPECT_EQ(t.GetChannelPosition(67), 98);
}

TEST(TunerControl, SettingsAndChannelsSurviveANewHub) {
  TunerOnCard rig;
  {
    CTunerControl &t = rig.Tuner();
    t.AutoScan();
    t.RenameChannel(2, u"Mono");
    t.TuneChannel(2);
    ASSERT_EQ(t.SaveSettings(), 1);
    rig.hub->Release();
    rig.hub = nullptr;
  }
  rig.Tuner().TuneChannel(0);  // a new hub, moved away and released unsaved
  rig.hub->Release();
  rig.hub = nullptr;
  CTunerControl &t = rig.Tuner();
  EXPECT_EQ(rig.Numbers(), kStationNumbers);
  EXPECT_EQ(rig.ChannelName(2), u"Mono");
  EXPECT_EQ(t.GetCurrentChannel(), 2);
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), 543250000u);
}

TEST(TunerControl, ProfileLocation) {
  TunerOnCard rig;
  CTunerControl &t = rig.Tuner();
  EXPECT_EQ(t.SetProfileLocation(u"D:\\Channels", nullptr), 0);
  EXPECT_EQ(t.ChannelFilePath(), u"D:\\Channels\\TOLVEN0.dat");
  t.SetProfileLocation(u"E:\\", u"chn");
  EXPECT_EQ(t.ChannelFilePath(), u"E:\\TOLVEN0.chn");
}

// A tuner without fine tuning on scripted hardware: one station 300 kHz
// above the plan's channel 23.
TEST(TunerControl, WithoutFineTuningTheStoredFrequencyIsThePlans) {
  FakeHardware f;
  constexpr uint32_t kStation = 487550000;
  namespace tuner = requests::tuner;
  std::vector<uint32_t> caps(tuner::kRecordWords, 0);
  caps[tuner::kSettleMs] = 150, caps[tuner::kInputCount] = 1, caps[tuner::kNoSignalStatus] = 4;
  caps[tuner::kCentredStatus] = 2, caps[tuner::kFineStepHz] = 50000;  // no flags: no fine tuning
  FakeComponent &module = f.Add(kKindTuner, caps);
  FakeComponent &decoder = f.Add(kKindVideoDecoder, {4096, 1, 1, 1, 1, 0, 0, 0, 0});
  uint32_t tuned = 0;
  auto near = [&] { return tuned > kStation - 1000000 && tuned < kStation + 1000000; };
  module.handler = [&](uint32_t *r) -> uint32_t {
    const uint32_t op = r[requests::kOperationWord];
    uint32_t &result = r[tuner::kResultWord];
    if (op == tuner::kTune) tuned = r[tuner::kArgumentWord];
    if (op == tuner::kReadStatus) result = near() ? 3 : 4;
    if (op == tuner::kReadFrequency) result = tuned;
    if (op == tuner::kReadStandards) result = 256;
    return 1;
  };
  decoder.handler = [&](uint32_t *r) -> uint32_t {
    r[requests::decoder::kResultWord] = near() ? 1 : 0;  // every read is the signal lock here
    return 1;
  };
  IControlHub *hub = f.NewHub();
  ITunerControl *t = hub->GetTuner();
  EXPECT_EQ(t->AutoScan(), 1);
  ASSERT_EQ(t->GetChannelCount(), 1);
  EXPECT_EQ(t->GetChannelNumber(0), 23);
  EXPECT_EQ(static_cast<CTunerControl *>(t)->Channels().GetCount(), 1);
  tuning::CVarnTunerChannel c;
  static_cast<CTunerControl *>(t)->Channels().GetAt(0, &c);
  EXPECT_EQ(c.frequency, 487250000u);
  // Waiting: 2 T per entry, one T for the final tune of a found entry.
  EXPECT_EQ(f.m.clock.TotalSlept(), 58u * 300 + 150);
  hub->Release();
}

}  // namespace
}  // namespace tolven::testing
