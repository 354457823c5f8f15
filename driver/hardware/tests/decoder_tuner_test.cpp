// The video decoder and the tuner module at the register level.
#include <gtest/gtest.h>

#include "driver/hardware/tests/chip_rig.h"

namespace tolven::testing {
namespace {

using P = std::pair<int, int>;
constexpr uint8_t kDec = 0x88;
namespace decoder = requests::decoder;
namespace tuner = requests::tuner;
namespace port = requests::videoport;

TEST(DecoderInitialise, WaitsForTheChipThenWritesItsRegistersInOrder) {
  card::CardConfig config;
  config.decoderReadyMs = 2;  // two rounds of waiting
  ChipRig rig(config);
  size_t from = rig.Mark();
  ASSERT_TRUE(rig.board.Decoder().Initialise());
  auto w = rig.Writes(kDec, from);
  const std::vector<P> round = {{0xFC, 0}, {0x24, 0}, {0x27, 0}, {0x2A, 0}, {0x27, 12}, {0x2A, 14}};
  std::vector<P> expected;
  for (int i = 0; i < 2; ++i) expected.insert(expected.end(), round.begin(), round.end());
  expected.push_back({0xFC, 0});  // third round: ready, stop
  const std::vector<P> initial = {
      {0x01, 0},   {0x0E, 0},   {0x0F, 0},   {0x15, 0},   {0x16, 28},  {0x17, 9},
      {0x18, 36},  {0x19, 0},   {0x1A, 127}, {0x1B, 114}, {0x1C, 2},   {0x1D, 207},
      {0x1E, 127}, {0x1F, 130}, {0x23, 0},   {0x25, 0},   {0x26, 0},   {0x27, 12},
      {0x2A, 14},  {0x2B, 0},   {0x2C, 0},   {0xFB, 0},   {0x24, 97}};
  expected.insert(expected.end(), initial.begin(), initial.end());
  ASSERT_GE(w.size(), expected.size());
  EXPECT_EQ(std::vector<P>(w.begin(), w.begin() + expected.size()), expected);
  EXPECT_EQ(rig.clock.TotalSlept() >= 2, true);
  // It ends in automatic detection.
  EXPECT_EQ(rig.board.Decoder().StoredStandard(), kStdAutomatic);
}

TEST(DecoderInitialise, GivesUpAfterFiftyOneRounds) {
  card::CardConfig config;
  config.decoderReadyMs = 1000000;
  ChipRig rig(config);
  size_t from = rig.Mark();
  rig.board.Decoder().Initialise();
  int polls = 0;
  for (const P &p : rig.Writes(kDec, from))
    if (p == P{0xFC, 0}) ++polls;
  // 51 waiting rounds, then the scaling's standard detections poll again.
  EXPECT_GE(polls, 51);
  EXPECT_EQ(rig.clock.SleepCount() >= 51, true);
}

TEST(DecoderStandard, SecamProgramsItsRegistersAndKeepsTheInputBits) {
  ChipRig rig;
  rig.card.Decoder().SetRegister(0x01, 0x6F);
  size_t from = rig.Mark();
  rig.board.Decoder().SetStandard(kStdSecam);
  auto w = rig.Writes(kDec, from);
  ASSERT_GE(w.size(), 5u);
  EXPECT_EQ(std::vector<P>(w.begin(), w.begin() + 5),
            (std::vector<P>{{0x1A, 127}, {0x1B, 160}, {0x15, 16}, {0x16, 14}, {0x01, 0x69}}));
  EXPECT_EQ(rig.board.Decoder().StoredStandard(), kStdSecam);
}

TEST(DecoderStandard, EveryCodeSetsItsInputBits) {
  const std::pair<uint32_t, int> codes[] = {{1, 1},    {2, 2},     {8, 1},     {256, 9},  {4096, 4},
                                            {8192, 5}, {16384, 6}, {32768, 7}, {65536, 8}};
  for (auto [code, bits] : codes) {
    ChipRig rig;
    rig.board.Decoder().SetStandard(code);
    EXPECT_EQ(rig.card.Decoder().Register(0x01) & 0x0F, bits) << code;
  }
}

TEST(DecoderStandard, AutomaticLeavesTheAveragingRegistersAndDetectsLater) {
  ChipRig rig(WithTuner(1, {MakeStation(487250000, card::Sound::Mono, card::SoundCarrier::I, kStdSecam)}));
  ASSERT_TRUE(rig.Open());
  rig.board.Decoder().SetStandard(kStdPal);
  size_t from = rig.Mark();
  rig.board.Decoder().SetStandard(kStdAutomatic);
  auto w = rig.Writes(kDec, from);
  // The set itself writes only register 0x01 (low bits 0) before rescaling.
  ASSERT_FALSE(w.empty());
  EXPECT_EQ(w[0].first, 0x01);
  EXPECT_EQ(w[0].second & 0x0F, 0);
  // Queries now detect what the tuned station sends.
  uint32_t request[tuner::kRecordWords] = {tuner::kTune, 487250000};
  ASSERT_EQ(rig.requests.TunerRequest(request), 1u);
  rig.clock.Sleep(150);
  uint32_t query[decoder::kRequestWords] = {decoder::kReadDetectedStandard, 0, 0};
  ASSERT_EQ(rig.requests.DecoderRequest(query), 1u);
  EXPECT_EQ(query[decoder::kResultWord], kStdSecam);
  uint32_t stored[decoder::kRequestWords] = {decoder::kReadVideoStandard, 0, 0};
  rig.requests.DecoderRequest(stored);
  EXPECT_EQ(stored[decoder::kResultWord], kStdAutomatic);
}

TEST(DecoderStandard, DetectionWithoutASignalFallsBackOnTheLineCount) {
  ChipRig rig(WithTuner(1));
  rig.board.Decoder().SetStandard(kStdAutomatic);
  EXPECT_EQ(rig.board.Decoder().CurrentStandard(), kStdPal);  // free-running at 625 lines
}

struct ScaleCase {
  uint32_t standard;
  BoardRect window;
  ScalingResult expected;
};

TEST(DecoderScaling, RegistersForSeveralWindowsAndStandards) {
  const ScaleCase cases[] = {
      // Full PAL picture: field height reduced to T7 = 284 lines.
      {kStdPal, {0, 0, 768, 575}, {38, 568, 160, 768, 778, 0, 0, 0, 768, 570}},
      // Quarter NTSC picture.
      {kStdNtsc, {0, 0, 320, 240}, {26, 500, 66, 320, 5248, 0, 1, 0, 640, 480}},
      // A small PAL window: level 3 decimation, padded scaled width.
      {kStdPal, {0, 0, 100, 100}, {42, 568, 22, 100, 31558, 7250, 3, 0, 768, 570}},
      // SECAM full picture: field bits 16.
      {kStdSecam, {0, 0, 768, 575}, {38, 568, 160, 768, 778, 0, 0, 16, 768, 570}},
      // SECAM small picture: field bits 24.
      {kStdSecam, {0, 0, 100, 100}, {42, 568, 22, 100, 31558, 7250, 3, 24, 768, 570}},
  };
  for (const ScaleCase &c : cases) {
    ChipRig rig;
    rig.board.Decoder().SetStandard(c.standard);
    size_t from = rig.Mark();
    rig.board.Decoder().ScaleTo(c.window);
    const ScalingResult &r = rig.board.Decoder().LastScaling();
    EXPECT_EQ(r.verticalDelay, c.expected.verticalDelay) << c.standard;
    EXPECT_EQ(r.verticalActive, c.expected.verticalActive) << c.standard;
    EXPECT_EQ(r.horizontalDelay, c.expected.horizontalDelay) << c.standard;
    EXPECT_EQ(r.horizontalActive, c.expected.horizontalActive) << c.standard;
    EXPECT_EQ(r.horizontalScale, c.expected.horizontalScale) << c.standard;
    EXPECT_EQ(r.verticalScale, c.expected.verticalScale) << c.standard;
    EXPECT_EQ(r.decimation, c.expected.decimation) << c.standard;
    EXPECT_EQ(r.fieldBits, c.expected.fieldBits) << c.standard;
    EXPECT_EQ(r.captureWidth, c.expected.captureWidth) << c.standard;
    EXPECT_EQ(r.captureHeight, c.expected.captureHeight) << c.standard;
    // The registers carry the same values, low byte first.
    const auto &d = rig.card.Decoder();
    EXPECT_EQ(d.Register(0x02) | d.Register(0x03) << 8, static_cast<int>(c.expected.verticalDelay));
    EXPECT_EQ(d.Register(0x04) | d.Register(0x05) << 8, static_cast<int>(c.expected.verticalActive));
    EXPECT_EQ(d.Register(0x06) | d.Register(0x07) << 8, static_cast<int>(c.expected.horizontalDelay));
    EXPECT_EQ(d.Register(0x08) | d.Register(0x09) << 8, static_cast<int>(c.expected.horizontalActive));
    EXPECT_EQ(d.Register(0x0A) | d.Register(0x0B) << 8, static_cast<int>(c.expected.horizontalScale));
    EXPECT_EQ(d.Register(0x0C) | d.Register(0x0D) << 8, static_cast<int>(c.expected.verticalScale));
    EXPECT_EQ(d.Register(0x15) & 0x18, static_cast<int>(c.expected.fieldBits));
    auto w = rig.Writes(kDec, from);
    ASSERT_GE(w.size(), 2u);
    const bool secam = c.standard == kStdSecam, ntsc = c.standard == kStdNtsc;
    EXPECT_EQ(w[0], P(0x1A, ntsc ? 104 : 127));
    EXPECT_EQ(w[1], P(0x1B, ntsc ? 93 : secam ? 160 : 114));
  }
}

TEST(DecoderScaling, NarrowWindowsAreWidenedAndTallOnesReduced) {
  ChipRig rig;
  rig.board.Decoder().SetStandard(kStdPal);
  rig.board.Decoder().ScaleTo(BoardRect{0, 0, 10, 1000});
  const ScalingResult &r = rig.board.Decoder().LastScaling();
  EXPECT_EQ(r.horizontalActive, 48u);  // T2
  // H = T7 = 284 lines: no extra decimation, vertical scale 0.
  EXPECT_EQ(r.verticalScale, 0u);
  rig.board.Decoder().ScaleTo(BoardRect{0, 0, 2000, 100});
  EXPECT_EQ(rig.board.Decoder().LastScaling().horizontalActive, 768u);  // T5
  // A window of one line is raised to T6 = 36 lines.
  rig.board.Decoder().ScaleTo(BoardRect{0, 0, 300, 1});
  EXPECT_EQ(rig.board.Decoder().LastScaling().verticalScale,
            static_cast<uint32_t>((512 - 284 * 512 / 36) & 0x1FFF));
}

TEST(DecoderClip, DestinationIsClippedToTheStandardsPicture) {
  ChipRig rig;
  rig.board.Decoder().SetStandard(kStdNtsc);
  BoardRect r{10, 20, 1010, 520};
  ASSERT_TRUE(rig.board.Decoder().ClipDestination(&r));
  EXPECT_EQ(r, (BoardRect{10, 20, 650, 500}));
  BoardRect small{0, 0, 640, 480};  // 480 high stays
  rig.board.Decoder().ClipDestination(&small);
  EXPECT_EQ(small, (BoardRect{0, 0, 640, 480}));
  rig.board.Decoder().SetStandard(kStdSecam);
  BoardRect s{0, 0, 800, 577};
  rig.board.Decoder().ClipDestination(&s);
  EXPECT_EQ(s, (BoardRect{0, 0, 768, 576}));
  rig.board.Decoder().SetStandard(kStdPal);
  BoardRect p{0, 0, 700, 571};
  rig.board.Decoder().ClipDestination(&p);
  EXPECT_EQ(p, (BoardRect{0, 0, 700, 582}));
}

TEST(DecoderClip, AnUnknownCodeChangesNothing) {
  ChipRig rig;  // stored standard 0 before initialisation
  BoardRect r{0, 0, 2000, 2000};
  size_t from = rig.Mark();
  EXPECT_FALSE(rig.board.Decoder().ClipDestination(&r));
  EXPECT_EQ(r, (BoardRect{0, 0, 2000, 2000}));
  EXPECT_EQ(rig.Mark(), from);
}

TEST(DecoderDigital, EnteringWritesTheBlockOfTheStandardAndLeavingTwoRegisters) {
  ChipRig rig;
  size_t from = rig.Mark();
  rig.board.Decoder().SetDigitalInput(true);  // standard 2 (625 lines) by default
  auto blocks = rig.Blocks(kDec, from);
  std::vector<std::vector<uint8_t>> writes;
  for (auto &b : blocks)
    if (b.size() >= 2) writes.push_back(b);
  ASSERT_GE(writes.size(), 9u);
  EXPECT_EQ(writes[0], (std::vector<uint8_t>{0x24, 0}));
  EXPECT_EQ(writes[1], (std::vector<uint8_t>{0x24, 16}));
  EXPECT_EQ(writes[2], (std::vector<uint8_t>{0x24, 0}));
  ASSERT_EQ(writes[3].size(), 46u);  // register 0x40, then 45 bytes
  EXPECT_EQ(writes[3][0], 0x40);
  EXPECT_EQ(writes[3][1], 0x36);
  EXPECT_EQ(writes[3][45], 0x00);
  EXPECT_EQ(writes[3][43], 0xaf);
  EXPECT_EQ(writes[4], (std::vector<uint8_t>{0x24, 0}));
  EXPECT_EQ(writes[5], (std::vector<uint8_t>{0x24, 16}));
  EXPECT_EQ(writes[6], (std::vector<uint8_t>{0x24, 0}));
  EXPECT_EQ(writes[7], (std::vector<uint8_t>{0x24, 98}));
  EXPECT_EQ(writes[8], (std::vector<uint8_t>{0x23, 65}));
  EXPECT_TRUE(rig.board.Decoder().DigitalInput());
  // Digital 625 table: 0x1A/0x1B = 127/114, capture min(width, 600) x min(height, 570).
  EXPECT_EQ(rig.card.Decoder().Register(0x1A), 127);
  EXPECT_EQ(rig.card.Decoder().Register(0x1B), 114);

  from = rig.Mark();
  rig.board.Decoder().SetDigitalInput(false);
  auto w = rig.Writes(kDec, from);
  ASSERT_GE(w.size(), 2u);
  EXPECT_EQ(w[0], P(0x23, 0));
  EXPECT_EQ(w[1], P(0x24, 97));
  EXPECT_FALSE(rig.board.Decoder().DigitalInput());
}

TEST(DecoderDigital, ChangingTheStandardInDigitalModeWritesTheNewBlock) {
  ChipRig rig;
  rig.board.Decoder().SetDigitalInput(true);
  size_t from = rig.Mark();
  uint32_t record[port::kRequestWords] = {port::kSetVideoFormat, 1, 0};  // digital-input standard 1
  ASSERT_EQ(rig.requests.VideoPortRequest(record), 1u);
  EXPECT_EQ(record[port::kResultWord], 1u);
  bool sawLeave = false, sawBlock = false;
  for (auto &b : rig.Blocks(kDec, from)) {
    if (b == std::vector<uint8_t>{0x23, 0}) sawLeave = true;
    if (b.size() == 52 && b[0] == 0x40) {
      sawBlock = sawLeave;
      EXPECT_EQ(b[1], 0x0c);
      EXPECT_EQ(b[2], 0xc0);
      EXPECT_EQ(b[50], 0x21);
    }
  }
  EXPECT_TRUE(sawBlock);
  EXPECT_EQ(rig.card.Decoder().Register(0x1A), 104);
  EXPECT_EQ(rig.card.Decoder().Register(0x1B), 93);
  uint32_t bad[port::kRequestWords] = {port::kSetVideoFormat, 3, 7};
  rig.requests.VideoPortRequest(bad);
  EXPECT_EQ(bad[port::kResultWord], 0u);
  uint32_t get[port::kRequestWords] = {port::kReadVideoFormat, 0, 0};
  rig.requests.VideoPortRequest(get);
  EXPECT_EQ(get[port::kResultWord], 1u);
}

TEST(DecoderRequests, OperationsAndDescription) {
  ChipRig rig;
  const std::pair<uint32_t, uint32_t> fixed[] = {
      {decoder::kReadAspectRatio, 1}, {decoder::kReadScaleStrategy, 1}, {decoder::kReadInterlaceMode, 16},
      {decoder::kReadColourDepth, 32}, {decoder::kReadReserved, 2},     {decoder::kReadOutputEnable, 1},
      {decoder::kReadVcrTiming, 0}};
  for (auto [op, value] : fixed) {
    uint32_t r[decoder::kRequestWords] = {op, 0, 0xDEAD};
    EXPECT_EQ(rig.requests.DecoderRequest(r), 1u);
    EXPECT_EQ(r[decoder::kResultWord], value) << op;
  }
  uint32_t input[decoder::kRequestWords] = {decoder::kSetScaleStrategy, 5, 0xDEAD};
  rig.requests.DecoderRequest(input);
  EXPECT_EQ(rig.board.Decoder().InputValue(), 5u);
  uint32_t second[decoder::kRequestWords] = {decoder::kSetInterlaceMode, 9, 0xDEAD};
  rig.requests.DecoderRequest(second);
  EXPECT_EQ(second[decoder::kResultWord], 0xDEADu);  // result not written
  uint32_t unknown[decoder::kRequestWords] = {decoder::kReadDetectedStandard + 1, 1, 0xDEAD};
  EXPECT_EQ(rig.requests.DecoderRequest(unknown), 0u);
  EXPECT_EQ(unknown[decoder::kResultWord], 0xDEADu);
  // Output enable: off sets bits 6-7 and clears bit 5; on clears bit 7.
  rig.card.Decoder().SetRegister(0x18, 0x24);
  uint32_t off[decoder::kRequestWords] = {decoder::kSetOutputEnable, 0, 0};
  rig.requests.DecoderRequest(off);
  EXPECT_EQ(rig.card.Decoder().Register(0x18), 0xC4);
  uint32_t on[decoder::kRequestWords] = {decoder::kSetOutputEnable, 1, 0};
  rig.requests.DecoderRequest(on);
  EXPECT_EQ(rig.card.Decoder().Register(0x18), 0x44);
  uint32_t d[decoder::kDescriptionWords] = {};
  EXPECT_EQ(rig.requests.DecoderDescribe(d), 1u);
  EXPECT_EQ(std::vector<uint32_t>(d, d + decoder::kDescriptionWords), (std::vector<uint32_t>{0x8001F10B, 1, 1, 16, 32, 0, 0, 0, 0}));
}

// ---------------------------------------------------------------------------

TEST(TunerPll, TypeZeroAtTheBottomOfItsRange) {
  ChipRig rig(WithTuner(0));
  ASSERT_TRUE(rig.Open());
  size_t from = rig.Mark();
  uint32_t r[tuner::kRecordWords] = {tuner::kTune, 55250000};
  ASSERT_EQ(rig.requests.TunerRequest(r), 1u);
  auto blocks = rig.Blocks(0xC2, from);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0], (std::vector<uint8_t>{0x06, 0x50, 0xCE, 0x01}));
  EXPECT_EQ(rig.card.Bus().Log().back().busFlag, 1u);
  EXPECT_EQ(rig.card.Tuner()->TunedFrequency(), 55250000u);
  uint32_t get[tuner::kRecordWords] = {tuner::kReadFrequency};
  rig.requests.TunerRequest(get);
  EXPECT_EQ(get[tuner::kResultWord], 55250000u);
}

