#include "driver/hardware/crossbar_switch.h"

#include "driver/hardware/requests.h"
#include "driver/hardware/tv_audio.h"
#include "driver/hardware/video_decoder.h"

namespace tolven {

namespace {

// Connector type codes.
enum : uint32_t {
  kTunerIn = 2, kComposite = 3, kSVideo = 4, kConnector10 = 10, kOutput13 = 13, kFeature = 16,
  kAudioTuner = 4097, kAudioLine = 4098,
};

// clang-format off
constexpr CrossbarPin kPinsNoTuner[] = {
  {1, 0, -1, kComposite}, {1, 1, -1, kFeature}, {0, 2, -1, kOutput13},
};
constexpr CrossbarPin kPinsTuner[] = {
  {1, 0, 4, kComposite}, {1, 1, 5, kSVideo}, {1, 2, 6, kTunerIn}, {1, 3, -1, kFeature},
  {1, 4, 0, kAudioLine}, {1, 5, 1, kAudioLine}, {1, 6, 2, kAudioTuner},
  {0, 7, 8, kOutput13}, {0, 8, 7, kAudioLine},
};
constexpr CrossbarPin kPinsTunerType7[] = {
  {1, 0, 5, kComposite}, {1, 1, 6, kSVideo}, {1, 2, 7, kConnector10}, {1, 3, 8, kConnector10},
  {1, 4, -1, kFeature}, {1, 5, 0, kAudioLine}, {1, 6, 1, kAudioLine}, {1, 7, 2, kAudioLine},
  {1, 8, 3, kAudioLine}, {0, 9, 10, kOutput13}, {0, 10, 9, kAudioLine},
};

// What routing a video input does: decoder input selector (bits 5-6 of
// register 0x01), S-Video chroma, or the digital input.
struct VideoRoute {
  int32_t input;
  bool digital;
  uint8_t selector;
  bool sVideo;
};
// What routing an audio input does: the audio processor's source; -1 mutes.
struct AudioRoute {
  int32_t input;
  int32_t source;
};

struct PinSet {
  const CrossbarPin *pins;
  int32_t pinCount;
  int32_t videoOutput;  // -1: none
  int32_t audioOutput;
  VideoRoute video[5];
  int32_t videoCount;
  AudioRoute audio[5];
  int32_t audioCount;
};

constexpr PinSet kVariants[3] = {
  // 0: no tuner
  {kPinsNoTuner, 3, 2, -1,
   {{0, false, 64, false}, {1, true, 0, false}}, 2,
   {}, 0},
  // 1: tuner found
  {kPinsTuner, 9, 7, 8,
   {{0, false, 64, false}, {1, false, 96, true}, {2, false, 0, false}, {3, true, 0, false}}, 4,
   {{-1, -1}, {4, 1}, {5, 1}, {6, 0}}, 4},
  // 2: tuner of type 7
  {kPinsTunerType7, 11, 9, 10,
   {{0, false, 64, false}, {1, false, 96, true}, {2, false, 0, false}, {3, false, 32, false},
    {4, true, 0, false}}, 5,
   {{-1, -1}, {5, 1}, {6, 1}, {7, 2}, {8, 2}}, 5},
};

// Low four bits of the decoder's input register for the current standard.
struct StandardBits {
  uint32_t code;
  uint8_t bits;
};
constexpr StandardBits kInputStandardBits[] = {
  {kStdPal, 4}, {kStdNtsc443, 3}, {kStdNtsc, 1}, {kStdPseudoNtsc, 1}, {kStdNtscJ, 2},
  {kStdPalNc, 7}, {kStdPalM, 5}, {kStdPalN, 6}, {kStdSecam, 9}, {kStdPal60, 9},
};
// clang-format on

}  // namespace

int32_t CCrossbarSwitch::PinCount() const { return kVariants[variant_].pinCount; }

bool CCrossbarSwitch::Pin(int32_t index, CrossbarPin *pin) const {
  const PinSet &v = kVariants[variant_];
  if (index < 0 || index >= v.pinCount) return false;
  *pin = v.pins[index];
  return true;
}

void CCrossbarSwitch::SelectAnalogue(uint8_t selector) {
  uint8_t bits = 0;
  uint32_t code = decoder_.StoredStandard();
  for (const auto &s : kInputStandardBits)
    if (s.code == code) bits = s.bits;
  decoder_.Write(0x01, static_cast<uint8_t>(selector | bits));
  decoder_.Rescale();
}

void CCrossbarSwitch::SetChroma(bool sVideo) {
  decoder_.Write(0x15, sVideo ? 64 : 0);
  decoder_.Write(0x1C, sVideo ? 0 : 2);
}

bool CCrossbarSwitch::RouteVideo(int32_t input) {
  const PinSet &v = kVariants[variant_];
  for (int32_t i = 0; i < v.videoCount; ++i) {
    const VideoRoute &r = v.video[i];
    if (r.input != input) continue;
    if (r.digital) {
      decoder_.SetDigitalInput(true);
    } else {
      SelectAnalogue(r.selector);
      SetChroma(r.sVideo);
      decoder_.SetDigitalInput(false);
    }
    videoInput_ = input;
    return true;
  }
  return false;
}

bool CCrossbarSwitch::RouteAudio(int32_t input) {
  const PinSet &v = kVariants[variant_];
  for (int32_t i = 0; i < v.audioCount; ++i) {
    const AudioRoute &r = v.audio[i];
    if (r.input != input) continue;
    if (r.source < 0) {
      audio_.Mute(true);
      audioInput_ = -1;
      return false;
    }
    audio_.SetSource(static_cast<uint32_t>(r.source));
    audio_.Mute(false);
    audioInput_ = input;
    return true;
  }
  return false;
}

bool CCrossbarSwitch::Route(int32_t input, int32_t output) {
  const PinSet &v = kVariants[variant_];
  if (output == v.videoOutput) return RouteVideo(input);
  if (output == v.audioOutput && v.audioOutput >= 0) return RouteAudio(input);
  return false;
}

bool CCrossbarSwitch::CanRoute(int32_t input, int32_t output) const {
  const PinSet &v = kVariants[variant_];
  if (output == v.videoOutput) {
    for (int32_t i = 0; i < v.videoCount; ++i)
      if (v.video[i].input == input) return true;
  } else if (output == v.audioOutput && v.audioOutput >= 0) {
    for (int32_t i = 0; i < v.audioCount; ++i)
      if (v.audio[i].input == input) return true;
  }
  return false;
}

bool CCrossbarSwitch::Routing(int32_t pin, int32_t *input, int32_t *output) const {
  const PinSet &v = kVariants[variant_];
  if (pin < 0 || pin >= v.pinCount) return false;
  if (pin == v.videoOutput) {
    *input = videoInput_;
    *output = pin;
  } else if (pin == v.audioOutput) {
    *input = audioInput_;
    *output = pin;
  } else if (v.pins[pin].type < kAudioTuner) {
    *input = pin;
    *output = pin == videoInput_ ? v.videoOutput : -1;
  } else {
    *input = pin;
    *output = pin == audioInput_ ? v.audioOutput : -1;
  }
  return true;
}

bool CCrossbarSwitch::Initialise() {
  switch (variant_) {
    case 0:
      Route(0, 2);
      break;
    case 1:
      Route(2, 7);
      Route(6, 8);
      Route(-1, 8);
      break;
    default:
      Route(0, 9);
      Route(5, 10);
      Route(-1, 10);
      break;
  }
  SetChroma(false);
  decoder_.SetDigitalInput(false);
  if (variant_ == 0) audio_.Mute(true);
  return true;
}

uint32_t CCrossbarSwitch::Dispatch(uint32_t *record) {
  using namespace requests::crossbar;
  const int32_t a = static_cast<int32_t>(record[kInputWord]);  // or the pin asked about
  const int32_t b = static_cast<int32_t>(record[kOutputWord]);
  switch (record[requests::kOperationWord]) {
    case kPinInfo: {
      CrossbarPin pin{};
      if (!Pin(a, &pin)) return 0;
      record[kDirectionWord] = pin.direction;
      record[kIndexWord] = static_cast<uint32_t>(pin.index);
      record[kRelatedWord] = static_cast<uint32_t>(pin.related);
      record[kTypeWord] = pin.type;
      return 1;
    }
    case kCanRoute: record[kAnswerWord] = CanRoute(a, b) ? 1 : 0; return 1;
    case kRoute: record[kAnswerWord] = Route(a, b) ? 1 : 0; return 1;
    case kRouting: {
      int32_t input = -1, output = -1;
      if (!Routing(a, &input, &output)) return 0;
      record[kRoutedInputWord] = static_cast<uint32_t>(input);
      record[kRoutedOutputWord] = static_cast<uint32_t>(output);
      return 1;
    }
    default: return 0;
  }
}

}  // namespace tolven
