// Crossbar routing per board variant, picture controls and the TV audio
// processor at the register level.
#include <gtest/gtest.h>

#include "driver/hardware/tests/chip_rig.h"

namespace tolven::testing {
namespace {

using P = std::pair<int, int>;
using card::Sound;
using card::SoundCarrier;
constexpr uint8_t kDec = 0x88;
constexpr int kAudioSub = 0x12, kDemodSub = 0x10;
namespace xbar = requests::crossbar;
namespace audio = requests::audio;
namespace procamp = requests::procamp;
namespace tuner = requests::tuner;

uint32_t Crossbar(ChipRig &rig, uint32_t op, int32_t a, int32_t b, uint32_t *r = nullptr) {
  uint32_t record[xbar::kRecordWords] = {op, static_cast<uint32_t>(a), static_cast<uint32_t>(b),
                                         0xEE, 0xEE, 0xEE, 0xEE};
  uint32_t answer = rig.requests.CrossbarRequest(record);
  // The answer words, from the first one an operation writes.
  if (r)
    for (uint32_t i = 0; i < 4; ++i) r[i] = record[xbar::kAnswerWord + i];
  return answer;
}

TEST(Crossbar, VariantOneRoutesTheVideoInputs) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  ASSERT_EQ(rig.board.Variant(), kVariantTuner);
  uint32_t r[4];
  // S-Video: selector 96, S-Video chroma.
  size_t from = rig.Mark();
  ASSERT_EQ(Crossbar(rig, xbar::kRoute, 1, 7, r), 1u);
  EXPECT_EQ(r[0], 1u);
  auto w = rig.Writes(kDec, from);
  ASSERT_FALSE(w.empty());
  EXPECT_EQ(w[0], P(0x01, 96));  // automatic standard: low bits 0
  EXPECT_NE(std::find(w.begin(), w.end(), P(0x15, 64)), w.end());
  EXPECT_NE(std::find(w.begin(), w.end(), P(0x1C, 0)), w.end());
  // Composite with a set standard: selector 64 with the standard's low bits.
  rig.board.Decoder().SetStandard(kStdPal);
  from = rig.Mark();
  Crossbar(rig, xbar::kRoute, 0, 7, r);
  w = rig.Writes(kDec, from);
  EXPECT_EQ(w[0], P(0x01, 64 | 4));
  EXPECT_NE(std::find(w.begin(), w.end(), P(0x15, 0)), w.end());
  EXPECT_NE(std::find(w.begin(), w.end(), P(0x1C, 2)), w.end());
  EXPECT_EQ(rig.board.Crossbar().VideoInput(), 0);
  // Tuner: selector 0.
  from = rig.Mark();
  Crossbar(rig, xbar::kRoute, 2, 7, r);
  EXPECT_EQ(rig.Writes(kDec, from)[0], P(0x01, 4));
}

TEST(Crossbar, TheFeatureInputEntersDigitalModeAndAnotherInputLeavesIt) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  uint32_t r[4];
  Crossbar(rig, xbar::kRoute, 3, 7, r);
  EXPECT_EQ(r[0], 1u);
  EXPECT_TRUE(rig.board.Decoder().DigitalInput());
  EXPECT_EQ(rig.card.Decoder().Register(0x23), 65);
  Crossbar(rig, xbar::kRoute, 0, 7, r);
  EXPECT_FALSE(rig.board.Decoder().DigitalInput());
  EXPECT_EQ(rig.card.Decoder().Register(0x23), 0);
  EXPECT_EQ(rig.card.Decoder().Register(0x24), 97);
}

