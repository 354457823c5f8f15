// Every channel message on every channel kind.
#include <gtest/gtest.h>

#include <cstring>

#include "driver/core/tests/driver_rig.h"
#include "platform/display/wire_pointer.h"

namespace tolven::testing {
namespace {

using namespace vfw;

constexpr uint32_t kVideoIn4 = kVideoIn;
constexpr uint32_t kExtIn = kVideoExternalIn;
constexpr uint32_t kExtOut = kVideoExternalOut;

class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(rig_.Open(kVideoIn4), 4);
    ASSERT_EQ(rig_.Open(kExtIn), 1);
    ASSERT_EQ(rig_.Open(kExtOut), 2);
  }
  intptr_t Send(uint32_t id, uint32_t message, intptr_t l1 = 0, intptr_t l2 = 0) {
    return rig_.Send(id, message, l1, l2);
  }
  template <typename T>
  intptr_t Send(uint32_t id, uint32_t message, T *l1, intptr_t l2 = 0) {
    return rig_.Send(id, message, reinterpret_cast<intptr_t>(l1), l2);
  }
  CExternalOutChannel &Out() { return *dynamic_cast<CExternalOutChannel *>(rig_.driver_->ChannelFor(2)); }

  DriverRig rig_;
};

struct Expect {
  uint32_t message;
  intptr_t videoIn, externalIn, externalOut;
};

// Messages whose answer needs no arguments.
TEST_F(ChannelTest, AnswersTableForArgumentFreeMessages) {
  const Expect table[] = {
      {kDvmFrame, 17, 17, 17},
      {kDvmPalette, 0, 17, 0},
      {kDvmPaletteRgb555, 17, 17, 0},
      {kDvmConfigureStorage, 0, 17, 0},
      {kDvmStreamAddBuffer, 17, 17, 17},
      {kDvmStreamGetError, 17, 17, 17},
      {kDvmStreamGetPosition, 17, 17, 17},
      {kDvmStreamPrepareHeader, 17, 17, 17},
      {kDvmStreamReset, 17, 17, 17},
      {kDvmStreamUnprepareHeader, 17, 17, 17},
      {kDvmStreamAllocBuffer, 17, 17, 17},
      {kDvmStreamFreeBuffer, 17, 17, 17},
      {kDvmStreamStart, 17, 17, 17},
      {kDvmStreamStop, 17, 17, 17},
      {kDvmStreamFini, 17, 0, 0},
      {0x4136, 0, 0, 0},
      {0x4137, 0, 0, 0},
      {0x7777, 0, 0, 0},
      {0x0802, 0, 0, 0},  // DRV_EXITSESSION-style messages reach the channel
  };
  for (const Expect &e : table) {
    SCOPED_TRACE(e.message);
    EXPECT_EQ(Send(4, e.message), e.videoIn);
    EXPECT_EQ(Send(1, e.message), e.externalIn);
    EXPECT_EQ(Send(2, e.message), e.externalOut);
  }
}

TEST_F(ChannelTest, StreamInitPerChannel) {
  VideoStreamInitParms parms{};
  EXPECT_EQ(Send(4, kDvmStreamInit, &parms), 17);
  EXPECT_EQ(Send(1, kDvmStreamInit, &parms), 0);
  EXPECT_EQ(Send(2, kDvmStreamInit, &parms), 0);
  EXPECT_TRUE(rig_.board_.VideoPort().OverlayEnabled());
  EXPECT_EQ(Send(2, kDvmStreamFini), 0);
  EXPECT_FALSE(rig_.board_.VideoPort().OverlayEnabled());
}

TEST_F(ChannelTest, StreamInitWithFlagsDoesNothing) {
  VideoStreamInitParms parms{};
  parms.dwFlags = 1;
  EXPECT_EQ(Send(2, kDvmStreamInit, &parms), 0);
  EXPECT_FALSE(rig_.board_.VideoPort().OverlayEnabled());
  EXPECT_EQ(Send(2, kDvmStreamInit), kDvErrParam1);
}

TEST_F(ChannelTest, ApiVersionIsFour) {
  for (uint32_t id : {4u, 1u, 2u}) {
    uint32_t version = 0;
    EXPECT_EQ(Send(id, kDvmGetVideoApiVer, &version), 0);
    EXPECT_EQ(version, 4u);
    EXPECT_EQ(Send(id, kDvmGetVideoApiVer), kDvErrParam1);
  }
}

