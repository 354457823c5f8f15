#include "driver/control/tuner_control.h"

#include "driver/tuning/plan_choice.h"
#include "driver/tuning/profile_location.h"

namespace tolven::control {

namespace {

using namespace requests::tuner;
constexpr uint32_t kNoFrequency = 0xFFFFFFFFu;

}  // namespace

CTunerControl::CTunerControl(ControlEnvironment &environment) : ComponentBase(environment) {
  ConfigStore store = env_.Store();
  tuning::LoadChosenPlan(store, env_.resources, &plan_);
  env_.board.TunerDescribe(tunerCaps_);
  env_.board.AudioDescribe(audioCaps_);
  profileDirectory_ = tuning::ChannelFileDirectory(env_.files);
  extension_ = tuning::kChannelFileExtension;
  const uint32_t inputs = tunerCaps_[kInputCount];
  if (inputs == 0) return;
  inputs_.resize(inputs);
  for (uint32_t i = 0; i < inputs; ++i) {
    const int32_t remembered = GetInput();
    const bool switched = remembered != static_cast<int32_t>(i);
    if (switched && !Request(kSelectInput, i, nullptr)) continue;
    InputRecord &r = inputs_[i];
    Request(kReadInputType, 0, &r.type);
    Request(kReadInputSecond, 0, &r.second);
    Request(kReadStandards, 0, &r.standards);
    if (switched) Request(kSelectInput, static_cast<uint32_t>(remembered), nullptr);
  }
  inputNumber_ = 0;
  LoadSettings();
}

bool CTunerControl::Request(uint32_t number, uint32_t argument, uint32_t *result) {
  uint32_t record[kRecordWords] = {number, argument, 0};
  if (!env_.board.TunerRequest(record)) return false;
  if (result) *result = record[kResultWord];
  return true;
}

// --- inputs and standards ---------------------------------------------------

int32_t CTunerControl::GetInputCount() { return static_cast<int32_t>(tunerCaps_[kInputCount]); }

int32_t CTunerControl::GetInput() {
  uint32_t input = 0;
  return Request(kReadCurrentInput, 0, &input) ? static_cast<int32_t>(input) : -1;
}

int32_t CTunerControl::SetInput(int32_t index) {
  if (index < 0 || index >= GetInputCount()) return 0;
  uint32_t result = 0;
  return Request(kSelectInput, static_cast<uint32_t>(index), &result) ? static_cast<int32_t>(result) : 0;
}

int32_t CTunerControl::GetInputType(int32_t index) {
  return ValidInput(index) ? static_cast<int32_t>(inputs_[static_cast<size_t>(index)].type) : 0;
}

WString CTunerControl::InputTypeName(int32_t index) const {
  if (!ValidInput(index)) return {};
  return Name(kTunerInputTypes.NameOf(inputs_[static_cast<size_t>(index)].type));
}

int32_t CTunerControl::GetInputTypeNameLength(int32_t index) { return NameLength(InputTypeName(index)); }
int32_t CTunerControl::GetInputTypeName(int32_t index, char16_t *buffer) {
  return CopyName(InputTypeName(index), buffer);
}

int32_t CTunerControl::GetStandardCount() {
  const int32_t input = GetInput();
  if (!ValidInput(input)) return 0;
  return CountBits(inputs_[static_cast<size_t>(input)].standards, kTunerStandards.countedBits);
}

int32_t CTunerControl::SetStandard(int32_t index) {
  const int32_t input = GetInput();
  if (!ValidInput(input)) return 0;
  const uint32_t standards = inputs_[static_cast<size_t>(input)].standards;
  if (index < 0 || index >= CountBits(standards, kTunerStandards.countedBits)) return 0;
  const uint32_t bit = NthBit(standards, index);
  if (!bit) return 0;
  return Request(kSelectStandard, bit, nullptr) ? 1 : 0;
}

int32_t CTunerControl::GetStandard() {
  uint32_t standard = 0;
  Request(kReadStandards, 0, &standard);
  return IndexOfBit(tunerCaps_[requests::tuner::kStandards], standard);
}

WString CTunerControl::StandardName(int32_t index) const {
  const uint32_t mask = tunerCaps_[requests::tuner::kStandards];
  if (index < 0 || index >= CountBits(mask, kTunerStandards.countedBits)) return {};
  return Name(kTunerStandards.NameOf(NthBit(mask, index)));
}

int32_t CTunerControl::GetStandardNameLength(int32_t index) { return NameLength(StandardName(index)); }
int32_t CTunerControl::GetStandardName(int32_t index, char16_t *buffer) {
  return CopyName(StandardName(index), buffer);
}

// --- channels ---------------------------------------------------------------

int32_t CTunerControl::GetChannelCount() { return channels_.GetCount(); }

int32_t CTunerControl::TuneChannel(int32_t index) {
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(index, &channel) || channel.frequency == kNoFrequency) return 0;
  return Tune(channel.frequency) ? 1 : 0;
}

int32_t CTunerControl::GetChannelNameLength(int32_t index) {
  tuning::CVarnTunerChannel channel;
  return channels_.GetAt(index, &channel) ? NameLength(channel.name) : 0;
}

int32_t CTunerControl::GetChannelName(int32_t index, char16_t *buffer) {
  tuning::CVarnTunerChannel channel;
  return channels_.GetAt(index, &channel) ? CopyName(channel.name, buffer) : 0;
}

int32_t CTunerControl::GetChannelNumber(int32_t index) {
  tuning::CVarnTunerChannel channel;
  return channels_.GetAt(index, &channel) ? static_cast<int32_t>(channel.channelNumber) : -1;
}

