// The components' rules against scripted hardware: index conventions over
// capability masks, codes and names, failure answers, and the settings they
// store.
#include <gtest/gtest.h>

#include <map>

#include "driver/control/control_tables.h"
#include "driver/control/crossbar_control.h"
#include "driver/control/proc_amp_control.h"
#include "driver/control/tests/control_rig.h"
#include "driver/control/video_decoder_control.h"
#include "driver/control/video_port_control.h"
#include "platform/registry/registry.h"

namespace tolven::testing {
namespace {

using namespace control;

namespace decoder = requests::decoder;
namespace port = requests::videoport;
namespace procamp = requests::procamp;
namespace xbar = requests::crossbar;
namespace audio = requests::audio;

WString NameOf(int32_t length, const std::function<int32_t(char16_t *)> &get) {
  std::u16string buffer(static_cast<size_t>(length) + 1, u'#');
  if (!get(buffer.data())) return u"<none>";
  EXPECT_EQ(buffer[static_cast<size_t>(length)], u'\0');
  buffer.resize(static_cast<size_t>(length));
  return buffer;
}

TEST(ControlTables, BitIndexConventions) {
  EXPECT_EQ(NthBit(0b10110, 0), 0b10u);
  EXPECT_EQ(NthBit(0b10110, 2), 0b10000u);
  EXPECT_EQ(NthBit(0b10110, 3), 0u);
  EXPECT_EQ(NthBit(0b10110, -1), 0u);
  EXPECT_EQ(IndexOfBit(0b10110, 0b100), 1);
  EXPECT_EQ(IndexOfBit(0x80001001u, 0x80000000u), 2);
  EXPECT_EQ(IndexOfBit(0b10110, 0), -1);
  EXPECT_EQ(CountBits(0x80000003u | 0x100, kAudioModes.countedBits), 3);
}

// --- video decoder ------------------------------------------------------------

struct DecoderFixture : FakeHardware {
  explicit DecoderFixture(std::vector<uint32_t> caps) : decoder(Add(kKindVideoDecoder, caps)) {
    // Each read answers what its set stored (reads are 8 after their sets).
    decoder.handler = [this](uint32_t *r) -> uint32_t {
      constexpr uint32_t kReadsFrom = decoder::kReadVideoStandard - decoder::kSetVideoStandard;
      const uint32_t op = r[requests::kOperationWord];
      uint32_t &result = r[decoder::kResultWord];
      if (op <= decoder::kSetVcrTiming) stored[op] = r[decoder::kArgumentWord];
      else if (op <= decoder::kReadVcrTiming) result = stored.count(op - kReadsFrom) ? stored[op - kReadsFrom] : 0;
      else if (op == decoder::kReadSignalLock) result = 1;
      else if (op == decoder::kReadDetectedStandard) result = 4096;
      return 1;
    };
  }
  FakeComponent &decoder;
  std::map<uint32_t, uint32_t> stored;  // set request → value
};

TEST(VideoDecoderControl, StandardsMaskGivesNamesCodesAndLimits) {
  DecoderFixture f({1 | 4096 | 0x80000000u, 0x1F, 0xF, 0x1F, 0x1FF, 0, 0, 0, 0});
  CVideoDecoderControl d(f.env);
  ASSERT_EQ(d.GetVideoStandardCount(), 3);
  auto name = [&](int32_t i) {
    return NameOf(d.GetVideoStandardNameLength(i), [&](char16_t *b) { return d.GetVideoStandardName(i, b); });
  };
  EXPECT_EQ(name(0), u"NTSC");
  EXPECT_EQ(name(1), u"PAL");
  EXPECT_EQ(name(2), u"Auto");
  EXPECT_EQ(d.GetVideoStandardCode(2), -1);
  EXPECT_EQ(d.GetVideoStandardCode(1), 7);
  EXPECT_EQ(d.GetVideoStandardCode(3), 0);  // past the count
  EXPECT_EQ(d.GetVideoStandardNameLength(3), 0);
  const size_t before = f.decoder.requests.size();
  EXPECT_EQ(d.SetVideoStandard(3), 0);
  EXPECT_EQ(d.SetVideoStandard(-1), 0);
  EXPECT_EQ(f.decoder.requests.size(), before);
  EXPECT_EQ(d.SetVideoStandard(1), 1);
  EXPECT_EQ(f.decoder.requests.back(), (std::pair<uint32_t, uint32_t>{decoder::kSetVideoStandard, 4096}));
  EXPECT_EQ(d.GetVideoStandard(), 1);
  EXPECT_EQ(d.GetDetectedVideoStandard(), 1);
}

TEST(VideoDecoderControl, GroupsSendTheIndexedBitAndConvertCodes) {
  DecoderFixture f({0x8001F10Bu, 1, 1, 0x1F, 0x1FF, 0, 0, 0, 0});
  CVideoDecoderControl d(f.env);
  EXPECT_EQ(d.SetInterlaceMode(1), 1);
  EXPECT_EQ(f.decoder.requests.back(), (std::pair<uint32_t, uint32_t>{decoder::kSetInterlaceMode, 2}));
  EXPECT_EQ(NameOf(d.GetInterlaceModeNameLength(1), [&](char16_t *b) { return d.GetInterlaceModeName(1, b); }),
            u"Bob Interleaved");
  for (int32_t i = 0; i < d.GetColourDepthCount(); ++i) EXPECT_EQ(d.SetColourDepth(i), 1) << i;
  EXPECT_EQ(d.GetColourDepthCount(), 9);
  EXPECT_EQ(d.ColourDepthCodeOf(64), 6);
  EXPECT_EQ(d.ColourDepthCodeOf(512), -1);
  EXPECT_EQ(d.InterlaceModeCodeOf(32), 1);
  EXPECT_EQ(d.VideoStandardOfCode(7), 4096u);
  EXPECT_EQ(d.VideoStandardOfCode(0), 0u);
  EXPECT_EQ(d.VideoStandardOfCode(13), 0x80000000u);
  EXPECT_EQ(d.ColourDepthOfCode(8), 256u);
  EXPECT_EQ(d.ColourDepthOfCode(9), 1u);
  EXPECT_EQ(d.ScaleStrategyOfCode(4), 1u);
  ControlName n{};
  EXPECT_EQ(d.LookupColourDepthName(5, &n), 1);
  EXPECT_EQ(WString(n.text, n.length), u"High Color (16 Bit)");
  f.locale.SetUserLanguage(loc::kEnglishUnitedKingdom);  // looked up at each call
  EXPECT_EQ(d.LookupColourDepthName(5, &n), 1);
  EXPECT_EQ(WString(n.text, n.length), u"High Colour (16 Bit)");
}

TEST(VideoDecoderControl, OnOffSettingsNeedTheirCapabilityAndReadsFail) {
  DecoderFixture f({1, 1, 1, 1, 1, 0, 0, 0, 0});
  CVideoDecoderControl d(f.env);
  const size_t before = f.decoder.requests.size();
  EXPECT_EQ(d.SetOutputEnable(1), 0);
  EXPECT_EQ(d.SetVcrTiming(1), 0);
  EXPECT_EQ(f.decoder.requests.size(), before);
  f.decoder.handler = [](uint32_t *) -> uint32_t { return 0; };
  EXPECT_EQ(d.GetVideoStandard(), 0);
  EXPECT_EQ(d.GetAspectRatio(), -1);
  EXPECT_EQ(d.GetOutputEnable(), 0);
  EXPECT_EQ(d.IsSignalLocked(), 0);
  EXPECT_EQ(d.GetDetectedVideoStandard(), 0);
}

TEST(VideoDecoderControl, SavedSettingsLoadBackInTheDriverStoreAndAnOpenedKey) {
  for (bool openedKey : {false, true}) {
    DecoderFixture f({0x8001F10Bu, 0x3, 0x3, 0x1F, 0x1FF, 1, 1, 0, 0});
    if (openedKey) {
      reg::Key k = 0;
      ASSERT_EQ(f.m.registry.CreateKey(reg::kCurrentUser, u"Software\\Viewer", reg::kAllAccess, &k), 0u);
      f.m.registry.CloseKey(k);
    }
    CVideoDecoderControl d(f.env);
    if (openedKey) {
      ASSERT_EQ(d.OpenSettingsKey(u"Software\\Viewer"), 1);
    }
    d.SetVideoStandard(6);
    d.SetInterlaceMode(3);
    d.SetScaleStrategy(1);
    d.SetAspectRatio(1);
    d.SetColourDepth(8);
    d.SetOutputEnable(1);
    d.SetVcrTiming(1);
    ASSERT_EQ(d.SaveSettings(), 1);
    const auto saved = f.stored;
    f.stored.clear();
    d.LoadSettings();
    EXPECT_EQ(f.stored, saved) << "opened key: " << openedKey;
    uint32_t v = 0;
    EXPECT_EQ(ConfigStore(f.m.registry, kKernelServiceName).ReadUserDword(u"vDec_InterlaceMode", &v), !openedKey);
  }
}

TEST(ComponentSettings, OpeningKeysAndMissingValues) {
  DecoderFixture f({1, 1, 1, 1, 1, 0, 0, 0, 0});
  CVideoDecoderControl d(f.env);
  EXPECT_EQ(d.OpenSettingsKey(nullptr), 1);
  EXPECT_EQ(d.OpenSettingsKey(u"Software\\Nowhere"), 0);
  // A stored 0xFFFFFFFF in the driver store reads as absent: nothing is set.
  ConfigStore(f.m.registry, kKernelServiceName).WriteUserDword(u"vDec_VideoStandard", 0xFFFFFFFFu);
  const size_t before = f.decoder.requests.size();
  d.LoadSettings();
  for (size_t i = before; i < f.decoder.requests.size(); ++i) EXPECT_NE(f.decoder.requests[i].first, decoder::kSetVideoStandard);
}

// --- video port and picture controls -------------------------------------------

TEST(VideoPortControl, GroupsColourFormatsAndFallbacks) {
  FakeHardware f;
  FakeComponent &port = f.Add(kKindVideoPort, {0x3, 0x80000003u, 0x80000004u, 0});
  CVideoPortControl p(f.env);
  EXPECT_EQ(p.GetColourFormatCount(), 0);
  EXPECT_EQ(p.GetColourFormat(), -1);
  EXPECT_EQ(p.SetColourFormat(0), 0);
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(p.GetAspectCode(i), -1);
  EXPECT_EQ(p.GetVideoFormatCount(), 3);
  EXPECT_EQ(NameOf(p.GetVideoFormatNameLength(2), [&](char16_t *b) { return p.GetVideoFormatName(2, b); }),
            u"Automatic");
  EXPECT_EQ(NameOf(p.GetConnectionNameLength(0), [&](char16_t *b) { return p.GetConnectionName(0, b); }),
            u"CCIR656");
  EXPECT_EQ(p.SetConnection(1), 1);
  EXPECT_EQ(port.requests.back(), (std::pair<uint32_t, uint32_t>{port::kSetConnection, 0x80000000u}));
  EXPECT_EQ(p.SetConnection(2), 0);
  port.handler = [](uint32_t *) -> uint32_t { return 0; };
  EXPECT_EQ(p.GetConnection(), 0);   // falls back to 4, the first connection
  EXPECT_EQ(p.GetVideoFormat(), 0);  // falls back to 1
}

TEST(ProcAmpControl, RangesOnOffPropertiesAndUnclampedValues) {
  FakeHardware f;
  std::vector<uint32_t> caps(procamp::kDescriptionWords, 0);
  caps[procamp::RangeWordOf(procamp::kBrightness, procamp::kMinimum)] = 0;
  caps[procamp::RangeWordOf(procamp::kBrightness, procamp::kMaximum)] = 255;
  caps[procamp::RangeWordOf(procamp::kBrightness, procamp::kStep)] = 1;
  caps[procamp::RangeWordOf(procamp::kBrightness, procamp::kDefault)] = 128;
  caps[procamp::OnOffWordOf(procamp::kColourEnable)] = 1;
  FakeComponent &amp = f.Add(kKindProcAmp, caps);
  std::map<uint32_t, uint32_t> values;  // hardware property → value
  amp.handler = [&](uint32_t *r) -> uint32_t {
    const uint32_t op = r[requests::kOperationWord];
    uint32_t &value = r[procamp::kValueWord];
    if (op < procamp::kReadFirst) values[op] = value;
    else value = values.count(op - procamp::kReadFirst) ? values[op - procamp::kReadFirst] : 7;
    return 1;
  };
  CProcAmpControl a(f.env);
  control::ProcAmpRange r{9, 9, 9, 9};
  EXPECT_EQ(a.GetRange(kBrightness, &r), 1);
  EXPECT_EQ((std::vector<int32_t>{r.minimum, r.maximum, r.step, r.defaultValue}),
            (std::vector<int32_t>{0, 255, 1, 128}));
  EXPECT_EQ(a.GetRange(11, &r), 0);
  EXPECT_EQ((std::vector<int32_t>{r.minimum, r.maximum, r.step, r.defaultValue}), (std::vector<int32_t>{0, 0, 0, 0}));
  EXPECT_EQ(a.GetRange(kColourEnable, &r), 1);
  EXPECT_EQ((std::vector<int32_t>{r.minimum, r.maximum, r.step, r.defaultValue}), (std::vector<int32_t>{0, 1, 1, 1}));
  EXPECT_EQ(a.GetRange(kInverseVideo, &r), 1);
  EXPECT_EQ(r.maximum, 0);
  EXPECT_EQ(a.SetValue(kBrightness, 300), 1);
  EXPECT_EQ(values[procamp::kBrightness], 300u);
  EXPECT_EQ(a.SetValue(kInverseVideo, 1), 0);
  EXPECT_EQ(a.SetValue(kContrast, 5), 0);  // minimum equals maximum
  int32_t v = 0;
  EXPECT_EQ(a.GetValue(kBrightness, &v), 1);
  EXPECT_EQ(v, 300);
  // Saved values come back in the load order.
  ASSERT_EQ(a.SaveSettings(), 1);
  values.clear();
  amp.requests.clear();
  a.LoadSettings();
  std::vector<uint32_t> sets;
  for (auto [n, value] : amp.requests) sets.push_back(n);
  EXPECT_EQ(sets, (std::vector<uint32_t>{procamp::SetOperation(procamp::kBrightness),
                                          procamp::SetOperation(procamp::kColourEnable)}));
  EXPECT_EQ(values[procamp::kBrightness], 300u);
}

// --- crossbar -------------------------------------------------------------------

struct Pin {
  uint32_t direction;
  int32_t number, related;
  uint32_t type;
};

struct CrossbarFixture : FakeHardware {
  explicit CrossbarFixture(std::vector<Pin> pinList, std::vector<uint32_t> audioCaps)
      : pins(std::move(pinList)),
        crossbar(Add(kKindCrossbar, {})),
        audio(Add(kKindTvAudio, audioCaps)) {
    crossbar.handler = [this](uint32_t *r) -> uint32_t {
      const int32_t a = static_cast<int32_t>(r[xbar::kInputWord]), b = static_cast<int32_t>(r[xbar::kOutputWord]);
      switch (r[requests::kOperationWord]) {
        case xbar::kPinInfo:
          if (a < 0 || a >= static_cast<int32_t>(pins.size())) return 0;
          r[xbar::kDirectionWord] = pins[a].direction, r[xbar::kIndexWord] = pins[a].number;
          r[xbar::kRelatedWord] = pins[a].related, r[xbar::kTypeWord] = pins[a].type;
          return 1;
        case xbar::kCanRoute: r[xbar::kAnswerWord] = 1; return 1;
        case xbar::kRoute: routed[b] = a; r[xbar::kAnswerWord] = 1; return 1;
        case xbar::kRouting:
          r[xbar::kRoutedInputWord] = static_cast<uint32_t>(routed.count(a) ? routed[a] : -1);
          return 1;
      }
      return 0;
    };
    audio.handler = [this](uint32_t *r) -> uint32_t {
      // Reads answer what the matching set stored.
      static const std::map<uint32_t, uint32_t> readsBack = {{audio::kReadMode, audio::kSetMode},
                                                             {audio::kReadLanguage, audio::kSetLanguage},
                                                             {audio::kReadDetectedModes, audio::kSetMode},
                                                             {audio::kReadRawVolume, audio::kSetRawVolume}};
      const uint32_t op = r[requests::kOperationWord];
      uint32_t &value = r[audio::kValueWord];
      if (op == audio::kSetMode || op == audio::kSetLanguage || op == audio::kSetRawVolume) audioState[op] = value;
      else if (auto o = readOverride.find(op); o != readOverride.end()) value = o->second;
      else if (auto b = readsBack.find(op); b != readsBack.end()) value = audioState[b->second];
      else value = 0;
      return 1;
    };
  }
  std::vector<uint32_t> AudioSends(uint32_t number) {
    std::vector<uint32_t> out;
    for (auto [n, v] : audio.requests)
      if (n == number) out.push_back(v);
    return out;
  }
  std::vector<Pin> pins;
  FakeComponent &crossbar;
  FakeComponent &audio;
  std::map<int32_t, int32_t> routed;  // output → input
  std::map<uint32_t, uint32_t> audioState;     // last value of each set request
  std::map<uint32_t, uint32_t> readOverride;  // read request → scripted answer
};

// Tuner video with its audio, two composites with audio, S-video without,
// a separate line input and the two outputs.
std::vector<Pin> SixInputs() {
  return {{1, 0, 1, 2},     {1, 1, 0, 4097},  {1, 2, 3, 3},  {1, 3, 2, 4098}, {1, 4, 5, 3},
          {1, 5, 4, 4098},  {1, 6, -1, 4},    {1, 7, -1, 4098}, {1, 8, -1, 13}, {0, 9, -1, 13},
          {0, 10, -1, 4105}};
}
const std::vector<uint32_t> kAudioCaps = {0x80000003u, 0, 0x10001, 0, 0, 65535, 1, 0};

TEST(CrossbarControl, SourceListNamesAndTypes) {
  CrossbarFixture f(SixInputs(), kAudioCaps);
  CCrossbarControl x(f.env);
  ASSERT_EQ(x.GetSourceCount(), 5);  // decoder input (13) and tied audio inputs are not listed
  auto name = [&](int32_t i) {
    return NameOf(x.GetSourceNameLength(i), [&](char16_t *b) { return x.GetSourceName(i, b); });
  };
  EXPECT_EQ(name(0), u"Tuner");
  EXPECT_EQ(name(1), u"Composite 0");
  EXPECT_EQ(name(2), u"Composite 1");
  EXPECT_EQ(name(3), u"SVideo");
  EXPECT_EQ(name(4), u"Line Audio");
  EXPECT_EQ(x.GetSourceNameLength(5), 0);
  EXPECT_EQ(x.GetSourceType(1), 3);
  EXPECT_EQ(x.GetSourceType(5), 1);
  EXPECT_EQ(x.SourceHasAudio(1), 1);
  EXPECT_EQ(x.SourceHasAudio(3), 0);
  EXPECT_EQ(x.SourceHasAudio(9), 0);
  EXPECT_EQ(x.GetSource(), -1);
  // Per-source settings names carry the instance number.
  x.SaveSettings();
  uint32_t v = 0;
  ConfigStore store(f.m.registry, kKernelServiceName);
  EXPECT_TRUE(store.ReadUserDword(u"Stereo_Composite0", &v));
  EXPECT_TRUE(store.ReadUserDword(u"Stereo_Composite1", &v));
  EXPECT_TRUE(store.ReadUserDword(u"Mute_Tuner0", &v));
  EXPECT_TRUE(store.ReadUserDword(u"Sap_Line0", &v));
}

TEST(CrossbarControl, SelectingSourcesMutesAndKeepsEachSourcesMute) {
  CrossbarFixture f(SixInputs(), kAudioCaps);
  CCrossbarControl x(f.env);
  EXPECT_EQ(x.SetSource(3), 1);  // S-video has no audio: muted
  EXPECT_EQ(x.GetSource(), 3);
  EXPECT_EQ(x.GetMute(), 1);
  EXPECT_EQ(x.SetSource(1), 1);
  EXPECT_EQ(f.routed[10], 3);
  EXPECT_EQ(x.GetMute(), 0);
  EXPECT_EQ(x.SetMute(1), 1);
  EXPECT_EQ(x.GetMute(), 1);
  x.SetSource(0);
  EXPECT_EQ(x.GetMute(), 0);
  x.SetSource(1);
  EXPECT_EQ(x.GetMute(), 1) << "the mute flag belongs to the source";
  EXPECT_EQ(x.SetSource(7), 0);
  EXPECT_EQ(x.GetSource(), 1);
}

TEST(CrossbarControl, VolumeScalingAndLimits) {
  CrossbarFixture f(SixInputs(), kAudioCaps);
  CCrossbarControl x(f.env);
  EXPECT_EQ(x.SetVolume(101), 0);
  EXPECT_EQ(x.SetVolume(-1), 0);
  EXPECT_EQ(x.SetVolume(75), 1);
  EXPECT_EQ(f.AudioSends(audio::kSetRawVolume).back(), 49151u);
  EXPECT_EQ(x.GetVolume(), 75);
  EXPECT_EQ(x.SetInternalVolume(50), 0);
  // No range, or a range without a step, cannot be set.
  CrossbarFixture flat(SixInputs(), {1, 0, 1, 0, 10, 10, 1, 0});
  EXPECT_EQ(CCrossbarControl(flat.env).SetVolume(50), 0);
  CrossbarFixture noStep(SixInputs(), {1, 0, 1, 0, 0, 100, 0, 0});
  CCrossbarControl y(noStep.env);
  EXPECT_EQ(y.SetVolume(50), 0);
  EXPECT_EQ(y.GetVolume(), -1);
}

TEST(CrossbarControl, LanguageStereoAndAudioModes) {
  CrossbarFixture f(SixInputs(), kAudioCaps);
  CCrossbarControl x(f.env);
  x.SetSource(0);
  const std::vector<int32_t> answers = {1, 2, 3};
  for (int32_t index : {0, 1, 2}) {
    EXPECT_EQ(x.SetLanguage(index), 1);
    EXPECT_EQ(x.GetLanguage(), answers[static_cast<size_t>(index)]);
  }
  EXPECT_EQ(f.AudioSends(audio::kSetLanguage), (std::vector<uint32_t>{1, 1, 2, 4}));  // the first from SetSource
  f.readOverride[audio::kReadLanguageFlags] = 2 | 4;
  EXPECT_EQ(x.GetLanguageCount(), 3);
  f.readOverride[audio::kReadLanguageFlags] = 4;
  EXPECT_EQ(x.GetLanguageCount(), 2);
  // Tuner mask: Auto, Mono, Nicam.
  EXPECT_EQ(x.GetAudioModeCount(), 3);
  EXPECT_EQ(x.GetAudioModeCode(2), 0);
  EXPECT_EQ(x.GetAudioModeCode(3), -1);
  EXPECT_EQ(NameOf(x.GetAudioModeNameLength(1), [&](char16_t *b) { return x.GetAudioModeName(1, b); }), u"Nicam");
  EXPECT_EQ(x.SetStereo(1), 1);
  EXPECT_EQ(f.AudioSends(audio::kSetMode).back(), 0x80000000u);
  EXPECT_EQ(x.SetStereo(0), 1);
  EXPECT_EQ(f.AudioSends(audio::kSetMode).back(), 1u);
  // A composite source: the other mask (Mono, Line Stereo) without Auto.
  x.SetSource(1);
  EXPECT_EQ(x.SetStereo(1), 1);
  EXPECT_EQ(f.AudioSends(audio::kSetMode).back(), 0x10000u);
  EXPECT_EQ(x.GetStereo(), 1);
  EXPECT_EQ(x.SetAudioMode(2), 0);
  EXPECT_EQ(x.SetAudioMode(0), 1);
  EXPECT_EQ(x.GetStereo(), 0);
}

TEST(CrossbarControl, LoadingWithNothingStoredAndWithBadValues) {
  CrossbarFixture f(SixInputs(), kAudioCaps);
  {
    CCrossbarControl x(f.env);
    x.LoadSettings();
    EXPECT_EQ(x.GetSource(), 0);
    EXPECT_EQ(x.GetVolume(), 75);
    EXPECT_EQ(x.GetInternalVolume(), 75);
    for (const auto &s : x.Sources()) {
      EXPECT_EQ(s.mute, 0u);
      EXPECT_EQ(s.language, 1u);
    }
    EXPECT_EQ(x.Sources()[0].audioMode, 0x80000000u);  // tuner: Auto offered
    EXPECT_EQ(x.Sources()[1].audioMode, 1u);           // composite: no Auto
  }
  ConfigStore store(f.m.registry, kKernelServiceName);
  store.WriteUserDword(u"xbar_Source", 9);
  store.WriteUserDword(u"Mute_Composite1", 1);
  store.WriteUserDword(u"xbar_ExtVolume", 20);
  CCrossbarControl x(f.env);
  x.LoadSettings();
  EXPECT_EQ(x.GetSource(), 0);
  EXPECT_EQ(x.GetVolume(), 20);
  EXPECT_EQ(x.Sources()[2].mute, 1u);
}

TEST(CrossbarControl, NoPinsMeansNoSources) {
  CrossbarFixture f({}, kAudioCaps);
  CCrossbarControl x(f.env);
  EXPECT_EQ(x.GetSourceCount(), 0);
  EXPECT_EQ(x.GetSource(), -1);
  EXPECT_EQ(x.SetSource(0), 0);
  EXPECT_EQ(x.GetSourceNameLength(0), 0);
}

}  // namespace
}  // namespace tolven::testing
