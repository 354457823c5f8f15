// The video port: negotiation with the display driver, the bandwidth check,
// key colours per display depth, and the create and update blocks.
#include <gtest/gtest.h>

#include "driver/hardware/tests/chip_rig.h"

namespace tolven::testing {
namespace {

struct CountingNotice : DisplayModeNotice {
  void ShowDisplayModeUnsuitable() override { ++shown; }
  int shown = 0;
};

TEST(VideoPortNegotiation, CreatesThePortWithTheKeyColourForTheDepth) {
  const struct {
    int32_t bpp;
    uint32_t type, value, key;
  } cases[] = {
      {8, 0, 253, 0xFF00FF}, {16, 2, 0x7C1F, 0xF800F8}, {24, 6, 0xFF00FF, 0xFF00FF}, {32, 9, 0xFF00FF, 0xFF00FF}};
  for (const auto &c : cases) {
    ChipRig rig(WithTuner(1), c.bpp);
    ASSERT_TRUE(rig.Open()) << c.bpp;
    EXPECT_TRUE(rig.board.VideoPort().Running());
    ASSERT_TRUE(rig.card.VideoPort().LastCreate().has_value());
    const auto &create = *rig.card.VideoPort().LastCreate();
    EXPECT_EQ(create.update.keyType, c.type) << c.bpp;
    EXPECT_EQ(create.update.keyValue, c.value) << c.bpp;
    EXPECT_EQ(rig.requests.KeyColour(), c.key) << c.bpp;
    // Field size, crop, prescale, rectangles.
    EXPECT_EQ(create.update.description.size, 72u);
    EXPECT_EQ(create.update.description.fieldWidth, 768u);
    EXPECT_EQ(create.update.description.fieldHeight, 285u);
    EXPECT_EQ(create.update.description.connection.type, display::kVideoPortTypeCode4);
    EXPECT_EQ(create.update.description.connection.portWidth, 8u);
    EXPECT_EQ(create.update.info.size, 64u);
    EXPECT_EQ(create.update.info.crop, (display::Rect{0, 0, 767, 575}));
    EXPECT_EQ(create.update.info.prescaleWidth, 768u);
    EXPECT_EQ(create.update.info.prescaleHeight, 570u);
    EXPECT_EQ(create.update.destination, (display::Rect{0, 0, 767, 575}));
    EXPECT_EQ(create.output, (display::Rect{0, 0, 767, 569}));
  }
}

TEST(VideoPortNegotiation, AnEightBitDisplayProbesOnlyWithEightBits) {
  ChipRig rig(WithTuner(1), 8);
  ASSERT_TRUE(rig.Open());
  EXPECT_EQ(rig.card.VideoPort().Probes(), 1u);
  EXPECT_EQ(rig.board.VideoPort().FieldBits(), 8u);
  ChipRig sixteen(WithTuner(1), 16);
  ASSERT_TRUE(sixteen.Open());
  EXPECT_EQ(sixteen.board.VideoPort().FieldBits(), 16u);
  // A port taking only 8-bit fields is found on the second attempt.
  card::CardConfig eight = WithTuner(1);
  eight.probeBits = {8};
  ChipRig second(eight, 16);
  ASSERT_TRUE(second.Open());
  EXPECT_EQ(second.card.VideoPort().Probes(), 2u);
  EXPECT_EQ(second.board.VideoPort().FieldBits(), 8u);
}

TEST(VideoPortNegotiation, ADriverGivingNoKeyColourLeavesTheDefault) {
  card::CardConfig config = WithTuner(1);
  config.keyColour = 0;
  ChipRig rig(config, 32);
  ASSERT_TRUE(rig.Open());
  EXPECT_EQ(rig.board.VideoPort().StoredKeyColour(), 0xFF00FFu);
  config.keyColour = 0x00FF00;
  ChipRig green(config, 32);
  ASSERT_TRUE(green.Open());
  EXPECT_EQ(green.requests.KeyColour(), 0x00FF00u);
}

TEST(VideoPortNegotiation, EachFailedStepFailsInitialisation) {
  card::CardConfig wide = WithTuner(1);
  wide.connections = {{0, 4, 16, 0}};
  EXPECT_FALSE(ChipRig(wide).Open());
  card::CardConfig noConnections = WithTuner(1);
  noConnections.connections.clear();
  EXPECT_FALSE(ChipRig(noConnections).Open());
  card::CardConfig formats = WithTuner(1);
  formats.formats = {"YUY2"};
  EXPECT_FALSE(ChipRig(formats).Open());
  card::CardConfig probe = WithTuner(1);
  probe.probeBits = {};
  EXPECT_FALSE(ChipRig(probe).Open());
  card::CardConfig noPort = WithTuner(1);
  noPort.videoPort = false;
  EXPECT_FALSE(ChipRig(noPort).Open());
  card::CardConfig divisor = WithTuner(1);
  divisor.horizontalDivisor = 0;
  EXPECT_FALSE(ChipRig(divisor).Open());
}

TEST(VideoPortNegotiation, TheFirstMatchingConnectionIsChosenAndTheOutputWidthFollows) {
  card::CardConfig config = WithTuner(1);
  config.connections = {{0, 2, 8, 0}, {0, 4, 8, 0}};
  config.formats = {"YUY2", "UYVY"};
  ChipRig rig(config);
  ASSERT_TRUE(rig.Open());
  EXPECT_EQ(rig.board.VideoPort().Connection(), (PortConnection{0, 4, 8, 0}));
  EXPECT_EQ(rig.board.VideoPort().Format(), display::kFourCCUyvy);
  EXPECT_EQ(rig.card.Decoder().Register(0x18) & 0x10, 0);  // 8-bit port
}

TEST(VideoPortBandwidth, ExactlyEnoughPassesAndOneLessRaisesTheNotice) {
  // 1024 x 768 at 60 Hz and 16 bits per pixel, divisors 1.
  const uint32_t needed = 768u * 1024u * 60u * 16u;
  card::CardConfig enough = WithTuner(1);
  enough.bandwidth = needed;
  ChipRig ok(enough);
  CountingNotice okNotice;
  ok.board.SetDisplayModeNotice(&okNotice);
  ASSERT_TRUE(ok.Open());
  EXPECT_TRUE(ok.board.VideoPort().Running());
  EXPECT_EQ(okNotice.shown, 0);

  card::CardConfig low = enough;
  low.bandwidth = needed - 1;
  ChipRig rig(low);
  CountingNotice notice;
  rig.board.SetDisplayModeNotice(&notice);
  EXPECT_TRUE(rig.Open());  // not a failure
  EXPECT_EQ(notice.shown, 1);
  EXPECT_FALSE(rig.board.VideoPort().Running());
  EXPECT_EQ(rig.card.VideoPort().Creates(), 0u);
  EXPECT_EQ(rig.card.VideoPort().Probes(), 0u);
  EXPECT_EQ(rig.board.VideoPort().StoredKeyColour(), 0u);
  EXPECT_EQ(rig.requests.KeyColour(), 0u);
}

TEST(VideoPortBandwidth, DivisorsScaleTheNeedAndLargeModesDoNotOverflow) {
  card::CardConfig config = WithTuner(1);
  config.bandwidth = 768u * 1024u * 60u * 16u / 4u;
  config.horizontalDivisor = 2;
  config.verticalDivisor = 2;
  ChipRig rig(config);
  ASSERT_TRUE(rig.Open());
  EXPECT_TRUE(rig.board.VideoPort().Running());
  // 2048 x 1536 at 85 Hz, 32 bits: more than 32 bits can count, so never enough.
  card::CardConfig big = WithTuner(1);
  big.bandwidth = 0xFFFFFFFFu;
  ChipRig huge(big, 32);
  huge.gdi.SetScreen(2048, 1536, 32);
  huge.gdi.SetRefreshRate(85);
  CountingNotice notice;
  huge.board.SetDisplayModeNotice(&notice);
  ASSERT_TRUE(huge.Open());
  EXPECT_EQ(notice.shown, 1);
}

TEST(VideoPortKeyColour, CustomColourAndPaletteIndex) {
  ChipRig rig(WithTuner(1), 16);
  ASSERT_TRUE(rig.Open());
  rig.board.VideoPort().SetCustomKey(0x12, 0x34, 0x56);
  EXPECT_EQ(rig.requests.KeyColour(), 0x503010u);
  rig.gdi.SetScreen(1024, 768, 32);
  EXPECT_EQ(rig.requests.KeyColour(), 0x563412u);
  rig.gdi.SetScreen(1024, 768, 8);
  rig.board.VideoPort().SetKeyPaletteIndex(249);
  EXPECT_EQ(rig.requests.KeyColour(), 0x0000FFu);
  rig.gdi.SetScreen(1024, 768, 4);
  EXPECT_EQ(rig.requests.KeyColour(), 0u);
  rig.gdi.SetScreen(1024, 768, 15);
  EXPECT_EQ(rig.requests.KeyColour(), 0u);
}

TEST(VideoPortKeyColour, StaticPaletteBothWays) {
  EXPECT_EQ(CVideoPort::PaletteIndexOf(0xFF00FF), 253u);
  EXPECT_EQ(CVideoPort::PaletteIndexOf(0xC0DCC0), 8u);
  EXPECT_EQ(CVideoPort::PaletteIndexOf(0xF0FBFF), 246u);
  EXPECT_EQ(CVideoPort::PaletteIndexOf(0x123456), 253u);
  EXPECT_EQ(CVideoPort::PaletteColourOf(0), 0x000000u);
  EXPECT_EQ(CVideoPort::PaletteColourOf(255), 0xFFFFFFu);
  EXPECT_EQ(CVideoPort::PaletteColourOf(100), 0xFF00FFu);
  for (uint32_t i : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 246u, 247u, 248u, 249u, 250u, 251u, 252u, 253u, 254u, 255u})
    EXPECT_EQ(CVideoPort::PaletteIndexOf(CVideoPort::PaletteColourOf(i)), i);
}

TEST(VideoPortUpdates, AnUnchangedWindowSendsNothing) {
  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  const uint32_t updates = rig.card.VideoPort().Updates();
  ASSERT_EQ(rig.requests.UpdateWindow(BoardRect{100, 50, 420, 290}), 1);
  EXPECT_EQ(rig.card.VideoPort().Updates(), updates + 1);
  const auto &u = *rig.card.VideoPort().LastUpdate();
  EXPECT_EQ(u.destination, (display::Rect{100, 50, 420, 290}));
  EXPECT_EQ(u.description.fieldWidth, 321u);
  EXPECT_EQ(u.description.fieldHeight, 241u);
  const uint32_t escapes = rig.card.Driver().EscapeCount(150);
  ASSERT_EQ(rig.requests.UpdateWindow(BoardRect{100, 50, 420, 290}), 1);
  EXPECT_EQ(rig.card.VideoPort().Updates(), updates + 1);
  EXPECT_EQ(rig.card.Driver().EscapeCount(150), escapes);
}

TEST(VideoPortUpdates, RectanglesUpdateOnlyARunningPort) {
  card::CardConfig low = WithTuner(1);
  low.bandwidth = 1;
  ChipRig idle(low);
  ASSERT_TRUE(idle.Open());
  const uint32_t escapes = idle.card.Driver().EscapeCount(150);
  idle.requests.SetSourceRect(BoardRect{0, 0, 100, 100});
  idle.requests.SetOverlayDestination(OverlayDestination{1, {0, 0, 200, 200}});
  idle.requests.UpdateWindow(BoardRect{5, 5, 300, 300});
  EXPECT_EQ(idle.card.Driver().EscapeCount(150), escapes);

  ChipRig rig(WithTuner(1));
  ASSERT_TRUE(rig.Open());
  const uint32_t before = rig.card.VideoPort().Updates();
  rig.requests.SetSourceRect(BoardRect{0, 0, 100, 100});
  EXPECT_EQ(rig.card.VideoPort().LastUpdate()->info.crop, (display::Rect{0, 0, 100, 100}));
  rig.requests.SetOverlayDestination(OverlayDestination{1, {0, 0, 1000, 700}});
  // Clipped by the decoder first (automatic standard: 768 wide, 582 high).
  EXPECT_EQ(rig.card.VideoPort().LastUpdate()->destination, (display::Rect{0, 0, 768, 582}));
  EXPECT_EQ(rig.card.VideoPort().Updates(), before + 2);
}

TEST(VideoPortUpdates, DestroyedWithTheBoard) {
  card::CardConfig config = WithTuner(1);
  SimulatedClock clock;
  card::VirtualCard card(config, &clock);
  {
    display::EmulatedDisplayEscape display(&card.DisplayDriver());
    display::EmulatedGdi gdi;
    CCaptureBoard board(display, clock, gdi);
    ASSERT_TRUE(board.Detect() && board.Initialise());
    EXPECT_TRUE(card.VideoPort().Running());
  }
  EXPECT_FALSE(card.VideoPort().Running());
  EXPECT_EQ(card.VideoPort().Destroys(), 1u);
}

TEST(VideoPortRequests, OperationsAndDescription) {
  ChipRig rig;
  namespace port = requests::videoport;
  const std::tuple<uint32_t, uint32_t, uint32_t> cases[] = {
      {port::kReadAspect, 0, 1},
      {port::kSetAspect, 1, 1},
      {port::kSetAspect, 2, 0},
      {port::kReadConnection, 0, 4},
      {port::kSetConnection, 4, 1},
      {port::kSetConnection, 3, 0},
      {port::kReadColourFormat, 0, display::kFourCCUyvy},
      {port::kSetColourFormat, display::kFourCCUyvy, 1},
      {port::kSetColourFormat, 1, 0},
      {port::kColourFormatAt, 5, display::kFourCCUyvy}};
  for (auto [op, arg, result] : cases) {
    uint32_t r[port::kRequestWords] = {op, arg, 0xDEAD};
    EXPECT_EQ(rig.requests.VideoPortRequest(r), 1u);
    EXPECT_EQ(r[port::kResultWord], result) << op;
  }
  uint32_t unknown[port::kRequestWords] = {port::kColourFormatAt + 1, 0, 0xDEAD};
  EXPECT_EQ(rig.requests.VideoPortRequest(unknown), 0u);
  EXPECT_EQ(unknown[port::kResultWord], 0xDEADu);
  uint32_t d[port::kDescriptionWords] = {};
  EXPECT_EQ(rig.requests.VideoPortDescribe(d), 1u);
  EXPECT_EQ(std::vector<uint32_t>(d, d + port::kDescriptionWords), (std::vector<uint32_t>{1, 3, 4, 1}));
  // Construction set up the decoder's output: 0x19 = 0, 0x17 bit 3 set, bit 2 clear.
  EXPECT_EQ(rig.card.Decoder().Register(0x19), 0);
  EXPECT_EQ(rig.card.Decoder().Register(0x17) & 0x0C, 0x08);
}

TEST(EscapeBlocks, VideoPortLayoutsAndTypeCodes) {
  EXPECT_EQ(sizeof(display::VideoPortCreateBlock), 192u);
  EXPECT_EQ(sizeof(display::VideoPortUpdateBlock), 176u);
  EXPECT_EQ(display::VideoPortTypeCode(display::VideoPortTypeGuid(2)), 2u);
  EXPECT_EQ(display::VideoPortTypeCode(display::VideoPortTypeGuid(4)), 4u);
  EXPECT_EQ(display::VideoPortTypeGuid(3), display::Guid{});
  EXPECT_EQ(display::VideoPortTypeCode(display::Guid{}), 1u);
  EXPECT_EQ(display::kFourCCUyvy, 0x59565955u);
}

}  // namespace
}  // namespace tolven::testing