TEST(Crossbar, AudioRoutesSetTheSourceAndMutingAnswersFalse) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  EXPECT_TRUE(rig.board.Audio().Muted());  // initialisation ends muted
  uint32_t r[4];
  Crossbar(rig, xbar::kRoute, 4, 8, r);
  EXPECT_EQ(r[0], 1u);
  EXPECT_EQ(rig.board.Audio().Source(), 1u);
  EXPECT_FALSE(rig.board.Audio().Muted());
  Crossbar(rig, xbar::kRoute, 6, 8, r);
  EXPECT_EQ(rig.board.Audio().Source(), 0u);
  EXPECT_EQ(rig.board.Crossbar().AudioInput(), 6);
  Crossbar(rig, xbar::kRoute, -1, 8, r);
  EXPECT_EQ(r[0], 0u);
  EXPECT_TRUE(rig.board.Audio().Muted());
  EXPECT_EQ(rig.board.Crossbar().AudioInput(), -1);
  // Other pairs answer false and change nothing.
  Crossbar(rig, xbar::kRoute, 6, 7, r);
  EXPECT_EQ(r[0], 0u);
  EXPECT_EQ(rig.board.Crossbar().VideoInput(), 2);
}

TEST(Crossbar, PinsCanRouteAndRoutingQueriesPerVariant) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  uint32_t r[4];
  ASSERT_EQ(Crossbar(rig, xbar::kPinInfo, 6, 0, r), 1u);
  EXPECT_EQ(std::vector<uint32_t>(r, r + 4), (std::vector<uint32_t>{1, 6, 2, 4097}));
  ASSERT_EQ(Crossbar(rig, xbar::kPinInfo, 8, 0, r), 1u);
  EXPECT_EQ(std::vector<uint32_t>(r, r + 4), (std::vector<uint32_t>{0, 8, 7, 4098}));
  EXPECT_EQ(Crossbar(rig, xbar::kPinInfo, 9, 0, r), 0u);
  EXPECT_EQ(Crossbar(rig, xbar::kPinInfo, -1, 0, r), 0u);
  Crossbar(rig, xbar::kCanRoute, 3, 7, r);
  EXPECT_EQ(r[0], 1u);
  Crossbar(rig, xbar::kCanRoute, 4, 7, r);
  EXPECT_EQ(r[0], 0u);
  Crossbar(rig, xbar::kCanRoute, -1, 8, r);
  EXPECT_EQ(r[0], 1u);
  // After initialisation: tuner video to the output, audio muted.
  Crossbar(rig, xbar::kRouting, 7, 0, r);
  EXPECT_EQ(static_cast<int32_t>(r[0]), 2);
  EXPECT_EQ(r[1], 7u);
  Crossbar(rig, xbar::kRouting, 2, 0, r);
  EXPECT_EQ(r[0], 2u);
  EXPECT_EQ(r[1], 7u);
  Crossbar(rig, xbar::kRouting, 0, 0, r);
  EXPECT_EQ(static_cast<int32_t>(r[1]), -1);
  Crossbar(rig, xbar::kRouting, 8, 0, r);
  EXPECT_EQ(static_cast<int32_t>(r[0]), -1);
  Crossbar(rig, xbar::kRoute, 5, 8, r);
  Crossbar(rig, xbar::kRouting, 5, 0, r);
  EXPECT_EQ(r[1], 8u);
  uint32_t unknown[xbar::kRecordWords] = {xbar::kRouting + 1, 0, 0, 0xEE, 0, 0, 0};
  EXPECT_EQ(rig.requests.CrossbarRequest(unknown), 0u);
  EXPECT_EQ(unknown[xbar::kAnswerWord], 0xEEu);
}

TEST(Crossbar, VariantZeroHasThreePinsAndTheFeatureInput) {
  ChipRig rig(WithTuner(-1));
  ASSERT_TRUE(rig.Open());
  ASSERT_EQ(rig.board.Variant(), kVariantNoTuner);
  EXPECT_EQ(rig.board.Crossbar().PinCount(), 3);
  uint32_t r[4];
  Crossbar(rig, xbar::kRoute, 1, 2, r);
  EXPECT_EQ(r[0], 1u);
  EXPECT_TRUE(rig.board.Decoder().DigitalInput());
  Crossbar(rig, xbar::kRoute, 0, 2, r);
  EXPECT_EQ(rig.card.Decoder().Register(0x01) & 0x60, 64);
  Crossbar(rig, xbar::kCanRoute, 1, 2, r);
  EXPECT_EQ(r[0], 1u);
  Crossbar(rig, xbar::kCanRoute, -1, 2, r);
  EXPECT_EQ(r[0], 0u);
}

