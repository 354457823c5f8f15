// The dispatcher and the installable-driver messages: ids, open counting,
// the device link's lifetime and the exclusive claim on the card.
#include <gtest/gtest.h>

#include "driver/core/tests/driver_rig.h"
#include "platform/win_errors.h"

namespace tolven::testing {
namespace {

using namespace vfw;

TEST(Driver, LoadCreatesTheProfileAndFreeReleasesIt) {
  DriverRig rig;
  EXPECT_EQ(rig.Send(0, kDrvLoad), 1);
  ASSERT_NE(rig.driver_->Profile(), nullptr);
  EXPECT_EQ(rig.Send(0, kDrvEnable), 1);
  EXPECT_EQ(rig.Send(0, kDrvDisable), 1);
  EXPECT_EQ(rig.Send(0, kDrvFree), 1);
  EXPECT_EQ(rig.driver_->Profile(), nullptr);
  EXPECT_EQ(rig.m_.services.OpenHandleCount(), 0u);
}

TEST(Driver, OpenWithoutParametersIsTheConfigurationInstance) {
  DriverRig rig;
  EXPECT_EQ(rig.Send(0, kDrvOpen), 9999);
  EXPECT_EQ(rig.driver_->Link(), nullptr);
  EXPECT_EQ(rig.driver_->OpenCount(), 0u);
  EXPECT_EQ(rig.Send(9999, kDrvClose), 1);
  EXPECT_EQ(rig.driver_->OpenCount(), 0u);
  EXPECT_EQ(rig.controlModel_.calls, 0);
}

TEST(Driver, OtherMessagesForTheReservedIdsGoToDefDriverProc) {
  DriverRig rig;
  for (uintptr_t id : {uintptr_t{0}, uintptr_t{9999}}) {
    rig.host_.calls.clear();
    EXPECT_EQ(rig.Send(id, kDvmGetChannelCaps, 0x11, 0x22), 0x5EED);
    ASSERT_EQ(rig.host_.calls.size(), 1u);
    EXPECT_EQ(rig.host_.calls[0].driverId, id);
    EXPECT_EQ(rig.host_.calls[0].hDriver, DriverRig::kDriverHandle);
    EXPECT_EQ(rig.host_.calls[0].message, kDvmGetChannelCaps);
    EXPECT_EQ(rig.host_.calls[0].lParam1, 0x11);
    EXPECT_EQ(rig.host_.calls[0].lParam2, 0x22);
  }
  // Installable-driver messages never do, whatever the id.
  rig.host_.calls.clear();
  EXPECT_EQ(rig.Send(9999, kDrvInstall), 1);
  EXPECT_EQ(rig.Send(1234, kDrvPnpInstall), 1);
  EXPECT_TRUE(rig.host_.calls.empty());
}

TEST(Driver, OpensEachChannelKindWithItsId) {
  DriverRig rig;
  VideoOpenParms parms{};
  EXPECT_EQ(rig.Open(kVideoExternalOut, &parms), 2);
  EXPECT_EQ(parms.dwError, 0u);
  EXPECT_EQ(rig.Open(kVideoExternalIn, &parms), 1);
  EXPECT_EQ(rig.Open(kVideoIn, &parms), 4);
  EXPECT_EQ(rig.driver_->OpenCount(), 3u);
  EXPECT_NE(dynamic_cast<CExternalOutChannel *>(rig.driver_->ChannelFor(2)), nullptr);
  EXPECT_NE(dynamic_cast<CExternalInChannel *>(rig.driver_->ChannelFor(1)), nullptr);
  EXPECT_NE(dynamic_cast<CVideoInChannel *>(rig.driver_->ChannelFor(4)), nullptr);
  EXPECT_EQ(rig.driver_->ChannelFor(2)->Link(), rig.driver_->Link());
  EXPECT_EQ(rig.controlModel_.calls, 3);
}

TEST(Driver, OtherKindsAreRefusedWithoutError) {
  DriverRig rig;
  VideoOpenParms parms{};
  EXPECT_EQ(rig.Open(kVideoOut, &parms), 0);
  EXPECT_EQ(parms.dwError, 0u);
  EXPECT_EQ(rig.Open(5, &parms), 0);
  EXPECT_EQ(parms.dwError, 0u);
  EXPECT_EQ(rig.driver_->OpenCount(), 0u);
  // The device link stays open for the next open.
  EXPECT_NE(rig.driver_->Link(), nullptr);
}

TEST(Driver, DeviceLinkOpensOnFirstOpenAndClosesOnLastClose) {
  DriverRig rig;
  ASSERT_EQ(rig.Open(kVideoExternalIn), 1);
  DeviceLink *link = rig.driver_->Link();
  ASSERT_NE(link, nullptr);
  size_t transactions = rig.card_.Bus().Log().size();
  EXPECT_GT(transactions, 0u);  // detection ran
  ASSERT_EQ(rig.Open(kVideoIn), 4);
  EXPECT_EQ(rig.driver_->Link(), link);
  EXPECT_EQ(rig.card_.Bus().Log().size(), transactions);  // no second detection
  EXPECT_EQ(rig.Send(1, kDrvClose), 1);
  EXPECT_EQ(rig.driver_->Link(), link);
  EXPECT_EQ(rig.driver_->ChannelFor(1), nullptr);
  EXPECT_EQ(rig.Send(4, kDrvClose), 1);
  EXPECT_EQ(rig.driver_->Link(), nullptr);
  EXPECT_EQ(rig.driver_->OpenCount(), 0u);
  // The next open detects again.
  ASSERT_EQ(rig.Open(kVideoIn), 4);
  EXPECT_GT(rig.card_.Bus().Log().size(), transactions);
}

TEST(Driver, ClosingAnIdThatIsNotOpenDoesNotWrapTheCount) {
  DriverRig rig;
  EXPECT_EQ(rig.Send(2, kDrvClose), 1);
  EXPECT_EQ(rig.driver_->OpenCount(), 0u);
  ASSERT_EQ(rig.Open(kVideoExternalOut), 2);
  EXPECT_EQ(rig.driver_->OpenCount(), 1u);
}

TEST(Driver, MessageForAnEmptyChannelEntryIsNotSupported) {
  DriverRig rig;
  uint32_t version = 0;
  EXPECT_EQ(rig.Send(4, kDvmGetVideoApiVer, &version), kDvErrNotSupported);
  EXPECT_EQ(version, 0u);
}

TEST(Driver, UnknownIdsShareTheFirstEntry) {
  DriverRig rig;
  ASSERT_EQ(rig.Open(kVideoExternalIn), 1);
  uint32_t version = 0;
  EXPECT_EQ(rig.Send(77, kDvmGetVideoApiVer, &version), 0);
  EXPECT_EQ(version, 4u);
}

TEST(Driver, NoCardMeansNotDetected) {
  DriverRig rig(card::CardOptions{false, -1, false, 0});
  VideoOpenParms parms{};
  EXPECT_EQ(rig.Open(kVideoExternalOut, &parms), 0);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  EXPECT_EQ(rig.driver_->OpenCount(), 0u);
  EXPECT_EQ(rig.driver_->Link(), nullptr);
  EXPECT_EQ(rig.controlModel_.calls, 0);
}

TEST(Driver, NoDisplayDriverMeansNotDetected) {
  DriverRig rig;
  rig.display_.Attach(nullptr);
  VideoOpenParms parms{};
  EXPECT_EQ(rig.Open(kVideoExternalOut, &parms), 0);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
}

TEST(Driver, NoKernelDeviceMeansNotDetected) {
  DriverRig rig(card::CardOptions{}, /*startService=*/false);
  VideoOpenParms parms{};
  EXPECT_EQ(rig.Open(kVideoIn, &parms), 0);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
}

TEST(Driver, SecondOpenWhileTheDeviceIsHeldIsNotDetectedUntilTheLastClose) {
  DriverRig rig;
  // Another process's driver object on the same machine and card.
  CCaptureDriver other(
      DriverEnvironment{rig.m_.ports(), rig.gdi_, rig.host_, rig.dialogs_, rig.controlModel_, rig.requests_});
  ASSERT_EQ(rig.Open(kVideoExternalOut), 2);
  ASSERT_EQ(rig.Open(kVideoIn), 4);
  VideoOpenParms parms{};
  parms.dwFlags = kVideoExternalOut;
  EXPECT_EQ(other.Dispatch(0, 1, kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms)), 0);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  rig.Send(2, kDrvClose);
  parms.dwError = 0xBAD;
  EXPECT_EQ(other.Dispatch(0, 1, kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms)), 0);
  EXPECT_EQ(parms.dwError, kDvErrNotDetected);
  rig.Send(4, kDrvClose);
  EXPECT_EQ(other.Dispatch(0, 1, kDrvOpen, 0, reinterpret_cast<intptr_t>(&parms)), 2);
  EXPECT_EQ(parms.dwError, 0u);
  EXPECT_EQ(other.Dispatch(2, 1, kDrvClose, 0, 0), 1);
}