TEST_F(ChannelTest, ChannelCaps) {
  ChannelCaps caps;
  std::memset(&caps, 0xEE, sizeof caps);
  EXPECT_EQ(Send(4, kDvmGetChannelCaps, &caps, sizeof caps), 0);
  EXPECT_EQ(caps.dwFlags, 10u);
  EXPECT_EQ(caps.dwSrcRectXMod, 1u);
  EXPECT_EQ(caps.dwDstRectHeightMod, 1u);
  EXPECT_EQ(Send(1, kDvmGetChannelCaps, &caps, sizeof caps), 0);
  EXPECT_EQ(caps.dwFlags, 10u);
  EXPECT_FALSE(Out().OverlayCapable());
  EXPECT_EQ(Send(2, kDvmGetChannelCaps, &caps, sizeof caps), 0);
  EXPECT_EQ(caps.dwFlags, 15u);  // 14 and the overlay bit
  EXPECT_TRUE(Out().OverlayCapable());
  EXPECT_EQ(Send(2, kDvmGetChannelCaps, 0, sizeof caps), kDvErrParam1);
  EXPECT_EQ(Send(2, kDvmGetChannelCaps, &caps, sizeof caps - 1), kDvErrSizeField);
}

// A VIDEOCONFIGPARMS whose buffers are lent for the call.
struct ConfigureCall {
  ConfigureCall(uint32_t *ret, void *data, uint32_t size)
      : retLoan(ret, sizeof *ret), dataLoan(data, size) {
    parms = VideoConfigureParms{retLoan.value(), dataLoan.value(), size, 0, 0};
  }
  wire::WireLoan retLoan;
  wire::WireLoan dataLoan;
  VideoConfigureParms parms;
};

TEST_F(ChannelTest, FormatQuerySizeStoresForty) {
  uint32_t ret = 0;
  ConfigureCall call(&ret, nullptr, 0);
  EXPECT_EQ(Send(4, kDvmFormat, kConfigureGet | kConfigureQuerySize,
                 reinterpret_cast<intptr_t>(&call.parms)), 0);
  EXPECT_EQ(ret, 40u);
}

TEST_F(ChannelTest, FormatCurrentFillsTheBitmapHeader) {
  for (auto [id, width, height] : {std::tuple{4u, 768, 576}, std::tuple{2u, 320, 200}}) {
    BitmapInfoHeader header;
    std::memset(&header, 0xEE, sizeof header);
    uint32_t ret = 0;
    ConfigureCall call(&ret, &header, 64);
    EXPECT_EQ(Send(id, kDvmFormat, kConfigureGet | kConfigureCurrent,
                   reinterpret_cast<intptr_t>(&call.parms)), 0);
    EXPECT_EQ(call.parms.dwSize1, 40u);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, width);
    EXPECT_EQ(header.biHeight, height);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 16);
    EXPECT_EQ(header.biCompression, 0u);
    EXPECT_EQ(header.biSizeImage, 0u);
    EXPECT_EQ(header.biClrImportant, 0u);
  }
}

TEST_F(ChannelTest, FormatRefusesShortOrMissingBuffers) {
  BitmapInfoHeader header{};
  uint32_t ret = 0;
  ConfigureCall shortCall(&ret, &header, 39);
  EXPECT_EQ(Send(4, kDvmFormat, kConfigureGet | kConfigureCurrent,
                 reinterpret_cast<intptr_t>(&shortCall.parms)), kDvErrSizeField);
  EXPECT_EQ(header.biSize, 0u);
  EXPECT_EQ(Send(4, kDvmFormat, kConfigureGet | kConfigureCurrent, 0), kDvErrParam2);
  VideoConfigureParms empty{0, 0, 40, 0, 0};
  EXPECT_EQ(Send(4, kDvmFormat, kConfigureGet | kConfigureQuerySize,
                 reinterpret_cast<intptr_t>(&empty)), kDvErrParam2);
  EXPECT_EQ(Send(4, kDvmFormat, kConfigureGet | kConfigureCurrent,
                 reinterpret_cast<intptr_t>(&empty)), kDvErrParam2);
}

TEST_F(ChannelTest, FormatSetIsAcceptedAndExternalInHasNone) {
  VideoConfigureParms parms{};
  EXPECT_EQ(Send(4, kDvmFormat, kConfigureSet, reinterpret_cast<intptr_t>(&parms)), 0);
  EXPECT_EQ(Send(1, kDvmFormat, kConfigureGet | kConfigureCurrent,
                 reinterpret_cast<intptr_t>(&parms)), 17);
}

