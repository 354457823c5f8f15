#include "driver/control/crossbar_control.h"

#include <cstdio>

namespace tolven::control {

namespace {

namespace xbar = requests::crossbar;
using namespace requests::audio;

constexpr int32_t kDefaultVolume = 75;

bool IsListedVideo(uint32_t type) { return (type >= 2 && type <= 12) || (type >= 14 && type <= 16); }
bool IsListedAudio(uint32_t type) { return type >= 4097 && type <= 4104; }
bool IsTunerType(uint32_t type) { return type == 2 || type == 4097; }

}  // namespace

CCrossbarControl::CCrossbarControl(ControlEnvironment &environment) : ComponentBase(environment) {
  env_.board.AudioDescribe(audioCaps_);
  for (int32_t index = 0;; ++index) {
    uint32_t direction = 0, type = 0;
    int32_t pin = -1, related = -1;
    if (!PinInfo(index, &direction, &pin, &related, &type)) break;
    if (direction == 1) {
      if (!IsListedVideo(type) && !(IsListedAudio(type) && related == -1)) continue;
      Source s;
      s.pin = pin;
      s.audioPin = related;
      s.type = type;
      for (const Source &other : sources_)
        if (other.type == type) ++s.instance;
      sources_.push_back(s);
    } else if (IsAudioConnector(type)) {
      audioOut_ = pin;
    } else if (IsVideoConnector(type)) {
      videoOut_ = pin;
    }
  }
  ReadSourceSettings();
  current_ = GetSource();
  volume_ = ReadHardwareVolume();
  internalVolume_ = -1;
}

// --- hardware requests ------------------------------------------------------

bool CCrossbarControl::PinInfo(int32_t index, uint32_t *direction, int32_t *pin, int32_t *related,
                               uint32_t *type) {
  uint32_t record[xbar::kRecordWords] = {xbar::kPinInfo, static_cast<uint32_t>(index)};
  if (!env_.board.CrossbarRequest(record)) return false;
  *direction = record[xbar::kDirectionWord];
  *pin = static_cast<int32_t>(record[xbar::kIndexWord]);
  *related = static_cast<int32_t>(record[xbar::kRelatedWord]);
  *type = record[xbar::kTypeWord];
  return true;
}

bool CCrossbarControl::CanRoute(int32_t input, int32_t output) {
  uint32_t record[xbar::kRecordWords] = {xbar::kCanRoute, static_cast<uint32_t>(input),
                                         static_cast<uint32_t>(output)};
  return env_.board.CrossbarRequest(record) && record[xbar::kAnswerWord] != 0;
}

int32_t CCrossbarControl::Route(int32_t input, int32_t output) {
  uint32_t record[xbar::kRecordWords] = {xbar::kRoute, static_cast<uint32_t>(input),
                                         static_cast<uint32_t>(output)};
  if (!env_.board.CrossbarRequest(record)) return 0;
  return static_cast<int32_t>(record[xbar::kAnswerWord]);
}

int32_t CCrossbarControl::RoutedInput(int32_t output) {
  uint32_t record[xbar::kRecordWords] = {xbar::kRouting, static_cast<uint32_t>(output)};
  if (!env_.board.CrossbarRequest(record)) return -1;
  return static_cast<int32_t>(record[xbar::kRoutedInputWord]);
}

uint32_t CCrossbarControl::PinType(int32_t pin) {
  uint32_t direction = 0, type = 0;
  int32_t number = -1, related = -1;
  return pin >= 0 && PinInfo(pin, &direction, &number, &related, &type) ? type : 0;
}

bool CCrossbarControl::AudioSend(uint32_t number, uint32_t value) {
  uint32_t record[kRequestWords] = {number, value};
  return env_.board.AudioRequest(record) != 0;
}

uint32_t CCrossbarControl::AudioRead(uint32_t number, bool *ok) {
  uint32_t record[kRequestWords] = {number, 0};
  const bool answered = env_.board.AudioRequest(record) != 0;
  if (ok) *ok = answered;
  if (answered) return record[kValueWord];
  return number == kReadRawVolume ? 0 : 1;
}

// --- sources ----------------------------------------------------------------

int32_t CCrossbarControl::GetSourceCount() { return static_cast<int32_t>(sources_.size()); }

int32_t CCrossbarControl::GetSourceType(int32_t index) {
  if (!Valid(index)) return 1;
  const uint32_t type = sources_[static_cast<size_t>(index)].type;
  return FindConnector(type) ? static_cast<int32_t>(type) : -1;
}

int32_t CCrossbarControl::GetSource() {
  if (sources_.empty()) return -1;
  const int32_t routed = RoutedInput(videoOut_);
  if (routed == -1) return -1;
  for (size_t i = 0; i < sources_.size(); ++i)
    if (sources_[i].pin == routed) return static_cast<int32_t>(i);
  return -1;
}

WString CCrossbarControl::SourceName(int32_t index) const {
  if (!Valid(index)) return {};
  const Source &s = sources_[static_cast<size_t>(index)];
  const ConnectorEntry *c = FindConnector(s.type);
  if (!c) return {};
  WString name = Name(c->stringId);
  if (name.empty()) return {};
  int same = 0;
  for (const Source &other : sources_)
    if (other.type == s.type) ++same;
  if (same >= 2) name += u" " + Widen(std::to_string(s.instance));
  return name;
}

int32_t CCrossbarControl::GetSourceNameLength(int32_t index) { return NameLength(SourceName(index)); }
int32_t CCrossbarControl::GetSourceName(int32_t index, char16_t *buffer) {
  return CopyName(SourceName(index), buffer);
}

int32_t CCrossbarControl::SourceHasAudio(int32_t index) {
  if (!Valid(index)) return 0;
  const Source &s = sources_[static_cast<size_t>(index)];
  if (s.valid == 0) return 1;
  return s.audioPin != -1 ? 1 : 0;
}

int32_t CCrossbarControl::SetSource(int32_t index) {
  if (!Valid(index)) return 0;
  const Source source = sources_[static_cast<size_t>(index)];
  int32_t result = CanRoute(source.pin, videoOut_) ? Route(source.pin, videoOut_) : 0;
  if (source.audioPin == -1 && source.valid == 1) {
    if (result == 0) return 0;
    current_ = index;
    SetMute(1);
    return result;
  }
  result &= RouteAudio(source);
  if (result != 0) current_ = index;
  return result;
}

int32_t CCrossbarControl::RouteAudio(const Source &source) {
  const int32_t input = source.valid == 0 ? source.pin : source.audioPin;
  if (!CanRoute(input, audioOut_)) return 0;
  const int32_t result = Route(input, audioOut_);
  AudioSend(kSetLanguage, source.language);
  AudioSend(kSetMode, source.audioMode);
  if (source.mute) Route(-1, audioOut_);
  return result;
}

// --- mute and volume --------------------------------------------------------

int32_t CCrossbarControl::SetMute(int32_t on) {
  const int32_t routed = RoutedInput(audioOut_);
  if (Valid(current_)) sources_[static_cast<size_t>(current_)].mute = on ? 1 : 0;
  // The crossbar answers a disconnection as a failed route even when it has
  // disconnected, so a mute is judged by what is routed afterwards.
  if (on && routed != -1) {
    Route(-1, audioOut_);
    return RoutedInput(audioOut_) == -1 ? 1 : 0;
  }
  if (!on && routed == -1 && Valid(current_)) return RouteAudio(sources_[static_cast<size_t>(current_)]);
  return 1;
}

int32_t CCrossbarControl::GetMute() { return RoutedInput(audioOut_) == -1 ? 1 : 0; }

int32_t CCrossbarControl::SetVolume(int32_t percent) {
  const int64_t minimum = static_cast<int32_t>(audioCaps_[kVolumeMinimum]);
  const int64_t maximum = static_cast<int32_t>(audioCaps_[kVolumeMaximum]);
  const int64_t step = static_cast<int32_t>(audioCaps_[kVolumeStep]);
  if (minimum == maximum || percent < 0 || percent > 100) return 0;
  // A hardware record without a step cannot be scaled (it would divide by
  // zero); such a volume cannot be set.
  if (step == 0) return 0;
  const int64_t steps = (maximum - minimum) / step;
  const int64_t raw = ((steps * percent) / 100) * step + minimum;
  if (!AudioSend(kSetRawVolume, static_cast<uint32_t>(raw))) return 0;
  volume_ = percent;
  return 1;
}

int32_t CCrossbarControl::ReadHardwareVolume() {
  const int64_t minimum = static_cast<int32_t>(audioCaps_[kVolumeMinimum]);
  const int64_t maximum = static_cast<int32_t>(audioCaps_[kVolumeMaximum]);
  const int64_t step = static_cast<int32_t>(audioCaps_[kVolumeStep]);
  if (minimum == maximum || step == 0 || (maximum - minimum) / step == 0) return -1;
  bool ok = false;
  const int64_t raw = static_cast<int32_t>(AudioRead(kReadRawVolume, &ok));
  if (!ok) return -1;
  // Rounded up: setting a percentage truncates to whole steps, so rounding
  // down here would read back one less than was set, and a volume saved from
  // that reading would drop a little at every start.
  const int64_t steps = (maximum - minimum) / step;
  return static_cast<int32_t>(((raw - minimum) / step * 100 + steps - 1) / steps);
}

int32_t CCrossbarControl::SetInternalVolume(int32_t) { return 0; }
int32_t CCrossbarControl::GetVolume() { return volume_; }
int32_t CCrossbarControl::GetInternalVolume() { return internalVolume_; }

// --- audio modes and language -----------------------------------------------

bool CCrossbarControl::TunerRouted() { return IsTunerType(PinType(RoutedInput(videoOut_))); }

uint32_t CCrossbarControl::ApplicableMask() {
  return TunerRouted() ? audioCaps_[kTunerModes] : audioCaps_[kOtherModes];
}

int32_t CCrossbarControl::SetStereo(int32_t on) {
  uint32_t mode = kAudioMono;
  if (on) {
    const bool tuner = TunerRouted();
    const uint32_t mask = tuner ? audioCaps_[kTunerModes] : audioCaps_[kOtherModes];
    if (mask & kAudioAuto) {
      mode = kAudioAuto;
    } else if (tuner) {
      for (uint32_t m : kTunerStereoModes)
        if (audioCaps_[kTunerModes] & m) {
          mode = m;
          break;
        }
    } else if (mask & kAudioLineStereo) {
      mode = kAudioLineStereo;
    } else if (mask & kAudioLineDual) {
      mode = kAudioLineDual;
    }
  }
  if (Valid(current_)) sources_[static_cast<size_t>(current_)].audioMode = mode;
  return AudioSend(kSetMode, mode) ? 1 : 0;
}

int32_t CCrossbarControl::GetStereo() {
  if (ApplicableMask() & kAudioAuto) return AudioRead(kReadDetectedModes) != kAudioMono ? 1 : 0;
  if (!Valid(current_)) return 0;
  return sources_[static_cast<size_t>(current_)].audioMode != kAudioMono ? 1 : 0;
}

int32_t CCrossbarControl::GetAudioModeCount() { return CountBits(ApplicableMask(), kAudioModes.countedBits); }

int32_t CCrossbarControl::SetAudioMode(int32_t index) {
  const uint32_t mask = ApplicableMask();
  if (index < 0 || index >= CountBits(mask, kAudioModes.countedBits)) return 0;
  const uint32_t mode = NthBit(mask, index);
  if (!mode) return 0;
  if (Valid(current_)) sources_[static_cast<size_t>(current_)].audioMode = mode;
  return AudioSend(kSetMode, mode) ? 1 : 0;
}

int32_t CCrossbarControl::GetAudioMode() { return IndexOfBit(ApplicableMask(), AudioRead(kReadMode)); }

int32_t CCrossbarControl::GetAudioModeCode(int32_t index) {
  const uint32_t mask = ApplicableMask();
  if (index < 0 || index >= CountBits(mask, kAudioModes.countedBits)) return -1;
  return kAudioModes.CodeOf(NthBit(mask, index));
}

int32_t CCrossbarControl::GetAudioModeNameLength(int32_t index) {
  if (index < 0 || index >= GetAudioModeCount()) return 0;
  return NameLength(Name(kAudioModes.NameOf(NthBit(ApplicableMask(), index))));
}

int32_t CCrossbarControl::GetAudioModeName(int32_t index, char16_t *buffer) {
  if (index < 0 || index >= GetAudioModeCount()) return 0;
  return CopyName(Name(kAudioModes.NameOf(NthBit(ApplicableMask(), index))), buffer);
}

int32_t CCrossbarControl::GetDetectedAudioMode() {
  return IndexOfBit(ApplicableMask(), AudioRead(kReadDetectedModes));
}

int32_t CCrossbarControl::SetLanguage(int32_t index) {
  const uint32_t value = index == 1 ? 2 : index == 2 ? 4 : 1;
  if (Valid(current_)) sources_[static_cast<size_t>(current_)].language = value;
  return AudioSend(kSetLanguage, value) ? 1 : 0;
}

int32_t CCrossbarControl::GetLanguageCount() {
  const uint32_t flags = AudioRead(kReadLanguageFlags);
  return 1 + ((flags & 2) ? 1 : 0) + ((flags & 4) ? 1 : 0);
}

int32_t CCrossbarControl::GetLanguage() {
  const uint32_t value = AudioRead(kReadLanguage);
  return value == 2 ? 2 : value == 4 ? 3 : 1;
}

// --- settings ---------------------------------------------------------------

WString CCrossbarControl::SettingName(const char *prefix, const Source &source) const {
  const ConnectorEntry *c = FindConnector(source.type);
  if (!c) return {};
  char name[64];
  std::snprintf(name, sizeof name, c->pattern, prefix, source.instance);
  return Widen(name);
}

uint32_t CCrossbarControl::DefaultAudioMode(uint32_t type) const {
  const uint32_t mask = IsTunerType(type) ? audioCaps_[kTunerModes] : audioCaps_[kOtherModes];
  return (mask & kAudioAuto) ? kAudioAuto : kAudioMono;
}

void CCrossbarControl::ReadSourceSettings() {
  for (Source &s : sources_) {
    uint32_t value = 0;
    s.language = settings_.Read(SettingName("Sap", s), &value) ? value : 1;
    s.audioMode = settings_.Read(SettingName("Stereo", s), &value) ? value : DefaultAudioMode(s.type);
    s.mute = settings_.Read(SettingName("Mute", s), &value) ? value : 0;
  }
}

int32_t CCrossbarControl::OpenSettingsKey(const char16_t *subkey) { return settings_.Open(subkey); }

int32_t CCrossbarControl::SaveSettings() {
  for (const Source &s : sources_) {
    settings_.Write(SettingName("Sap", s), s.language);
    settings_.Write(SettingName("Stereo", s), s.audioMode);
    settings_.Write(SettingName("Mute", s), s.mute);
  }
  settings_.Write(u"xbar_Source", static_cast<uint32_t>(current_));
  settings_.Write(u"xbar_ExtVolume", static_cast<uint32_t>(volume_));
  return settings_.Write(u"xbar_IntVolume", static_cast<uint32_t>(internalVolume_)) ? 1 : 0;
}

int32_t CCrossbarControl::LoadSettings() {
  ReadSourceSettings();
  uint32_t value = 0;
  uint32_t source = settings_.Read(u"xbar_Source", &value) ? value : 0;
  if (source > sources_.size()) source = 0;
  SetSource(static_cast<int32_t>(source));
  const uint32_t volume = settings_.Read(u"xbar_ExtVolume", &value) ? value : kDefaultVolume;
  SetVolume(static_cast<int32_t>(volume));
  internalVolume_ = settings_.Read(u"xbar_IntVolume", &value) ? static_cast<int32_t>(value) : kDefaultVolume;
  SetInternalVolume(internalVolume_);
  return 1;
}

void *CCrossbarControl::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

}  // namespace tolven::control