TEST(TunerPll, BandsPickTheirControlWords) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  struct {
    uint32_t hz;
    std::vector<uint8_t> bytes;
  } cases[] = {
      // (f + 39.5 MHz) / 50 kHz; bands 0-3 of type 1.
      {471250000, {0x27, 0xE7, 0xC0, 0x08}},
      {200000000, {0x12, 0xB6, 0xC0, 0x02}},
      {100000000, {0x0A, 0xE6, 0xC0, 0x01}},
      {50000000, {0x06, 0xFE, 0xC0, 0x05}},
      // Outside every band: control word 0.
      {900000000, {0x49, 0x66, 0x00, 0x00}},
  };
  for (auto &c : cases) {
    size_t from = rig.Mark();
    uint32_t r[tuner::kRecordWords] = {tuner::kTune, c.hz};
    ASSERT_EQ(rig.requests.TunerRequest(r), 1u);
    auto blocks = rig.Blocks(0xC0, from);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], c.bytes) << c.hz;
  }
}

TEST(TunerPll, OverlappingBandsTakeTheHighestBand) {
  // Types 8-10 cannot be wired on the pins (the type is read modulo 8), but
  // the table keeps them; type 9's bands 2 and 3 overlap.
  EXPECT_EQ(BandWordFor(kTunerModuleTypes[9], 450000000), 0xCE30);
  EXPECT_EQ(BandWordFor(kTunerModuleTypes[9], 448250000), 0xCE90);
  EXPECT_EQ(BandWordFor(kTunerModuleTypes[0], 0), 0x0000);
  ChipRig rig(WithTuner(9));
  rig.board.Detect();
  EXPECT_EQ(rig.board.Tuner().Type(), 1);
}