TEST(Crossbar, VariantTwoHasTheSecondTunerConnectorAndTwoAudioSources) {
  ChipRig rig(WithTuner(7));
  ASSERT_TRUE(rig.Open());
  ASSERT_EQ(rig.board.Variant(), kVariantTunerType7);
  EXPECT_EQ(rig.board.Crossbar().PinCount(), 11);
  uint32_t r[4];
  Crossbar(rig, xbar::kRoute, 3, 9, r);
  EXPECT_EQ(r[0], 1u);
  EXPECT_EQ(rig.card.Decoder().Register(0x01) & 0x60, 32);
  Crossbar(rig, xbar::kRoute, 8, 10, r);
  EXPECT_EQ(rig.board.Audio().Source(), 2u);
  Crossbar(rig, xbar::kRoute, 5, 10, r);
  EXPECT_EQ(rig.board.Audio().Source(), 1u);
  Crossbar(rig, xbar::kRoute, 4, 9, r);
  EXPECT_TRUE(rig.board.Decoder().DigitalInput());
  Crossbar(rig, xbar::kPinInfo, 2, 0, r);
  EXPECT_EQ(std::vector<uint32_t>(r, r + 4), (std::vector<uint32_t>{1, 2, 7, 10}));
}

// ---------------------------------------------------------------------------

TEST(ProcAmp, SaturationWritesItsCompanionRegisterPerStandard) {
  ChipRig rig;
  rig.board.Decoder().SetStandard(kStdSecam);
  size_t from = rig.Mark();
  uint32_t set[procamp::kRequestWords] = {procamp::SetOperation(procamp::kSaturation), 254};
  ASSERT_EQ(rig.requests.ProcAmpRequest(set), 1u);
  auto w = rig.Writes(kDec, from);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0], P(0x12, 254));
  EXPECT_EQ(w[1], P(0x13, 250));
  rig.board.Decoder().SetStandard(kStdPal);
  from = rig.Mark();
  uint32_t pal[procamp::kRequestWords] = {procamp::SetOperation(procamp::kSaturation), 200};
  rig.requests.ProcAmpRequest(pal);
  w = rig.Writes(kDec, from);
  EXPECT_EQ(w.back(), P(0x13, 200 * 180 / 254));
  uint32_t get[procamp::kRequestWords] = {procamp::ReadOperation(procamp::kSaturation), 0};
  rig.requests.ProcAmpRequest(get);
  EXPECT_EQ(get[procamp::kValueWord], 200u);
}

TEST(ProcAmp, RegistersRangesAndFixedAnswers) {
  ChipRig rig;
  const std::pair<uint32_t, uint8_t> regs[] = {
      {procamp::kBrightness, 0x10}, {procamp::kContrast, 0x11}, {procamp::kHue, 0x14}};
  for (auto [property, reg] : regs) {
    size_t from = rig.Mark();
    uint32_t r[procamp::kRequestWords] = {procamp::SetOperation(property), 77};
    rig.requests.ProcAmpRequest(r);
    EXPECT_EQ(rig.Writes(kDec, from), (std::vector<P>{{reg, 77}}));
    uint32_t g[procamp::kRequestWords] = {procamp::ReadOperation(property), 0};
    rig.requests.ProcAmpRequest(g);
    EXPECT_EQ(g[procamp::kValueWord], 77u);
  }
  // A property this card does not have is accepted and changes nothing.
  size_t from = rig.Mark();
  uint32_t other[procamp::kRequestWords] = {procamp::SetOperation(procamp::kWhiteBalance), 5};
  EXPECT_EQ(rig.requests.ProcAmpRequest(other), 1u);
  EXPECT_EQ(rig.Mark(), from);
  uint32_t colour[procamp::kRequestWords] = {procamp::ReadOperation(procamp::kColourEnable), 9};
  rig.requests.ProcAmpRequest(colour);
  EXPECT_EQ(colour[procamp::kValueWord], 1u);
  uint32_t gamma[procamp::kRequestWords] = {procamp::ReadOperation(procamp::kGammaCorrection), 9};
  rig.requests.ProcAmpRequest(gamma);
  EXPECT_EQ(gamma[procamp::kValueWord], 0u);
  uint32_t unknown[procamp::kRequestWords] = {procamp::ReadOperation(procamp::kPropertyCount), 9};
  EXPECT_EQ(rig.requests.ProcAmpRequest(unknown), 0u);
  EXPECT_EQ(unknown[procamp::kValueWord], 9u);
  uint32_t d[procamp::kDescriptionWords];
  rig.requests.ProcAmpDescribe(d);
  EXPECT_EQ(std::vector<uint32_t>(d, d + 16),
            (std::vector<uint32_t>{0xFFFFFFFF, 127, 1, 0, 0, 255, 1, 57, 0, 255, 1, 0, 0, 255, 1, 127}));
  for (uint32_t i = 16; i < procamp::kDescriptionWords; ++i) EXPECT_EQ(d[i], 0u);
}