TEST(Driver, ReopeningAKindReplacesItsChannel) {
  DriverRig rig;
  ASSERT_EQ(rig.Open(kVideoExternalOut), 2);
  CCaptureChannel *first = rig.driver_->ChannelFor(2);
  ASSERT_EQ(rig.Open(kVideoExternalOut), 2);
  EXPECT_NE(rig.driver_->ChannelFor(2), first);
  EXPECT_EQ(rig.driver_->OpenCount(), 2u);
  rig.Send(2, kDrvClose);
  EXPECT_NE(rig.driver_->Link(), nullptr);
  rig.Send(2, kDrvClose);
  EXPECT_EQ(rig.driver_->Link(), nullptr);
}

TEST(Driver, ConfigureRunsTheSettingsDialog) {
  DriverRig rig;
  EXPECT_EQ(rig.Send(9999, kDrvConfigure, 0, 0), 1);
  ASSERT_EQ(rig.dialogs_.settingsParents.size(), 1u);
  EXPECT_EQ(rig.dialogs_.settingsParents[0], 0u);  // unparented
  rig.dialogs_.settingsOk = false;
  EXPECT_EQ(rig.Send(9999, kDrvConfigure, 0x777, 0), 0);
  EXPECT_EQ(rig.dialogs_.settingsParents[1], 0x777u);
  DialogHost none;
  CCaptureDriver bare(
      DriverEnvironment{rig.m_.ports(), rig.gdi_, rig.host_, none, rig.controlModel_, rig.requests_});
  EXPECT_EQ(bare.Dispatch(9999, 1, kDrvConfigure, 0, 0), 0);
}