TEST(TunerPll, TypeZeroOutsideItsBandsSendsControlWordZero) {
  ChipRig rig(WithTuner(0));
  ASSERT_TRUE(rig.Open());
  size_t from = rig.Mark();
  uint32_t r[tuner::kRecordWords] = {tuner::kTune, 40000000};
  ASSERT_EQ(rig.requests.TunerRequest(r), 1u);
  auto b = rig.Blocks(0xC2, from);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0][2], 0);
  EXPECT_EQ(b[0][3], 0);
}

TEST(TunerPll, ABusFailureAnswersZeroAndKeepsTheFrequency) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  uint32_t r[tuner::kRecordWords] = {tuner::kTune, 487250000};
  ASSERT_EQ(rig.requests.TunerRequest(r), 1u);
  rig.card.Bus().Detach(0xC0);
  uint32_t again[tuner::kRecordWords] = {tuner::kTune, 511250000};
  EXPECT_EQ(rig.requests.TunerRequest(again), 0u);
  EXPECT_EQ(rig.board.Tuner().Frequency(), 487250000u);
}

TEST(TunerRequests, AnswersFromTheModuleTable) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  const std::pair<uint32_t, uint32_t> cases[] = {
      {tuner::kReadInputType, 32},    {tuner::kReadInputSecond, 8}, {tuner::kReadTuningSpace, 0},
      {tuner::kReadCurrentInput, 0},  {tuner::kReadStandards, 256}, {tuner::kSelectStandard, 0},
      {tuner::kReadFlags, 2},         {tuner::kReadCountry, 0},     {tuner::kReadVideoFormat, 0}};
  for (auto [op, value] : cases) {
    uint32_t r[tuner::kRecordWords] = {op, 0, 0xDEAD};
    EXPECT_EQ(rig.requests.TunerRequest(r), 1u) << op;
    EXPECT_EQ(r[tuner::kResultWord], value) << op;
  }
  uint32_t six[tuner::kRecordWords] = {tuner::kSelectInput, 0, 0};
  rig.requests.TunerRequest(six);
  EXPECT_EQ(six[tuner::kResultWord], 1u);
  six[tuner::kArgumentWord] = 3;
  rig.requests.TunerRequest(six);
  EXPECT_EQ(six[tuner::kResultWord], 0u);
  uint32_t one[tuner::kRecordWords] = {tuner::kNoEffect, 2, 3};
  EXPECT_EQ(rig.requests.TunerRequest(one), 1u);
  EXPECT_EQ(one[tuner::kResultWord], 3u);  // left as it came
  uint32_t unknown[tuner::kRecordWords] = {tuner::kReadVideoFormat + 1, 2, 3};
  EXPECT_EQ(rig.requests.TunerRequest(unknown), 0u);
  EXPECT_EQ(unknown[tuner::kResultWord], 3u);
  uint32_t d[tuner::kRecordWords] = {};
  EXPECT_EQ(rig.requests.TunerDescribe(d), 1u);
  EXPECT_EQ(std::vector<uint32_t>(d, d + tuner::kRecordWords),
            (std::vector<uint32_t>{32, 8, 256, 2, 150, 1, 1, 45750000, 855250000, 8000000, 0, 4, 2, 1,
                                   50000}));
}

