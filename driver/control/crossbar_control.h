// The card's inputs as a flat list of named sources, with the TV sound
// controls: audio mode, second language, mute (the crossbar's audio output
// disconnected) and volume. Each source keeps its own audio mode, language
// and mute flag, pushed to the hardware whenever its audio is routed.
#pragma once
#include <vector>

#include "driver/control/component_base.h"

namespace tolven::control {

class CCrossbarControl final : public ICrossbarControl, private ComponentBase {
 public:
  struct Source {
    uint32_t direction = 1;
    int32_t pin = -1;
    int32_t audioPin = -1;  // the related audio input, -1 when none
    uint32_t type = 0;      // connector type code
    uint32_t valid = 1;
    int32_t instance = 0;   // sources of the same type listed before it
    uint32_t audioMode = 0;
    uint32_t language = 0;
    uint32_t mute = 0;
  };

  explicit CCrossbarControl(ControlEnvironment &environment);
  ~CCrossbarControl() = default;

  TOLVEN_THISCALL int32_t GetSourceCount() override;
  TOLVEN_THISCALL int32_t GetSourceType(int32_t index) override;
  TOLVEN_THISCALL int32_t SetSource(int32_t index) override;
  TOLVEN_THISCALL int32_t GetSource() override;
  TOLVEN_THISCALL int32_t GetSourceNameLength(int32_t index) override;
  TOLVEN_THISCALL int32_t GetSourceName(int32_t index, char16_t *buffer) override;
  TOLVEN_THISCALL int32_t SourceHasAudio(int32_t index) override;
  TOLVEN_THISCALL int32_t SetMute(int32_t on) override;
  TOLVEN_THISCALL int32_t GetMute() override;
  TOLVEN_THISCALL int32_t SetVolume(int32_t percent) override;
  TOLVEN_THISCALL int32_t SetInternalVolume(int32_t percent) override;
  TOLVEN_THISCALL int32_t GetVolume() override;
  TOLVEN_THISCALL int32_t GetInternalVolume() override;
  TOLVEN_THISCALL int32_t SetStereo(int32_t on) override;
  TOLVEN_THISCALL int32_t GetStereo() override;
  TOLVEN_THISCALL int32_t SetAudioMode(int32_t index) override;
  TOLVEN_THISCALL int32_t GetAudioMode() override;
  TOLVEN_THISCALL int32_t GetAudioModeCode(int32_t index) override;
  TOLVEN_THISCALL int32_t GetAudioModeCount() override;
  TOLVEN_THISCALL int32_t GetAudioModeNameLength(int32_t index) override;
  TOLVEN_THISCALL int32_t GetAudioModeName(int32_t index, char16_t *buffer) override;
  TOLVEN_THISCALL int32_t GetDetectedAudioMode() override;
  TOLVEN_THISCALL int32_t SetLanguage(int32_t index) override;
  TOLVEN_THISCALL int32_t GetLanguageCount() override;
  TOLVEN_THISCALL int32_t GetLanguage() override;
  TOLVEN_THISCALL int32_t OpenSettingsKey(const char16_t *subkey) override;
  TOLVEN_THISCALL int32_t SaveSettings() override;
  TOLVEN_THISCALL int32_t LoadSettings() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;

  const std::vector<Source> &Sources() const { return sources_; }

 private:
  bool Valid(int32_t index) const { return index >= 0 && index < static_cast<int32_t>(sources_.size()); }
  WString SourceName(int32_t index) const;
  WString SettingName(const char *prefix, const Source &source) const;
  uint32_t DefaultAudioMode(uint32_t type) const;
  uint32_t ApplicableMask();
  bool TunerRouted();
  int32_t RouteAudio(const Source &source);
  int32_t ReadHardwareVolume();
  void ReadSourceSettings();

  // Crossbar requests.
  bool PinInfo(int32_t index, uint32_t *direction, int32_t *pin, int32_t *related, uint32_t *type);
  bool CanRoute(int32_t input, int32_t output);
  int32_t Route(int32_t input, int32_t output);
  int32_t RoutedInput(int32_t output);
  uint32_t PinType(int32_t pin);
  // TV-audio requests; a failed read of a mode, language or flags is 1.
  bool AudioSend(uint32_t number, uint32_t value);
  uint32_t AudioRead(uint32_t number, bool *ok = nullptr);

  uint32_t audioCaps_[requests::audio::kDescriptionWords] = {};
  std::vector<Source> sources_;
  int32_t current_ = -1;
  int32_t videoOut_ = -1;
  int32_t audioOut_ = -1;
  int32_t volume_ = -1;
  int32_t internalVolume_ = -1;
};

}  // namespace tolven::control
