// The user's view of the TV tuner: its inputs and analogue standards, the
// named channel list (each channel a plan number and the frequency actually
// tuned), tuning, and the searches over the country's channel plan (scan,
// seek, step, fine tuning) that report progress through a callback.
#pragma once
#include <vector>

#include "driver/control/component_base.h"
#include "driver/tuning/channel_list.h"
#include "driver/tuning/channel_plan.h"

namespace tolven::control {

class CTunerControl final : public ITunerControl, private ComponentBase {
 public:
  explicit CTunerControl(ControlEnvironment &environment);
  ~CTunerControl() = default;

  TOLVEN_THISCALL int32_t GetInputCount() override;
  TOLVEN_THISCALL int32_t GetInput() override;
  TOLVEN_THISCALL int32_t SetInput(int32_t index) override;
  TOLVEN_THISCALL int32_t GetInputType(int32_t index) override;
  TOLVEN_THISCALL int32_t GetInputTypeNameLength(int32_t index) override;
  TOLVEN_THISCALL int32_t GetInputTypeName(int32_t index, char16_t *buffer) override;
  TOLVEN_THISCALL int32_t GetStandardCount() override;
  TOLVEN_THISCALL int32_t SetStandard(int32_t index) override;
  TOLVEN_THISCALL int32_t GetStandard() override;
  TOLVEN_THISCALL int32_t GetStandardNameLength(int32_t index) override;
  TOLVEN_THISCALL int32_t GetStandardName(int32_t index, char16_t *buffer) override;
  TOLVEN_THISCALL int32_t GetChannelCount() override;
  TOLVEN_THISCALL int32_t TuneChannel(int32_t index) override;
  TOLVEN_THISCALL int32_t GetChannelNameLength(int32_t index) override;
  TOLVEN_THISCALL int32_t GetChannelName(int32_t index, char16_t *buffer) override;
  TOLVEN_THISCALL int32_t GetChannelNumber(int32_t index) override;
  TOLVEN_THISCALL int32_t GetCurrentChannel() override;
  TOLVEN_THISCALL int32_t GetChannelPosition(int32_t index) override;
  TOLVEN_THISCALL int32_t RenameChannel(int32_t index, const char16_t *name) override;
  TOLVEN_THISCALL int32_t AddChannel(const char16_t *name, int32_t position) override;
  TOLVEN_THISCALL int32_t MoveChannel(int32_t from, int32_t to) override;
  TOLVEN_THISCALL int32_t DeleteChannel(int32_t index) override;
  TOLVEN_THISCALL int32_t DeleteAllChannels() override;
  TOLVEN_THISCALL int32_t SetChannelNumber(int32_t index, int32_t number) override;
  TOLVEN_THISCALL int32_t SetProfileLocation(const char16_t *directory,
                                             const char16_t *extension) override;
  TOLVEN_THISCALL int32_t OpenSettingsKey(const char16_t *subkey) override;
  TOLVEN_THISCALL int32_t SaveSettings() override;
  TOLVEN_THISCALL int32_t LoadSettings() override;
  TOLVEN_THISCALL int32_t AutoScan() override;
  TOLVEN_THISCALL int32_t SeekUp(int32_t index) override;
  TOLVEN_THISCALL int32_t SeekDown(int32_t index) override;
  TOLVEN_THISCALL int32_t StepUp(int32_t index) override;
  TOLVEN_THISCALL int32_t StepDown(int32_t index) override;
  TOLVEN_THISCALL ProgressCallback SetProgressCallback(ProgressCallback callback) override;
  TOLVEN_THISCALL int32_t MarkCurrentChannel() override;
  TOLVEN_THISCALL int32_t RestoreMarkedChannel() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;

  // For the driver's own pages and the tests.
  const tuning::CChannelPlan &Plan() const { return plan_; }
  const tuning::CVarnTunerChannelList &Channels() const { return channels_; }
  WString ChannelFilePath() const;
  // The frequency fine tuning settles on, starting from `hz`.
  uint32_t FineTune(uint32_t hz);

 private:
  struct InputRecord {
    uint32_t type = 0;
    uint32_t second = 0;     // read from the hardware, not used
    uint32_t standards = 0;  // offered on this input
  };
  bool Request(uint32_t number, uint32_t argument, uint32_t *result);
  bool ValidInput(int32_t input) const { return input >= 0 && input < static_cast<int32_t>(inputs_.size()); }
  WString DefaultChannelName() const;
  WString StandardName(int32_t index) const;
  WString InputTypeName(int32_t index) const;

  // Search primitives.
  bool Tune(uint32_t hz);
  uint32_t Status();
  bool Locked();
  void Settle(uint32_t times = 1);
  // Tests one plan entry; true when it is a channel. `tuned` gets the fine
  // tuned frequency when fine tuning ran for it.
  bool TestEntry(uint32_t hz, uint32_t *tuned, bool *fineTuned);
  int32_t Report(int32_t code, int32_t percent);
  int32_t Seek(int32_t index, bool upwards);
  int32_t Step(int32_t index, bool upwards);

  int32_t inputNumber_ = -1;
  int32_t markedIndex_ = -1;
  uint32_t markedFrequency_ = 0xFFFFFFFFu;
  WString profileDirectory_;
  WString extension_;
  uint32_t tunerCaps_[requests::tuner::kRecordWords] = {};
  uint32_t audioCaps_[requests::audio::kDescriptionWords] = {};
  ProgressCallback callback_ = nullptr;
  tuning::CVarnTunerChannelList channels_;
  tuning::CChannelPlan plan_;
  std::vector<InputRecord> inputs_;
};

}  // namespace tolven::control