// ---------------------------------------------------------------------------

TEST(TvAudio, MutingTwiceWritesTheRegistersOnce) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  rig.board.Audio().Mute(false);
  size_t from = rig.Mark();
  rig.board.Audio().Mute(true);
  rig.board.Audio().Mute(true);
  EXPECT_EQ(rig.AudioWrites(from),
            (std::vector<ChipRig::WordWrite>{{kAudioSub, 0x00, 4094}, {kAudioSub, 0x07, 0}}));
  from = rig.Mark();
  rig.board.Audio().Mute(false);
  EXPECT_EQ(rig.AudioWrites(from),
            (std::vector<ChipRig::WordWrite>{{kAudioSub, 0x00, 0x7300}, {kAudioSub, 0x07, 0x4000}}));
  // Volume goes to the second output only while not muted.
  uint32_t volume[audio::kRequestWords] = {audio::kSetRawVolume, 0x2000};
  from = rig.Mark();
  rig.requests.AudioRequest(volume);
  EXPECT_EQ(rig.AudioWrites(from), (std::vector<ChipRig::WordWrite>{{kAudioSub, 0x07, 0x2000}}));
  rig.board.Audio().Mute(true);
  from = rig.Mark();
  uint32_t quiet[audio::kRequestWords] = {audio::kSetRawVolume, 0x1000};
  rig.requests.AudioRequest(quiet);
  EXPECT_TRUE(rig.AudioWrites(from).empty());
  uint32_t get[audio::kRequestWords] = {audio::kReadRawVolume, 0};
  rig.requests.AudioRequest(get);
  EXPECT_EQ(get[audio::kValueWord], 0x1000u);
}

TEST(TvAudio, InitialiseResetsAndWritesItsRegisters) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.board.Detect());
  size_t from = rig.Mark();
  rig.board.Audio().Initialise();
  auto blocks = rig.Blocks(0x80, from);
  ASSERT_GE(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], (std::vector<uint8_t>{0x00, 0x80, 0x00}));
  EXPECT_EQ(blocks[1], (std::vector<uint8_t>{0x00, 0x00, 0x00}));
  EXPECT_EQ(rig.AudioWrites(from), (std::vector<ChipRig::WordWrite>{
                                       {kDemodSub, 0x20, 1}, {kDemodSub, 0x21, 1}, {kAudioSub, 0x00, 0},
                                       {kAudioSub, 0x07, 4094}, {kAudioSub, 0x01, 0}, {kAudioSub, 0x02, 0},
                                       {kAudioSub, 0x03, 0}, {kAudioSub, 0x04, 0}, {kAudioSub, 0x05, 0},
                                       {kAudioSub, 0x0D, 0x1900}}));
}

// Tunes the station and lets the PLL settle.
void TuneAndSettle(ChipRig &rig, uint32_t hz) {
  uint32_t r[tuner::kRecordWords] = {tuner::kTune, hz};
  ASSERT_EQ(rig.requests.TunerRequest(r), 1u);
  rig.clock.Sleep(200);
}

