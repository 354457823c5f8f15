// The virtual card as a receiver, driven through the driver's own hardware
// layer, and its configuration file.
#include <gtest/gtest.h>

#include "driver/hardware/tests/chip_rig.h"

namespace tolven::testing {
namespace {

using card::Sound;
using card::SoundCarrier;

constexpr uint32_t kStation = 487250000;
namespace tuner = requests::tuner;
namespace decoder = requests::decoder;
namespace xbar = requests::crossbar;

uint32_t Status(ChipRig &rig) {
  uint32_t r[tuner::kRecordWords] = {tuner::kReadStatus};
  return rig.requests.TunerRequest(r) ? r[tuner::kResultWord] : 0xFFu;
}
bool DecoderLocked(ChipRig &rig) {
  uint32_t r[decoder::kRequestWords] = {decoder::kReadSignalLock, 0, 0};
  rig.requests.DecoderRequest(r);
  return r[decoder::kResultWord] != 0;
}
void Tune(ChipRig &rig, uint32_t hz) {
  uint32_t r[tuner::kRecordWords] = {tuner::kTune, hz};
  ASSERT_EQ(rig.requests.TunerRequest(r), 1u);
}

TEST(Receiver, TuningOntoAStationLocksAfterTheSettlingTimeAndNotBefore) {
  card::CardConfig config = WithTuner(1, {MakeStation(kStation, Sound::Mono, SoundCarrier::I)});
  config.settleMs = 100;
  ChipRig rig(config);
  ASSERT_TRUE(rig.Open());
  Tune(rig, kStation);
  rig.clock.Sleep(99);
  EXPECT_EQ(Status(rig), 4u);  // type 1's no-signal value
  EXPECT_EQ(rig.card.Tuner()->Status() & 0x40, 0);
  EXPECT_FALSE(DecoderLocked(rig));
  rig.clock.Sleep(1);
  EXPECT_EQ(Status(rig), 2u);  // centred
  EXPECT_EQ(rig.card.Tuner()->Status() & 0x40, 0x40);
  EXPECT_TRUE(DecoderLocked(rig));
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), kStation);
}

TEST(Receiver, TuningTwoMegahertzOffReadsNoSignal) {
  ChipRig rig(WithTuner(1, {MakeStation(kStation, Sound::Mono, SoundCarrier::I)}));
  ASSERT_TRUE(rig.Open());
  for (uint32_t hz : {kStation + 2000000, kStation - 2000000}) {
    Tune(rig, hz);
    rig.clock.Sleep(500);
    EXPECT_EQ(Status(rig), 4u) << hz;
    EXPECT_FALSE(DecoderLocked(rig)) << hz;
  }
}

TEST(Receiver, TheAfcLevelFollowsTheOffsetToEitherSide) {
  ChipRig rig(WithTuner(4, {MakeStation(kStation, Sound::Mono, SoundCarrier::I)}));
  ASSERT_TRUE(rig.Open());
  Tune(rig, kStation + 500000);
  rig.clock.Sleep(150);
  EXPECT_EQ(Status(rig), 3u);  // tuned above
  Tune(rig, kStation - 500000);
  rig.clock.Sleep(150);
  EXPECT_EQ(Status(rig), 1u);  // tuned below
  Tune(rig, kStation + 5000000);
  rig.clock.Sleep(150);
  EXPECT_EQ(Status(rig), 7u);  // type 4's no-signal value
}

TEST(Receiver, AWeakStationReadsAsNoSignal) {
  ChipRig rig(WithTuner(1, {MakeStation(kStation, Sound::Mono, SoundCarrier::I, 4096, 10)}));
  ASSERT_TRUE(rig.Open());
  Tune(rig, kStation);
  rig.clock.Sleep(500);
  EXPECT_EQ(Status(rig), 4u);
  EXPECT_FALSE(DecoderLocked(rig));
}

TEST(Receiver, TheDecoderDetectsTheSelectedSourcesStandard) {
  card::CardConfig config =
      WithTuner(1, {MakeStation(kStation, Sound::Mono, SoundCarrier::I, kStdNtsc)});
  config.composite.standard = kStdSecam;
  config.sVideo.present = false;
  ChipRig rig(config);
  ASSERT_TRUE(rig.Open());
  Tune(rig, kStation);
  rig.clock.Sleep(150);
  EXPECT_EQ(rig.board.Decoder().CurrentStandard(), kStdNtsc);
  uint32_t route[xbar::kRecordWords] = {xbar::kRoute, 0, 7};  // composite
  rig.requests.CrossbarRequest(route);
  EXPECT_EQ(rig.board.Decoder().CurrentStandard(), kStdSecam);
  uint32_t svideo[xbar::kRecordWords] = {xbar::kRoute, 1, 7};
  rig.requests.CrossbarRequest(svideo);
  EXPECT_FALSE(DecoderLocked(rig));
  EXPECT_EQ(rig.board.Decoder().CurrentStandard(), kStdPal);  // free-running
}

