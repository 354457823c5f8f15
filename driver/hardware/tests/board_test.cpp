// The board: components, detection and initialisation order, and the
// request and overlay entry points.
#include <gtest/gtest.h>

#include <cstring>

#include "driver/hardware/requests.h"
#include "driver/hardware/tests/chip_rig.h"
#include "platform/emulated/emulated_platform.h"

namespace tolven {
namespace {

bool Touched(const card::VirtualCard &card, uint8_t address) {
  for (const auto &t : const_cast<card::VirtualCard &>(card).Bus().Log())
    if ((t.address & 0xFE) == address) return true;
  return false;
}

struct Rig : testing::ChipClock, card::NativeCard {
  explicit Rig(card::CardOptions options = {}) : NativeCard(options, clock) {}
};

TEST(Board, RegistersItsSevenComponentsInOrder) {
  Rig rig;
  EXPECT_EQ(rig.board.ComponentCount(), 7u);
  EXPECT_EQ(rig.board.FindComponent(kKindControlBus), &rig.board.Bus());
  EXPECT_EQ(rig.board.FindComponent(kKindVideoDecoder), &rig.board.Decoder());
  EXPECT_EQ(rig.board.FindComponent(kKindTuner), &rig.board.Tuner());
  EXPECT_EQ(rig.board.FindComponent(kKindTvAudio), &rig.board.Audio());
  EXPECT_EQ(rig.board.FindComponent(kKindVideoPort), &rig.board.VideoPort());
  EXPECT_NE(rig.board.FindComponent(kKindCrossbar), nullptr);
  EXPECT_NE(rig.board.FindComponent(kKindProcAmp), nullptr);
  EXPECT_EQ(rig.board.FindComponent(32), nullptr);
}

TEST(Board, WithoutABoardEveryCallAnswersZeroAndLeavesTheRecord) {
  BoardRequests none{nullptr};
  uint32_t record[requests::tuner::kRecordWords] = {requests::tuner::kTune, 55250000};
  EXPECT_EQ(none.TunerRequest(record), 0u);
  EXPECT_EQ(record[requests::tuner::kArgumentWord], 55250000u);
  EXPECT_EQ(none.TunerDescribe(record), 0u);
  EXPECT_EQ(record[0], requests::tuner::kTune);
  EXPECT_EQ(none.OverlayCaps(), 0u);
  EXPECT_EQ(none.KeyColour(), 0u);
  EXPECT_EQ(none.EnableOverlay(nullptr, true), 0);
  BoardRect rect{1, 2, 3, 4};
  EXPECT_EQ(none.GetSourceRect(&rect), 0);
  EXPECT_EQ(rect, (BoardRect{1, 2, 3, 4}));
}

TEST(Board, TwoBoardsAnswerEachForItself) {
  // Nothing is process-wide: each board's requests reach its own card.
  Rig first;
  Rig second;
  ASSERT_TRUE(first.board.Detect() && first.board.Initialise());
  ASSERT_TRUE(second.board.Detect() && second.board.Initialise());
  const size_t before = second.card.Bus().Log().size();
  uint32_t tune[requests::tuner::kRecordWords] = {requests::tuner::kTune, 55250000};
  EXPECT_EQ(first.requests.TunerRequest(tune), 1u);
  EXPECT_EQ(first.card.Tuner()->TunedFrequency(), 55250000u);
  EXPECT_EQ(second.card.Bus().Log().size(), before);
  EXPECT_EQ(second.requests.EnableOverlay(nullptr, true), 1);
  EXPECT_TRUE(second.board.VideoPort().OverlayEnabled());
  EXPECT_FALSE(first.board.VideoPort().OverlayEnabled());
}

TEST(Board, DetectsAFullCard) {
  Rig rig;
  EXPECT_TRUE(rig.board.Detect());
  EXPECT_EQ(rig.board.Variant(), kVariantTuner);
  EXPECT_EQ(rig.board.Tuner().Type(), 0);
  EXPECT_EQ(rig.board.Audio().Version(), 0x0F0007);
  EXPECT_TRUE(Touched(rig.card, 0x80));
}

TEST(Board, WithoutATunerDetectionSucceedsAndAudioIsNotProbed) {
  Rig rig(card::CardOptions{true, -1, true, 0x0F0007});
  EXPECT_TRUE(rig.board.Detect());
  EXPECT_EQ(rig.board.Variant(), kVariantNoTuner);
  EXPECT_EQ(rig.board.Tuner().Type(), CTunerModule::kNoTuner);
  EXPECT_FALSE(Touched(rig.card, 0x80));
}

TEST(Board, TunerTypeSevenNeedsNoBusProbe) {
  Rig rig(card::CardOptions{true, 7, true, 0x0F0007});
  EXPECT_TRUE(rig.board.Detect());
  EXPECT_EQ(rig.board.Variant(), kVariantTunerType7);
  EXPECT_FALSE(Touched(rig.card, 0xC0));
  EXPECT_FALSE(Touched(rig.card, 0xC2));
}

TEST(Board, TunerTypeComesFromTheDecoderPinsAndItsAddresses) {
  Rig rig(card::CardOptions{true, 2, true, 0x0F0007});
  EXPECT_TRUE(rig.board.Detect());
  EXPECT_EQ(rig.board.Tuner().Type(), 2);
  const auto &log = rig.card.Bus().Log();
  bool readC1 = false;
  for (const auto &t : log) readC1 |= t.address == 0xC1;
  EXPECT_TRUE(readC1);
  // The tuner probe sleeps 10 ms, the audio probe 20 ms, in simulated time.
  EXPECT_EQ(rig.clock.TotalSlept(), 30u);
}

TEST(Board, UnsupportedAudioVersionFailsDetection) {
  Rig rig(card::CardOptions{true, 0, true, 0x120007});
  EXPECT_FALSE(rig.board.Detect());
  EXPECT_EQ(rig.board.Audio().Version(), 0x120007);  // known, kept
  Rig other(card::CardOptions{true, 0, true, 0x999999});
  EXPECT_FALSE(other.board.Detect());
  EXPECT_EQ(other.board.Audio().Version(), -1);
}

TEST(Board, MissingDecoderFailsDetectionButEveryProbeRuns) {
  Rig rig(card::CardOptions{false, 0, true, 0x0F0007});
  EXPECT_FALSE(rig.board.Detect());
  // The tuner probe still ran (it reads the pins through the decoder).
  EXPECT_TRUE(Touched(rig.card, 0x88));
}

TEST(Board, NoDisplayDriverFailsDetection) {
  display::EmulatedDisplayEscape none;
  SimulatedClock clock;
  display::EmulatedGdi gdi;
  CCaptureBoard board(none, clock, gdi);
  EXPECT_FALSE(board.Detect());
}

TEST(Board, InitialiseAnswersTrueWithBaseComponents) {
  Rig rig;
  EXPECT_TRUE(rig.board.Initialise());
}

TEST(Board, OverlaySlots) {
  Rig rig;
  EXPECT_EQ(rig.requests.OverlayCaps(), 13u);
  EXPECT_EQ(rig.requests.KeyColour(), 0xF800F8u);  // 16-bit display: low three bits cleared
  EXPECT_EQ(rig.requests.EnableOverlay(nullptr, true), 1);
  EXPECT_TRUE(rig.board.VideoPort().OverlayEnabled());
  EXPECT_EQ(rig.requests.EnableOverlay(nullptr, false), 1);
  EXPECT_FALSE(rig.board.VideoPort().OverlayEnabled());
  EXPECT_EQ(rig.requests.EnableExternalIn(nullptr, true), 0);
  BoardRect source{1, 2, 3, 4};
  EXPECT_EQ(rig.requests.SetSourceRect(source), 1);
  BoardRect back;
  EXPECT_EQ(rig.requests.GetSourceRect(&back), 1);
  EXPECT_EQ(back, source);
  EXPECT_EQ(rig.requests.SetOverlayDestination(OverlayDestination{1, {10, 20, 30, 40}}), 1);
  EXPECT_EQ(rig.board.VideoPort().Destination().rect, (BoardRect{10, 20, 30, 40}));
  EXPECT_EQ(rig.requests.UpdateWindow(BoardRect{5, 6, 7, 8}), 1);
  EXPECT_EQ(rig.board.VideoPort().Destination().rect, (BoardRect{5, 6, 7, 8}));
  EXPECT_EQ(rig.board.SetVideoPortMode(9), 1u);
  EXPECT_EQ(rig.board.GetVideoPortMode(), 9u);
}

TEST(Board, ManagerDefaultsForTheOverlaySlots) {
  CHardwareManager manager;
  EXPECT_TRUE(manager.Detect());
  EXPECT_TRUE(manager.Ready());
  EXPECT_EQ(manager.OverlayCaps(), 0u);
  EXPECT_EQ(manager.KeyColour(), 0u);
  EXPECT_FALSE(manager.EnableOverlay(nullptr, true));
  EXPECT_FALSE(manager.UpdateWindow(BoardRect{}));
  EXPECT_EQ(manager.SetVideoPortMode(3), 0u);
}

TEST(EntryPoints, UnknownOperationLeavesTheRecordUntouched) {
  Rig rig;
  uint32_t record[requests::tuner::kRecordWords];
  for (uint32_t i = 0; i < requests::tuner::kRecordWords; ++i) record[i] = 0xC0DE0000u + i;
  uint32_t before[requests::tuner::kRecordWords];
  std::memcpy(before, record, sizeof record);
  EXPECT_EQ(rig.requests.TunerRequest(record), 0u);
  EXPECT_EQ(std::memcmp(record, before, sizeof record), 0);
  uint32_t small[requests::audio::kRequestWords] = {77, 1};  // no such operation
  EXPECT_EQ(rig.requests.AudioRequest(small), 0u);
  EXPECT_EQ(small[0], 77u);
}

TEST(EntryPoints, DescribeOfAFamilyAnswersOne) {
  Rig rig;
  uint32_t record[requests::procamp::kDescriptionWords] = {};
  EXPECT_EQ(rig.requests.ProcAmpDescribe(record), 1u);
  uint32_t vp[requests::videoport::kDescriptionWords] = {};
  EXPECT_EQ(rig.requests.VideoPortDescribe(vp), 1u);
  EXPECT_EQ(rig.requests.DecoderDescribe(nullptr), 0u);
}

TEST(EntryPoints, KindWithoutComponentAnswersZero) {
  CHardwareManager empty;
  BoardRequests requests{&empty};
  uint32_t record[requests::crossbar::kRecordWords] = {requests::crossbar::kCanRoute, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(requests.CrossbarRequest(record), 0u);
  EXPECT_EQ(record[requests::crossbar::kTypeWord], 7u);
}

// A component that records what it was asked, to pin the record copy sizes.
class Recorder : public CComponentFamily {
 public:
  explicit Recorder(uint32_t kind) : CComponentFamily(kind) {}
  uint32_t Dispatch(uint32_t *record) override {
    record[0] += 1;
    return 5;
  }
};

TEST(EntryPoints, RecordIsCopiedInAndOutWithItsSize) {
  CHardwareManager manager;
  Recorder decoder(kKindVideoDecoder);
  manager.Register(&decoder);
  BoardRequests requests{&manager};
  uint32_t record[requests::decoder::kRequestWords + 1] = {41, 0, 0, 0xFEEDu};
  EXPECT_EQ(requests.DecoderRequest(record), 5u);
  EXPECT_EQ(record[0], 42u);
  EXPECT_EQ(record[requests::decoder::kRequestWords], 0xFEEDu);  // beyond the record
}

class OpenHardwareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = std::make_shared<MinimalVidCapDriver>(m_);
    m_.services.InstallDriverImage(u"tolvenk.sys", image_);
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    ASSERT_TRUE(InstallAndStartService(m_.ports(), profile, nullptr, nullptr));
    CloseServiceProfile(m_.ports(), profile);
  }
  EmulatedPlatform m_;
  std::shared_ptr<MinimalVidCapDriver> image_;
};

TEST_F(OpenHardwareTest, OpensTheDeviceAfterDetectionAndInitialisation) {
  Rig rig;
  DeviceLink *link = rig.requests.OpenHardware(m_.ports(), kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  EXPECT_FALSE(rig.card.Bus().Log().empty());
  rig.requests.CloseHardware(m_.ports(), link);
  rig.requests.CloseHardware(m_.ports(), nullptr);
}

TEST_F(OpenHardwareTest, FailedDetectionLeavesTheDeviceAlone) {
  Rig rig(card::CardOptions{false, 0, true, 0x0F0007});
  EXPECT_EQ(rig.requests.OpenHardware(m_.ports(), kKernelServiceName, 0), nullptr);
  // The device is still free.
  DeviceLink *link = OpenDeviceLink(m_.ports(), kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  CloseDeviceLink(m_.ports(), link);
}

TEST_F(OpenHardwareTest, NoBoardNoDevice) {
  BoardRequests none{nullptr};
  EXPECT_EQ(none.OpenHardware(m_.ports(), kKernelServiceName, 0), nullptr);
}

}  // namespace
}  // namespace tolven