void SetAudio(ChipRig &rig, uint32_t op, uint32_t value) {
  uint32_t r[audio::kRequestWords] = {op, value};
  rig.requests.AudioRequest(r);
}

TEST(TvAudio, NicamIOnATypeOneTunerFindsStereo) {
  ChipRig rig(WithTuner(1, {MakeStation(487250000, Sound::NicamStereo, SoundCarrier::I)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 487250000);
  SetAudio(rig, audio::kSetLanguage, 1);  // mode 1
  size_t from = rig.Mark();
  SetAudio(rig, audio::kSetMode, 0x80000000u);
  EXPECT_EQ(rig.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{10}));
  EXPECT_EQ(rig.board.Audio().Result(), 1);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 0);
  EXPECT_EQ(rig.board.Audio().AvailableModes(), 3u);
  EXPECT_EQ(rig.board.Audio().CurrentModes(), 3u);
  // Program 0: NICAM source, stereo matrix, switch 800|3072, prescale 0x10.
  auto w = rig.AudioWrites(from);
  ASSERT_GE(w.size(), 5u);
  EXPECT_EQ(std::vector<ChipRig::WordWrite>(w.end() - 5, w.end()),
            (std::vector<ChipRig::WordWrite>{{kAudioSub, 0x08, 0x120}, {kAudioSub, 0x0A, 0x120},
                                             {kAudioSub, 0x0C, 0x120}, {kAudioSub, 0x13, 800 | 3072},
                                             {kAudioSub, 0x10, 0x5A00}}));
  EXPECT_EQ(rig.clock.Milliseconds() >= 500, true);
}