TEST_F(ChannelTest, ErrorText) {
  rig_.host_.strings[300] = u"No tuner";
  char16_t text[16] = {};
  wire::WireLoan loan(text, sizeof text);
  VideoGetErrorTextParms parms{300, loan.value(), 16};
  for (uint32_t id : {4u, 1u, 2u}) {
    std::memset(text, 0, sizeof text);
    EXPECT_EQ(Send(id, kDvmGetErrorText, &parms), 0);
    EXPECT_EQ(WString(text), u"No tuner");
  }
  parms.dwLength = 9;  // exactly the text and its terminator
  EXPECT_EQ(Send(4, kDvmGetErrorText, &parms), 0);
  parms.dwLength = 8;
  EXPECT_EQ(Send(4, kDvmGetErrorText, &parms), kDvErrSizeField);
  parms.dwErrorNum = 7;  // standard numbers have no text here
  parms.dwLength = 16;
  EXPECT_EQ(Send(4, kDvmGetErrorText, &parms), kDvErrBadErrNum);
  EXPECT_EQ(Send(4, kDvmGetErrorText), kDvErrParam1);
  VideoGetErrorTextParms noBuffer{300, 0, 16};
  EXPECT_EQ(Send(4, kDvmGetErrorText, &noBuffer), kDvErrParam1);
}

TEST_F(ChannelTest, DialogQueryForms) {
  EXPECT_EQ(Send(4, kDvmDialog, 0, kVideoDialogQuery), 0);
  EXPECT_EQ(Send(2, kDvmDialog, 0, kVideoDialogQuery | 1), 0);
  EXPECT_EQ(Send(1, kDvmDialog, 0, kVideoDialogQuery), 0);
  EXPECT_TRUE(rig_.dialogs_.sheets.empty());
  // External-in shows its sheet unless the flags are exactly the query.
  EXPECT_EQ(Send(1, kDvmDialog, 0x99, kVideoDialogQuery | 1), 0);
  ASSERT_EQ(rig_.dialogs_.sheets.size(), 1u);
  EXPECT_EQ(rig_.dialogs_.sheets[0], (std::pair<uint32_t, uintptr_t>{1, 0x99}));
}

TEST_F(ChannelTest, DialogShowsEachChannelsSheet) {
  EXPECT_EQ(Send(4, kDvmDialog, 0x10, 0), 0);
  EXPECT_EQ(Send(2, kDvmDialog, 0x20, 0), 0);
  ASSERT_EQ(rig_.dialogs_.sheets.size(), 2u);
  EXPECT_EQ(rig_.dialogs_.sheets[0].first, 4u);
  EXPECT_EQ(rig_.dialogs_.sheets[1].first, 2u);
  rig_.dialogs_.available = false;
  EXPECT_EQ(Send(4, kDvmDialog, 0x10, 0), kDvErrNotSupported);
}

TEST_F(ChannelTest, SourceRectangle) {
  rig_.gdi_.SetScreen(1280, 1024, 32);
  display::Rect rect{10, 20, 30, 40};
  const display::Rect original = rect;
  EXPECT_EQ(Send(4, kDvmSrcRect, &rect, kConfigureSet), 0);
  EXPECT_EQ(rig_.board_.VideoPort().SourceRect(), (BoardRect{10, 20, 30, 40}));
  EXPECT_EQ(Send(1, kDvmSrcRect, &rect, kConfigureGet | kConfigureMax | kConfigureSet), 0);
  EXPECT_EQ(rig_.board_.VideoPort().SourceRect(), (BoardRect{0, 0, 1280, 1024}));
  EXPECT_EQ(Send(2, kDvmSrcRect, &rect, kConfigureGet | kConfigureMin | kConfigureSet), 0);
  EXPECT_EQ(rig_.board_.VideoPort().SourceRect(), (BoardRect{0, 0, 0, 0}));
  EXPECT_EQ(rect, original);  // never written
  // GET | CURRENT changes nothing.
  EXPECT_EQ(Send(4, kDvmSrcRect, &rect, kConfigureGet | kConfigureCurrent), 0);
  EXPECT_EQ(rig_.board_.VideoPort().SourceRect(), (BoardRect{0, 0, 0, 0}));
  EXPECT_EQ(Send(4, kDvmSrcRect, 0, kConfigureSet), kDvErrParam1);
}

