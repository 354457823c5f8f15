// The factory and hub, the operation tables as a separately built client
// sees them, and the stored settings applied at the first channel open.
#include <gtest/gtest.h>

#include "driver/control/tests/client/independent_client.h"
#include "driver/control/tests/control_rig.h"
#include "driver/core/tests/driver_rig.h"
#include "driver/tuning/channel_list.h"

namespace tolven::testing {
namespace {

using namespace control;

TEST(ControlHub, VersionsAndIndependentHubs) {
  CardRig rig;
  IControlFactory *factory = CreateControlFactory(&rig.env);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->GetInterfaceVersion(), 1);
  EXPECT_EQ(factory->GetInterfaceRevision(), 1);
  EXPECT_EQ(factory->CreateInterface(0), nullptr);
  EXPECT_EQ(factory->CreateInterface(2), nullptr);
  IControlHub *first = factory->CreateInterface(1);
  IControlHub *second = factory->CreateInterface(1);
  factory->Release();  // the hubs do not depend on it
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_NE(first->GetTuner(), second->GetTuner());
  EXPECT_EQ(first->GetCrossbar()->GetSourceCount(), 4);
  EXPECT_EQ(first->GetTuner()->GetInputCount(), 1);
  EXPECT_GT(first->GetVideoDecoder()->GetVideoStandardCount(), 0);
  first->Release();
  EXPECT_EQ(second->GetCrossbar()->GetSourceCount(), 4);
  second->DeletingDestructor(1);
}

TEST(ControlHub, MuteAndVolumeOnTheDefaultCard) {
  CardRig rig;
  IControlHub *hub = rig.NewHub();
  ICrossbarControl *x = hub->GetCrossbar();
  ASSERT_EQ(x->SetSource(2), 1);  // the tuner
  EXPECT_EQ(x->GetMute(), 0);
  EXPECT_EQ(x->SetMute(1), 1);
  EXPECT_EQ(x->GetMute(), 1);
  x->SetMute(0);
  EXPECT_EQ(x->GetMute(), 0);
  // A volume set in one hub reads back unchanged in the next, so saving
  // what was read does not lower it from session to session.
  for (int32_t percent : {0, 1, 40, 75, 99, 100}) {
    ASSERT_EQ(x->SetVolume(percent), 1);
    IControlHub *next = rig.NewHub();
    EXPECT_EQ(next->GetCrossbar()->GetVolume(), percent);
    next->Release();
  }
  hub->Release();
}

TEST(ControlHub, NoEnvironmentNoFactory) { EXPECT_EQ(CreateControlFactory(nullptr), nullptr); }

TEST(ControlHub, WithoutABoardComponentsAnswerTheirFailureValues) {
  ControlMachine machine;
  BoardRequests none{nullptr};
  ControlEnvironment env{machine.m.registry, machine.m.files, machine.m.resources, machine.m.clock,
                         machine.strings, none};
  IControlHub *hub = NewHubOver(env);
  ASSERT_NE(hub, nullptr);
  EXPECT_EQ(hub->GetTuner()->GetInputCount(), 0);
  EXPECT_EQ(hub->GetCrossbar()->GetSourceCount(), 0);
  EXPECT_EQ(hub->GetVideoDecoder()->GetVideoStandardCount(), 0);
  EXPECT_EQ(hub->GetVideoPort()->GetOverlayColourKey(), 0);
  int32_t value = 5;
  EXPECT_EQ(hub->GetProcAmp()->GetValue(kBrightness, &value), 0);
  EXPECT_EQ(value, 5);
  hub->Release();
}

TEST(ControlHub, WithoutHardwareComponentsCountsAreZero) {
  FakeHardware f;  // no components at all
  IControlHub *hub = f.NewHub();
  ASSERT_NE(hub, nullptr);
  EXPECT_EQ(hub->GetTuner()->GetInputCount(), 0);
  EXPECT_EQ(hub->GetTuner()->TuneChannel(0), 0);
  EXPECT_EQ(hub->GetCrossbar()->GetSourceCount(), 0);
  EXPECT_EQ(hub->GetVideoDecoder()->GetAspectRatioCount(), 0);
  EXPECT_EQ(hub->GetVideoPort()->GetColourFormatCount(), 0);
  // The channel list can still be edited and saved.
  EXPECT_EQ(hub->GetTuner()->AddChannel(u"Kept", -1), 1);
  hub->Release();
}

// The client declares its own tables; natively this pins the slot order,
// under Wine also the calling convention.
TEST(ControlHub, AnIndependentClientDrivesEveryComponentBySlot) {
  CardRig rig;
  const varnclient::ClientReport r = varnclient::DriveFactory(CreateControlFactory(&rig.env));
  EXPECT_TRUE(r.ok) << r.failure;
  EXPECT_EQ(r.sourceNames, (std::vector<std::u16string>{u"Composite", u"SVideo", u"Tuner", u"Video Port"}));
  EXPECT_EQ(r.selectedSource, 0);
  EXPECT_EQ(r.standardNames, (std::vector<std::u16string>{u"PAL I"}));
  EXPECT_EQ(r.channelNames.size(), 6u);
  EXPECT_EQ(r.channelNames.back(), u"New Channel 6");
  EXPECT_EQ(r.tunedChannel, 1);
  ASSERT_FALSE(r.decoderNames.empty());
  EXPECT_EQ(r.decoderNames.front(), u"NTSC");
  for (const auto &n : r.portNames) EXPECT_NE(n, u"<bad>");
}

// Hands the driver's start-up call on to a hook made after the rig.
struct LaterHook : ControlModelHook {
  void EnsureSettingsApplied() override {
    if (target) target->EnsureSettingsApplied();
  }
  ControlModelHook *target = nullptr;
};

TEST(ControlModelStartup, TheFirstOpenAppliesStoredSourceVolumeAndChannel) {
  LaterHook hook;
  DriverRig rig(card::DefaultCardConfig(), true, &hook);
  loc::EmulatedLocale locale;
  strings::EmbeddedStringTable strings{locale};
  tuning::InstallTuningResources(rig.m_.resources);
  rig.m_.files.SetUser(u"viewer", u"C:\\Users\\viewer");
  ControlEnvironment env{rig.m_.registry, rig.m_.files, rig.m_.resources, rig.m_.clock, strings,
                         rig.requests_};
  ControlModelStartup startup{env};
  hook.target = &startup;

  // What an earlier session stored: S-video, volume 40, the fourth of six channels.
  ConfigStore store(rig.m_.registry, kKernelServiceName);
  store.WriteUserDword(u"xbar_Source", 1);
  store.WriteUserDword(u"xbar_ExtVolume", 40);
  store.WriteUserDword(u"tune_CurrentChannel", 3);
  tuning::CVarnTunerChannelList list;
  for (const card::Station &s : rig.card_.Config().stations) {
    tuning::CVarnTunerChannel c;
    c.name = Widen(s.name);
    c.frequency = s.frequencyHz;
    list.InsertAt(-1, c);
  }
  ASSERT_TRUE(list.Save(rig.m_.files, u"C:\\Users\\viewer\\TOLVEN0.dat"));

  rig.Send(0, vfw::kDrvLoad);
  rig.Send(0, vfw::kDrvEnable);
  vfw::VideoOpenParms parms{};
  ASSERT_NE(rig.Open(vfw::kVideoExternalOut, &parms), 0);
  EXPECT_TRUE(startup.Applied());
  EXPECT_EQ(rig.card_.Decoder().Register(0x01) & 0x60, 0x60) << "S-video selected";
  EXPECT_EQ(rig.card_.Tuner()->TunedFrequency(), 567250000u);

  // A later open applies nothing again.
  rig.card_.Decoder().SetRegister(0x01, 0);
  ASSERT_NE(rig.Open(vfw::kVideoIn, &parms), 0);
  EXPECT_EQ(rig.card_.Decoder().Register(0x01) & 0x60, 0);

  // A new hub reads the volume back from the audio processor.
  auto hardwareVolume = [&] {
    IControlFactory *factory = CreateControlFactory(&env);
    IControlHub *hub = factory->CreateInterface(1);
    factory->Release();
    const int32_t volume = hub->GetCrossbar()->GetVolume();
    hub->Release();
    return volume;
  };
  EXPECT_EQ(hardwareVolume(), 40);
}

}  // namespace
}  // namespace tolven::testing