TEST(TvAudio, NicamStatusWithTheErrorBitYieldsNoneAndProgramSix) {
  ChipRig rig(WithTuner(1, {MakeStation(487250000, Sound::NicamStereo, SoundCarrier::I, 4096, 30)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 487250000);
  SetAudio(rig, audio::kSetMode, 0x80000000u);
  EXPECT_EQ(rig.board.Audio().Result(), kAudioNone);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 6);
  // Program 6 on a type-1 tuner: source 2, switch 256|3072, prescale 0x0E = 0x2400.
  EXPECT_EQ(rig.AudioValues(kAudioSub, 0x08).back(), 0x200);
  EXPECT_EQ(rig.AudioValues(kAudioSub, 0x13).back(), 256 | 3072);
  EXPECT_EQ(rig.AudioValues(kAudioSub, 0x0E).back(), 0x2400);
}

TEST(TvAudio, NicamDualFollowsTheRequestedMode) {
  ChipRig rig(WithTuner(1, {MakeStation(511250000, Sound::NicamDual, SoundCarrier::I)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 511250000);
  SetAudio(rig, audio::kSetLanguage, 2);
  SetAudio(rig, audio::kSetMode, 0x80000000u);
  EXPECT_EQ(rig.board.Audio().Result(), 5);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 2);
  EXPECT_EQ(rig.board.Audio().CurrentModes(), 7u);
  uint32_t masks[audio::kRequestWords] = {audio::kReadLanguageFlags, 0};
  rig.requests.AudioRequest(masks);
  EXPECT_EQ(masks[audio::kValueWord], 7u);
}

TEST(TvAudio, TypeTwoTriesTheOtherSystemAndSwitchesItsPreference) {
  ChipRig rig(WithTuner(2, {MakeStation(487250000, Sound::NicamStereo, SoundCarrier::BG)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 487250000);
  size_t from = rig.Mark();
  EXPECT_EQ(rig.board.Audio().AutoDetect(), 1);
  EXPECT_EQ(rig.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{3, 8}));  // FM B/G, then NICAM B/G
  EXPECT_TRUE(rig.board.Audio().PreferNicamBG());
  from = rig.Mark();
  EXPECT_EQ(rig.board.Audio().AutoDetect(), 1);
  EXPECT_EQ(rig.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{8}));  // preferred first
  // An FM stereo station: NICAM finds nothing, FM does, and becomes preferred again.
  ChipRig fm(WithTuner(2, {MakeStation(487250000, Sound::FmStereo, SoundCarrier::BG)}));
  ASSERT_TRUE(fm.Open());
  TuneAndSettle(fm, 487250000);
  EXPECT_EQ(fm.board.Audio().AutoDetect(), kAudioFmStereo);
  EXPECT_FALSE(fm.board.Audio().PreferNicamBG());
  EXPECT_EQ(fm.board.Audio().AvailableModes(), 9u);
}

TEST(TvAudio, TypeTwoWithNothingFoundKeepsItsPreference) {
  ChipRig rig(WithTuner(2));
  ASSERT_TRUE(rig.Open());
  size_t from = rig.Mark();
  EXPECT_EQ(rig.board.Audio().AutoDetect(), kAudioNone);
  EXPECT_EQ(rig.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{3, 8}));
  EXPECT_FALSE(rig.board.Audio().PreferNicamBG());
  EXPECT_EQ(rig.board.Audio().AvailableModes(), 1u);
}

TEST(TvAudio, TypeThreeRunsTheOtherSystemOnlyAfterAFind) {
  // Nothing from FM D/K1: neither D/K2 nor NICAM D/K is tried.
  ChipRig quiet(WithTuner(3));
  ASSERT_TRUE(quiet.Open());
  size_t from = quiet.Mark();
  EXPECT_EQ(quiet.board.Audio().AutoDetect(), kAudioNone);
  EXPECT_EQ(quiet.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{4}));
  // FM stereo on D/K1: D/K2 runs next and its answer (nothing) stands.
  ChipRig rig(WithTuner(3, {MakeStation(487250000, Sound::FmStereo, SoundCarrier::DK1)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 487250000);
  from = rig.Mark();
  EXPECT_EQ(rig.board.Audio().AutoDetect(), kAudioNone);
  EXPECT_EQ(rig.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{4, 5}));
  EXPECT_FALSE(rig.board.Audio().PreferDK2());
  // FM stereo heard on both D/K standards: the second find switches to D/K2,
  // then NICAM D/K runs and its nothing is the answer.
  ChipRig both(WithTuner(3, {MakeStation(487250000, Sound::FmStereo, SoundCarrier::DK1),
                             MakeStation(487250000, Sound::FmStereo, SoundCarrier::DK2)}));
  ASSERT_TRUE(both.Open());
  TuneAndSettle(both, 487250000);
  from = both.Mark();
  both.board.Audio().AutoDetect();
  auto standards = both.AudioValues(kDemodSub, 0x20, from);
  ASSERT_GE(standards.size(), 2u);
  EXPECT_EQ(standards[0], 4);
}

TEST(TvAudio, TypeZeroFmMStereoAndForcedStandards) {
  ChipRig rig(WithTuner(0, {MakeStation(55250000, Sound::FmStereo, SoundCarrier::M, kStdNtsc)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 55250000);
  SetAudio(rig, audio::kSetLanguage, 1);
  SetAudio(rig, audio::kSetMode, 0x80000000u);
  EXPECT_EQ(rig.board.Audio().Result(), kAudioFmStereo);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 3);
  EXPECT_EQ(rig.board.Audio().AvailableModes(), 65u);
  // Forced FM M (64) on a mono station repeats FM M and calls it stereo.
  ChipRig mono(WithTuner(0, {MakeStation(55250000, Sound::Mono, SoundCarrier::M, kStdNtsc)}));
  ASSERT_TRUE(mono.Open());
  TuneAndSettle(mono, 55250000);
  size_t from = mono.Mark();
  SetAudio(mono, audio::kSetMode, 64);
  EXPECT_EQ(mono.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{2, 2}));
  EXPECT_EQ(mono.board.Audio().Result(), kAudioFmStereo);
}

TEST(TvAudio, TypeOneForcedStandards) {
  ChipRig rig(WithTuner(1, {MakeStation(487250000, Sound::Mono, SoundCarrier::I)}));
  ASSERT_TRUE(rig.Open());
  TuneAndSettle(rig, 487250000);
  size_t from = rig.Mark();
  SetAudio(rig, audio::kSetMode, 1);
  EXPECT_EQ(rig.board.Audio().Result(), kAudioNone);
  auto w = rig.AudioWrites(from);
  ASSERT_GE(w.size(), 2u);
  EXPECT_EQ(w[0], (ChipRig::WordWrite{kAudioSub, 0x0E, 0x2401}));
  EXPECT_EQ(w[1], (ChipRig::WordWrite{kAudioSub, 0x15, 0}));
  // NICAM forced on a station without it: repeated, and taken as 17.
  from = rig.Mark();
  SetAudio(rig, audio::kSetMode, 2);
  EXPECT_EQ(rig.AudioValues(kDemodSub, 0x20, from), (std::vector<int>{10, 10}));
  EXPECT_EQ(rig.board.Audio().Result(), 17);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 0);
  // A standard this region does not have only stores the mode.
  from = rig.Mark();
  SetAudio(rig, audio::kSetMode, 64);
  EXPECT_TRUE(rig.AudioWrites(from).empty());
}