TEST(Driver, QueryConfigureChecksTheService) {
  DriverRig rig;
  rig.Send(0, kDrvLoad);
  EXPECT_EQ(rig.Send(9999, kDrvQueryConfigure), 1);
  // A service of that name that is not a kernel driver fails the check.
  DriverRig other(card::CardOptions{}, false);
  svc::Handle manager = other.m_.services.OpenManager(svc::kManagerAllAccess);
  svc::ServiceConfig config;
  config.name = u"tolvenk";
  config.serviceType = svc::kOwnProcess;
  config.imagePath = u"C:\\x.exe";
  other.m_.services.CloseHandle(other.m_.services.Create(manager, config));
  other.m_.services.CloseHandle(manager);
  EXPECT_EQ(other.Send(9999, kDrvQueryConfigure), 0);
  EXPECT_EQ(other.Send(9999, kDrvRemove), 0);
}

TEST(Driver, RemoveStopsAndDeletesTheService) {
  DriverRig rig;
  rig.Send(0, kDrvLoad);
  EXPECT_EQ(rig.Send(9999, kDrvRemove), 1);
  svc::Handle manager = rig.m_.services.OpenManager(svc::kManagerAllAccess);
  EXPECT_EQ(rig.m_.services.Open(manager, u"tolvenk", svc::kServiceAllAccess), 0u);
  EXPECT_EQ(rig.m_.services.LastError(), win::kErrorServiceDoesNotExist);
  rig.m_.services.CloseHandle(manager);
  // Absent service: nothing to delete, still 1.
  EXPECT_EQ(rig.Send(9999, kDrvRemove), 1);
}