TEST_F(ChannelTest, DestinationRectangle) {
  display::Rect rect{1, 2, 300, 400};
  EXPECT_EQ(Send(2, kDvmDstRect, &rect, kConfigureSet), 0);
  EXPECT_EQ(rig_.board_.VideoPort().Destination(), (OverlayDestination{1, {1, 2, 300, 400}}));
  EXPECT_EQ(Send(4, kDvmDstRect, &rect, kConfigureGet | kConfigureMax | kConfigureSet), 0);
  // The decoder clips the window to the standard's picture size.
  EXPECT_EQ(rig_.board_.VideoPort().Destination().rect, (BoardRect{0, 0, 768, 582}));
  EXPECT_EQ(Send(1, kDvmDstRect, 0, 0), kDvErrParam1);
}

TEST_F(ChannelTest, StreamStartMakesTheKeyBrushAndStopABlackOne) {
  EXPECT_EQ(Send(2, kDvmStreamStart), 17);
  // Overlay capabilities have bit 2: a solid brush of the key colour (as a
  // 16-bit display shows it).
  EXPECT_EQ(rig_.gdi_.BrushColour(Out().KeyBrush()), 0xF800F8u);
  EXPECT_EQ(Send(2, kDvmStreamStop), 17);
  EXPECT_EQ(rig_.gdi_.BrushColour(Out().KeyBrush()), 0u);
  EXPECT_EQ(rig_.gdi_.LiveBrushes(), 1u);  // the replaced brush was released
  rig_.Send(2, kDrvClose);
  EXPECT_EQ(rig_.gdi_.LiveBrushes(), 0u);
}

TEST_F(ChannelTest, UpdateBeforeStartMakesTheBrushFillsAndMovesTheOverlay) {
  rig_.gdi_.SetWindow(0x500, display::Rect{100, 50, 420, 290});
  EXPECT_EQ(Send(2, kDvmUpdate, 0x500, 0x600), 0);
  ASSERT_EQ(rig_.gdi_.Fills().size(), 1u);
  const auto &fill = rig_.gdi_.Fills()[0];
  EXPECT_EQ(fill.dc, 0x600u);
  EXPECT_EQ(fill.brush, Out().KeyBrush());
  EXPECT_EQ(fill.rect, (display::Rect{0, 0, 320, 240}));
  EXPECT_EQ(rig_.gdi_.BrushColour(fill.brush), 0xF800F8u);
  EXPECT_EQ(rig_.board_.VideoPort().Destination().rect, (BoardRect{100, 50, 420, 290}));
}

TEST_F(ChannelTest, UpdateRefusesMissingWindowOrContext) {
  EXPECT_EQ(Send(2, kDvmUpdate, 0, 0x600), kDvErrParam1);
  EXPECT_EQ(Send(2, kDvmUpdate, 0x500, 0), kDvErrParam2);
  EXPECT_EQ(Send(2, kDvmUpdate, 0x999, 0x600), kDvErrParam1);  // no such window
  EXPECT_TRUE(rig_.gdi_.Fills().empty());
  EXPECT_EQ(Send(4, kDvmUpdate, 0x500, 0x600), 17);
  EXPECT_EQ(Send(1, kDvmUpdate, 0x500, 0x600), 17);
}

// A board whose overlay lacks bit 2 takes the key as a palette index.
class PaletteKeyBoard : public CCaptureBoard {
 public:
  using CCaptureBoard::CCaptureBoard;
  uint32_t OverlayCaps() override { return 1; }
  uint32_t KeyColour() override { return 0xAB00FD; }
};

TEST(ExternalOut, KeyBrushFromAPaletteIndex) {
  DriverRig rig;
  // The driver reaches this board instead of the rig's.
  card::VirtualCard card;
  display::EmulatedDisplayEscape display(&card.DisplayDriver());
  PaletteKeyBoard board(display, rig.m_.clock, rig.gdi_);
  rig.requests_ = BoardRequests(&board);
  ASSERT_EQ(rig.Open(kVideoExternalOut), 2);
  EXPECT_EQ(rig.Send(2, kDvmStreamStart), 17);
  auto *out = dynamic_cast<CExternalOutChannel *>(rig.driver_->ChannelFor(2));
  EXPECT_EQ(rig.gdi_.BrushColour(out->KeyBrush()), 0x010000FDu);
}

}  // namespace
}  // namespace tolven::testing