TEST(TvAudio, AlternativeSourcesUseTheirPrograms) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  rig.board.Audio().SetSource(1);
  SetAudio(rig, audio::kSetLanguage, 2);
  SetAudio(rig, audio::kSetMode, 131072);
  EXPECT_EQ(rig.board.Audio().Result(), kAudioAltDual);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 9);
  EXPECT_EQ(rig.board.Audio().CurrentModes(), 3u);
  rig.board.Audio().SetSource(2);
  SetAudio(rig, audio::kSetMode, 1);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 14);
  SetAudio(rig, audio::kSetMode, 65536);
  EXPECT_EQ(rig.board.Audio().LastProgram(), 11);
  EXPECT_EQ(rig.AudioValues(kAudioSub, 0x13).back(), 512 | 3072);
}

TEST(TvAudio, DescriptionByTunerTypeAndVersion) {
  struct Case {
    int type;
    uint32_t version;
    uint32_t standards, modes;
  } cases[] = {
      {1, 0x0F0007, 0x80000003, 7}, {2, 0x0F0007, 0x8000000B, 7}, {0, 0x0F0007, 0x80000041, 3},
      {0, 0x230007, 0x80000005, 3}, {0, 0x370007, 0x80000055, 3}, {7, 0x0F0007, 1, 0},
  };
  for (const Case &c : cases) {
    card::CardConfig config = WithTuner(c.type);
    config.audioVersion = c.version;
    ChipRig rig(config);
    rig.board.Detect();
    uint32_t d[audio::kDescriptionWords] = {};
    ASSERT_EQ(rig.requests.AudioDescribe(d), 1u);
    EXPECT_EQ(d[audio::kTunerModes], c.standards) << c.type;
    EXPECT_EQ(d[audio::kTunerLanguages], c.modes) << c.type;
    EXPECT_EQ(std::vector<uint32_t>(d + 2, d + 8), (std::vector<uint32_t>{0x30001, 3, 0, 32512, 256, 16384}));
  }
  ChipRig none(WithTuner(-1));
  none.board.Detect();
  uint32_t d[audio::kDescriptionWords];
  none.requests.AudioDescribe(d);
  EXPECT_EQ(std::vector<uint32_t>(d, d + 8), (std::vector<uint32_t>{1, 0, 1, 0, 0, 0, 0, 0}));
}

TEST(TvAudio, AnUnsupportedVersionFailsTheBoardsDetection) {
  card::CardConfig config = WithTuner(1);
  config.audioVersion = 0x0A0004;
  ChipRig rig(config);
  EXPECT_FALSE(rig.board.Detect());
  EXPECT_EQ(rig.board.Audio().Version(), 0x0A0004);
}

TEST(TvAudio, SetOwnerMutesAndUnmutes) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  rig.board.Audio().SetOwner(1);
  EXPECT_FALSE(rig.board.Audio().Muted());
  rig.board.Audio().SetOwner(2);
  EXPECT_TRUE(rig.board.Audio().Muted());
  EXPECT_EQ(rig.board.Audio().Owner(), 2u);
}

}  // namespace
}  // namespace tolven::testing