namespace tolven::testing {
namespace {

using namespace control;

// Each component saved into an opened key and loaded by a fresh hub's
// component from the same key; nothing goes to the driver store.
TEST(ComponentSettingsRoundTrip, EveryComponentThroughAnOpenedKey) {
  CardRig rig;
  reg::Key key = 0;
  ASSERT_EQ(rig.m.registry.CreateKey(reg::kCurrentUser, u"Software\\Viewer", reg::kAllAccess, &key), 0u);
  auto openAll = [](IControlHub *hub) {
    EXPECT_EQ(hub->GetTuner()->OpenSettingsKey(u"Software\\Viewer"), 1);
    EXPECT_EQ(hub->GetCrossbar()->OpenSettingsKey(u"Software\\Viewer"), 1);
    EXPECT_EQ(hub->GetVideoDecoder()->OpenSettingsKey(u"Software\\Viewer"), 1);
    EXPECT_EQ(hub->GetVideoPort()->OpenSettingsKey(u"Software\\Viewer"), 1);
    EXPECT_EQ(hub->GetProcAmp()->OpenSettingsKey(u"Software\\Viewer"), 1);
  };
  IControlHub *first = rig.NewHub();
  openAll(first);
  ASSERT_EQ(first->GetCrossbar()->SetSource(1), 1);
  ASSERT_EQ(first->GetCrossbar()->SetVolume(30), 1);
  ASSERT_EQ(first->GetProcAmp()->SetValue(kBrightness, 200), 1);
  ASSERT_GE(first->GetVideoPort()->GetVideoFormatCount(), 1);
  const int32_t videoFormat = first->GetVideoPort()->GetVideoFormatCount() - 1;
  ASSERT_EQ(first->GetVideoPort()->SetVideoFormat(videoFormat), 1);
  ASSERT_EQ(first->GetVideoDecoder()->SetVideoStandard(2), 1);
  EXPECT_EQ(first->GetCrossbar()->SaveSettings(), 1);
  EXPECT_EQ(first->GetProcAmp()->SaveSettings(), 1);
  EXPECT_EQ(first->GetVideoPort()->SaveSettings(), 1);
  EXPECT_EQ(first->GetVideoDecoder()->SaveSettings(), 1);
  EXPECT_EQ(first->GetTuner()->SaveSettings(), 1);
  // Closing the key again is "OpenSettingsKey(null)".
  EXPECT_EQ(first->GetCrossbar()->OpenSettingsKey(nullptr), 1);
  first->Release();

  uint32_t value = 0, type = 0, size = sizeof value;
  EXPECT_EQ(rig.m.registry.QueryValue(key, u"xbar_ExtVolume", &type, &value, &size), 0u);
  EXPECT_EQ(value, 30u);
  EXPECT_EQ(type, static_cast<uint32_t>(reg::kDword));
  EXPECT_FALSE(ConfigStore(rig.m.registry, kKernelServiceName).ReadUserDword(u"xbar_ExtVolume", &value));
  rig.m.registry.CloseKey(key);

  // Disturb the hardware, then load everything from the key.
  IControlHub *second = rig.NewHub();
  second->GetCrossbar()->SetSource(2);
  second->GetCrossbar()->SetVolume(90);
  second->GetProcAmp()->SetValue(kBrightness, 10);
  second->GetVideoDecoder()->SetVideoStandard(0);
  openAll(second);
  second->GetVideoDecoder()->LoadSettings();
  second->GetVideoPort()->LoadSettings();
  second->GetCrossbar()->LoadSettings();
  second->GetTuner()->LoadSettings();
  second->GetProcAmp()->LoadSettings();
  EXPECT_EQ(second->GetCrossbar()->GetSource(), 1);
  EXPECT_EQ(second->GetCrossbar()->GetVolume(), 30);
  int32_t brightness = 0;
  EXPECT_EQ(second->GetProcAmp()->GetValue(kBrightness, &brightness), 1);
  EXPECT_EQ(brightness, 200);
  EXPECT_EQ(second->GetVideoPort()->GetVideoFormat(), videoFormat);
  EXPECT_EQ(second->GetVideoDecoder()->GetVideoStandard(), 2);
  second->Release();
}

}  // namespace
}  // namespace tolven::testing