TEST(TunerRequests, WithoutATunerTableRequestsAnswerZeroAndTheDescriptionIsEmpty) {
  ChipRig rig(WithTuner(-1));
  rig.Open();
  ASSERT_EQ(rig.board.Tuner().Type(), CTunerModule::kNoTuner);
  for (uint32_t op : {tuner::kReadStatus, tuner::kReadInputType, tuner::kReadStandards,
                      tuner::kReadFlags, tuner::kTune}) {
    uint32_t r[tuner::kRecordWords] = {op, 55250000, 0xDEAD};
    EXPECT_EQ(rig.requests.TunerRequest(r), 0u) << op;
    EXPECT_EQ(r[tuner::kResultWord], 0xDEADu);
  }
  uint32_t d[tuner::kRecordWords];
  for (auto &v : d) v = 0xAA;
  rig.requests.TunerDescribe(d);
  for (uint32_t v : d) EXPECT_EQ(v, 0u);
}

TEST(TunerLock, ASingleStatusReadGivesTheAdcLevel) {
  ChipRig rig(WithTuner(1, {MakeStation(487250000, card::Sound::Mono, card::SoundCarrier::I)}));
  ASSERT_TRUE(rig.Open());
  uint32_t tune[tuner::kRecordWords] = {tuner::kTune, 487250000};
  ASSERT_EQ(rig.requests.TunerRequest(tune), 1u);
  rig.clock.Sleep(150);
  size_t from = rig.Mark();
  uint32_t lock[tuner::kRecordWords] = {tuner::kReadStatus};
  ASSERT_EQ(rig.requests.TunerRequest(lock), 1u);
  EXPECT_EQ(lock[tuner::kResultWord], 2u);  // centred
  EXPECT_EQ(rig.Mark() - from, 1u);
}

}  // namespace
}  // namespace tolven::testing
