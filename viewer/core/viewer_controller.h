// The viewer's only path to the card's controls: binds the driver module's
// control interface, caches the current source, volume, mute, stereo and
// channel, performs the user's actions on the crossbar, tuner and video
// decoder, mirrors volume and mute to the master volume when asked, and
// formats the texts the panels show. Unbound, every operation does nothing
// and answers its default.
#pragma once
#include <cstdint>

#include "driver/control/control_interface.h"
#include "platform/messagebox/message_box.h"
#include "platform/wide.h"
#include "viewer/core/controller_view.h"
#include "viewer/core/interface_holder.h"
#include "viewer/core/master_volume.h"

namespace tolven::viewer {

class CViewerController {
 public:
  CViewerController(CInterfaceHolder &holder, ControllerView &view, ui::MessageBoxes &messages,
                    CMasterVolume *masterVolume);
  ~CViewerController();
  CViewerController(const CViewerController &) = delete;
  CViewerController &operator=(const CViewerController &) = delete;

  // Binding: loads the module, takes a factory and a hub. A null factory
  // shows the "no interface" message. Re-binding releases the old hub first.
  bool Bind();
  bool Rebind() { return Bind(); }
  bool Bound() const { return holder_.Hub() != nullptr; }
  // After the first binding: availability and the cached state.
  void TakeInterface();
  bool Available() const { return available_; }

  // Settings the controller follows.
  void SetMasterVolumeOn(bool on) { masterVolumeOn_ = on; }
  bool MasterVolumeOn() const { return masterVolumeOn_; }
  void SetLayoutCode(int32_t code) { layoutCode_ = code; }
  int32_t LayoutCode() const { return layoutCode_; }

  // Cache.
  int32_t CachedSource() const { return source_; }
  int32_t CachedVolume() const { return volume_; }
  bool CachedMute() const { return mute_; }
  bool CachedStereo() const { return stereo_; }
  int32_t CachedChannel() const { return channel_; }
  int32_t CachedChannelCount() const { return channelCount_; }

  // Guards.
  bool Busy() const { return busy_; }
  void SetBusy(bool busy) { busy_ = busy; }
  // Hotkey handling's own re-entry guard: true when it may go on.
  bool EnterHotkey();
  void LeaveHotkey() { inHotkey_ = false; }
  // A hotkey's command is running (the remote's volume scroll bars follow it).
  bool InHotkey() const { return inHotkey_; }

  // Reads through the hub (defaults when unbound).
  int32_t SourceCount();
  int32_t SourceType(int32_t index);
  bool SourceHasAudio(int32_t index);
  WString SourceName(int32_t index);
  int32_t ChannelCount();
  int32_t CurrentChannel();
  int32_t ChannelPosition(int32_t index);
  WString ChannelName(int32_t index);
  int32_t AspectRatio();
  int32_t AspectRatioCount();
  WString AspectRatioName(int32_t index);

  // Sources.
  void NextSource();
  void PreviousSource();
  // What a selection in a source combo box does: no re-layout, no texts.
  void SelectSource(int32_t source);
  void Relayout(int32_t source);

  // Channels.
  void ChannelUp();
  void ChannelDown();
  // Tunes the channel at `index` (a number typed, the previous channel);
  // false when the list has no such channel.
  bool GoToChannel(int32_t index);
  // The channel tuned before the current one, or -1.
  int32_t PreviousChannel() const { return previous_; }
  // The channel panels' tuner operations (false or nothing when unbound).
  bool RenameChannel(int32_t index, const WString &name);
  bool DeleteChannel(int32_t index);
  void MarkCurrentChannel();
  void SaveTunerSettings();
  // The New Channel panel's step: append an unnamed channel, tune it, mark it.
  void NewChannel();
  // Moves the current channel to the next station above or below it. When
  // none is found the channel keeps its number and frequency and `message`
  // says so. True when a station was found.
  bool SeekChannel(bool up, WString *message);
  // Fine-tunes the current channel by one step.
  bool StepChannel(bool up);
  // Adds every receivable channel of the plan.
  bool AutoScan();

  // Audio.
  void VolumeUp();
  void VolumeDown();
  void SetVolume(int32_t percent);
  void ToggleMute();
  void ToggleStereo();

  // Panels and their completion.
  void OpenEditPanel();
  void OpenNewPanel();
  void OpenAutoTunePanel();
  void EditFinished();
  void NewFinished();
  void ScanFinished();
  // After the Video Source dialog was confirmed.
  void VideoSourceConfirmed();

  // SaveSettings of the crossbar, the tuner and the video decoder.
  void Commit();

  // Texts.
  WString VolumeText();
  WString ChannelText(bool docked);
  WString SourceText();
  WString MuteText();
  WString StereoText();

 private:
  control::ICrossbarControl *Crossbar();
  control::ITunerControl *Tuner();
  control::IVideoDecoderControl *Decoder();
  void StepSource(int32_t delta);
  void TuneAndCommit(int32_t channel);
  void ShowChannelIfChanged(int32_t channel);
  bool MarkChannel(control::ITunerControl *tuner, int32_t index);
  void RestoreChannel(control::ITunerControl *tuner, int32_t index, int32_t number, bool marked);
  static constexpr int32_t kStop = 0;
  static constexpr int32_t kGoOn = 2;
  static int32_t TOLVEN_STDCALL Progress(int32_t code, int32_t percent);
  // Runs a tuner search with the progress callback installed.
  template <typename Search>
  int32_t WithProgress(control::ITunerControl *tuner, Search search);

  CInterfaceHolder &holder_;
  ControllerView &view_;
  ui::MessageBoxes &messages_;
  CMasterVolume *masterVolume_;

  bool available_ = false;
  int32_t source_ = 0;
  int32_t volume_ = 0;
  bool mute_ = false;
  bool stereo_ = false;
  int32_t channel_ = -1;
  int32_t previous_ = -1;
  int32_t channelCount_ = 0;

  bool busy_ = false;
  bool inSourceStep_ = false;
  bool inHotkey_ = false;
  bool masterVolumeOn_ = false;
  bool stopped_ = false;  // the running search was stopped from its panel
  int32_t layoutCode_ = 1;

  // The controller whose search is running: the tuner's callback has no
  // context of its own.
  static CViewerController *searching_;
};

}  // namespace tolven::viewer