TEST(Driver, ValueOperationsReachTheConfigurationStore) {
  DriverRig rig;
  rig.Send(0, kDrvLoad);
  uint32_t value = 0;
  EXPECT_FALSE(rig.driver_->ReadUserDword(u"vDec_Standard", &value));
  EXPECT_TRUE(rig.driver_->WriteUserDword(u"vDec_Standard", 8));
  EXPECT_TRUE(rig.driver_->ReadUserDword(u"vDec_Standard", &value));
  EXPECT_EQ(value, 8u);
  EXPECT_TRUE(rig.driver_->WriteParameterDword(u"tune_Type", 3));
  EXPECT_TRUE(rig.driver_->ReadParameterDword(u"tune_Type", &value));
  EXPECT_EQ(value, 3u);
  WString name;
  EXPECT_TRUE(rig.driver_->ReadParameterString(u"DeviceName", &name));
  EXPECT_EQ(name, u"VidCap0");
  const uint8_t blob[3] = {1, 2, 3};
  uint8_t back[3] = {};
  EXPECT_TRUE(rig.driver_->WriteMachineBinary(u"xbar_Map", blob, 3));
  EXPECT_TRUE(rig.driver_->ReadMachineBinary(u"xbar_Map", back, 3));
  EXPECT_EQ(back[2], 3);
  EXPECT_TRUE(rig.driver_->InstallService());
  EXPECT_FALSE(rig.driver_->DeviceControl(0x222000, nullptr, 0, nullptr, 0));  // no link
}

TEST(Driver, UnloadWithChannelsStillOpenGivesEverythingBack) {
  DriverRig rig;
  rig.Send(0, kDrvLoad);
  ASSERT_EQ(rig.Open(kVideoExternalOut), 2);
  rig.driver_.reset();
  EXPECT_EQ(rig.m_.services.OpenHandleCount(), 0u);
  DeviceLink *link = OpenDeviceLink(rig.m_.ports(), kKernelServiceName, 0);
  ASSERT_NE(link, nullptr);
  CloseDeviceLink(rig.m_.ports(), link);
}

// The overlay on the default virtual card: the first open detects and
// initialises the whole board and creates the video port.
TEST(DriverOverlay, OpeningWithTheDefaultCardCreatesTheOverlay) {
  DriverRig rig(card::DefaultCardConfig());
  VideoOpenParms parms{};
  ASSERT_EQ(rig.Open(kVideoExternalOut, &parms), 2);
  EXPECT_EQ(parms.dwError, kDvErrOk);
  EXPECT_EQ(rig.board_.Variant(), kVariantTuner);
  EXPECT_EQ(rig.board_.Tuner().Type(), 1);
  EXPECT_TRUE(rig.board_.VideoPort().Running());
  EXPECT_EQ(rig.card_.VideoPort().Creates(), 1u);
  EXPECT_EQ(rig.board_.Crossbar().VideoInput(), 2);  // the tuner
  rig.Send(2, kDrvClose);
}

struct RecordingNotice : DisplayModeNotice {
  void ShowDisplayModeUnsuitable() override { ++shown; }
  int shown = 0;
};

// Too little bandwidth for the display mode: the user is told, and the
// driver opens and runs without overlay.
TEST(DriverOverlay, ALowBandwidthModeRaisesTheNoticeAndRunsWithoutOverlay) {
  card::CardConfig config = card::DefaultCardConfig();
  config.bandwidth = 100000000;
  DriverRig rig(config);
  RecordingNotice notice;
  rig.board_.SetDisplayModeNotice(&notice);
  VideoOpenParms parms{};
  ASSERT_EQ(rig.Open(kVideoExternalOut, &parms), 2);
  EXPECT_EQ(parms.dwError, kDvErrOk);
  EXPECT_EQ(notice.shown, 1);
  EXPECT_FALSE(rig.board_.VideoPort().Running());
  EXPECT_EQ(rig.card_.VideoPort().Creates(), 0u);
  ASSERT_EQ(rig.Open(kVideoIn), 4);  // later opens work and do not ask again
  EXPECT_EQ(notice.shown, 1);
}

}  // namespace
}  // namespace tolven::testing