TEST(Receiver, AudioReadingsFollowTheStationsSound) {
  const struct {
    Sound sound;
    uint16_t nicam;
    int16_t fm;
  } cases[] = {{Sound::NicamStereo, 0x01, 2}, {Sound::NicamDual, 0x05, 2}, {Sound::NicamMono, 0x03, 2},
               {Sound::Mono, 0, 2},           {Sound::FmStereo, 0, 64},     {Sound::FmDual, 0, -64}};
  for (const auto &c : cases) {
    ChipRig rig(WithTuner(2, {MakeStation(kStation, c.sound, SoundCarrier::BG)}));
    ASSERT_TRUE(rig.Open());
    Tune(rig, kStation);
    rig.clock.Sleep(150);
    rig.card.Audio().SetRegister(card::SimulatedAudio::kDemodulator, 0x20, 8);
    EXPECT_EQ(rig.card.Audio().NicamStatus(), c.nicam);
    rig.card.Audio().SetRegister(card::SimulatedAudio::kDemodulator, 0x20, 3);
    EXPECT_EQ(rig.card.Audio().FmDetector(), c.fm);
    rig.card.Audio().SetRegister(card::SimulatedAudio::kDemodulator, 0x20, 10);  // system I: not heard
    EXPECT_EQ(rig.card.Audio().NicamStatus(), 0);
  }
}

// ---------------------------------------------------------------------------

TEST(CardConfig, TheDefaultIsAUkBandOfSixStations) {
  card::CardConfig c = card::DefaultCardConfig();
  EXPECT_EQ(c.tunerType, 1);
  EXPECT_EQ(c.audioVersion, 0x0F0007u);
  ASSERT_EQ(c.stations.size(), 6u);
  EXPECT_EQ(c.stations[0].frequencyHz, 487250000u);  // plan channel 23
  EXPECT_EQ(c.stations[0].sound, Sound::NicamStereo);
  EXPECT_EQ(c.stations[1].sound, Sound::NicamDual);
  EXPECT_EQ(c.stations[2].sound, Sound::Mono);
  EXPECT_EQ(c.stations[5].strength, 30u);  // received, but its NICAM reads with errors
  for (const auto &s : c.stations) EXPECT_EQ((s.frequencyHz - 471250000u) % 8000000u, 0u);  // UHF raster
  EXPECT_FALSE(c.realTime);
}

TEST(CardConfig, FieldsOverrideAndErrorsAreReported) {
  card::CardConfig c;
  std::string error;
  ASSERT_TRUE(card::ParseCardConfig(R"({"tuner_type": 2, "audio_version": "0x230007",
      "stations": [{"frequency_hz": 55250000, "sound": "fm-dual", "carrier": "M", "standard": "NTSC"}],
      "display": {"bandwidth": 5, "divisors": [2, 3], "formats": ["YUY2"]}, "time": "real"})",
                                    &c, &error))
      << error;
  EXPECT_EQ(c.tunerType, 2);
  EXPECT_EQ(c.audioVersion, 0x230007u);
  ASSERT_EQ(c.stations.size(), 1u);
  EXPECT_EQ(c.stations[0].standard, 1u);
  EXPECT_EQ(c.stations[0].carrier, SoundCarrier::M);
  EXPECT_EQ(c.bandwidth, 5u);
  EXPECT_EQ(c.verticalDivisor, 3u);
  EXPECT_EQ(c.formats, std::vector<std::string>{"YUY2"});
  EXPECT_TRUE(c.realTime);
  EXPECT_FALSE(card::ParseCardConfig("{not json", &c, &error));
  EXPECT_FALSE(card::ParseCardConfig(R"({"tuner_type": "x"})", &c, &error));
  EXPECT_FALSE(card::ParseCardConfig(R"({"tuner_type": 11})", &c, &error));
  EXPECT_FALSE(card::ParseCardConfig(R"({"stations": [{"name": "no frequency"}]})", &c, &error));
  EXPECT_FALSE(card::ParseCardConfig(R"({"stations": [{"frequency_mhz": 1, "sound": "loud"}]})", &c, &error));
  EXPECT_FALSE(card::ParseCardConfig(R"({"display": {"formats": ["TOOLONG"]}})", &c, &error));
  EXPECT_FALSE(card::ParseCardConfig(R"({"time": "later"})", &c, &error));
  EXPECT_FALSE(card::LoadCardConfigFile("/nonexistent/card.json", &c, &error));
}

TEST(CardConfig, TheDefaultCardScansItsStations) {
  card::CardConfig config = card::DefaultCardConfig();
  ChipRig rig(config);
  ASSERT_TRUE(rig.Open());
  int found = 0;
  for (uint32_t hz = 471250000; hz <= 855250000; hz += 8000000) {
    Tune(rig, hz);
    rig.clock.Sleep(300);
    if (DecoderLocked(rig) && Status(rig) != 4u) ++found;
  }
  EXPECT_EQ(found, 6);  // the weak station is still above the usable strength
}

}  // namespace
}  // namespace tolven::testing