int32_t CTunerControl::GetCurrentChannel() {
  uint32_t hz = 0;
  if (!Request(kReadFrequency, 0, &hz)) return -1;
  for (int32_t i = 0; i < channels_.GetCount(); ++i) {
    tuning::CVarnTunerChannel channel;
    if (channels_.GetAt(i, &channel) && channel.frequency == hz) return i;
  }
  return -1;
}

int32_t CTunerControl::GetChannelPosition(int32_t index) {
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(index, &channel) || plan_.Empty()) return -1;
  const int32_t k = plan_.PositionOfNumber(channel.channelNumber);
  if (k < 0) return -1;
  return static_cast<int32_t>(int64_t{k} * 100 / static_cast<int64_t>(plan_.Count()));
}

int32_t CTunerControl::RenameChannel(int32_t index, const char16_t *name) {
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(index, &channel)) return 0;
  channel.name = name ? WString(name) : WString();
  return channels_.SetAt(index, channel) ? 1 : 0;
}

WString CTunerControl::DefaultChannelName() const {
  const WString base = Name(kNewChannelString);
  for (uint32_t n = 1;; ++n) {
    const WString candidate = base + u" " + DecimalW(n);
    bool used = false;
    for (int32_t i = 0; i < channels_.GetCount() && !used; ++i) {
      tuning::CVarnTunerChannel channel;
      used = channels_.GetAt(i, &channel) && channel.name == candidate;
    }
    if (!used) return candidate;
  }
}

int32_t CTunerControl::AddChannel(const char16_t *name, int32_t position) {
  const tuning::CItuInfo *free = nullptr;
  for (const tuning::CItuInfo &entry : plan_)
    if (channels_.FindChannelNumber(entry.number) == -1) {
      free = &entry;
      break;
    }
  if (!free) return 0;
  tuning::CVarnTunerChannel channel;
  channel.name = name && *name ? WString(name) : DefaultChannelName();
  channel.channelNumber = free->number;
  channel.frequency = free->FrequencyHz();
  channel.inputNumber = static_cast<uint32_t>(GetInput());
  channel.audioMode = (audioCaps_[requests::audio::kTunerModes] & kAudioAuto) ? kAudioAuto : kAudioMono;
  channel.language = 1;
  channels_.InsertAt(position, channel);
  return 1;
}

int32_t CTunerControl::MoveChannel(int32_t from, int32_t to) {
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(from, &channel)) return 0;
  channels_.RemoveAt(from);
  channels_.InsertAt(to, channel);
  return 1;
}

int32_t CTunerControl::DeleteChannel(int32_t index) { return channels_.RemoveAt(index) ? 1 : 0; }

int32_t CTunerControl::DeleteAllChannels() {
  channels_.RemoveAll();
  return 1;
}

int32_t CTunerControl::SetChannelNumber(int32_t index, int32_t number) {
  const uint32_t hz = plan_.FrequencyOfNumber(static_cast<uint32_t>(number));
  tuning::CVarnTunerChannel channel;
  if (hz == tuning::kNotInPlan || !channels_.GetAt(index, &channel)) return 0;
  channel.channelNumber = static_cast<uint32_t>(number);
  channel.frequency = hz;
  return channels_.SetAt(index, channel) ? 1 : 0;
}

int32_t CTunerControl::SetProfileLocation(const char16_t *directory, const char16_t *extension) {
  if (directory) {
    profileDirectory_ = directory;
    if (profileDirectory_.empty() || profileDirectory_.back() != u'\\') profileDirectory_ += u'\\';
  }
  if (extension) extension_ = extension;
  return 0;
}

int32_t CTunerControl::MarkCurrentChannel() {
  markedIndex_ = GetCurrentChannel();
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(markedIndex_, &channel)) return 0;
  markedFrequency_ = channel.frequency;
  return 1;
}

int32_t CTunerControl::RestoreMarkedChannel() {
  tuning::CVarnTunerChannel channel;
  if (!channels_.GetAt(markedIndex_, &channel)) return 0;
  channel.frequency = markedFrequency_;
  return channels_.SetAt(markedIndex_, channel) ? 1 : 0;
}

// --- settings ---------------------------------------------------------------

WString CTunerControl::ChannelFilePath() const {
  return tuning::ChannelFileName(profileDirectory_, tuning::kDriverShortName, inputNumber_, extension_);
}

int32_t CTunerControl::OpenSettingsKey(const char16_t *subkey) { return settings_.Open(subkey); }

int32_t CTunerControl::SaveSettings() {
  bool ok = channels_.Save(env_.files, ChannelFilePath());
  ok = settings_.Write(u"tune_CurrentChannel", static_cast<uint32_t>(GetCurrentChannel())) && ok;
  ok = settings_.Write(u"tune_InputNumber", static_cast<uint32_t>(GetInput())) && ok;
  ok = settings_.Write(u"tune_BroadcastFormat", static_cast<uint32_t>(GetStandard())) && ok;
  return ok ? 1 : 0;
}

int32_t CTunerControl::LoadSettings() {
  auto stored = [&](const char16_t *name, int32_t limit) {
    uint32_t value = 0;
    if (!settings_.Read(name, &value)) return 0u;
    return value > static_cast<uint32_t>(limit) ? 0u : value;
  };
  SetInput(static_cast<int32_t>(stored(u"tune_InputNumber", GetInputCount())));
  SetStandard(static_cast<int32_t>(stored(u"tune_BroadcastFormat", GetStandardCount())));
  channels_.Load(env_.files, ChannelFilePath());
  TuneChannel(static_cast<int32_t>(stored(u"tune_CurrentChannel", GetChannelCount())));
  return 1;
}

void *CTunerControl::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

}  // namespace tolven::control
