#include "viewer/core/viewer_controller.h"

#include <string>
#include <vector>

#include "viewer/core/layout_code.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

using control::ICrossbarControl;
using control::ITunerControl;
using control::IVideoDecoderControl;

CViewerController *CViewerController::searching_ = nullptr;

namespace {

WString Decimal(int32_t value) { return Widen(std::to_string(value)); }

// A name read in two calls: its length, then the name into a buffer of that
// many characters; a failed second call gives an empty name.
template <typename Length, typename Read>
WString ReadName(Length length, Read read) {
  const int32_t n = length();
  if (n <= 0) return WString();
  // One more than asked for, so a length without its terminator still ends.
  std::vector<char16_t> buffer(static_cast<size_t>(n) + 1, u'\0');
  if (!read(buffer.data())) return WString();
  return WString(buffer.data());
}

// Keeps a point of a panel's corner on the screen's left and top edges.
Point Clamped(Point cursor, int32_t dx, int32_t dy) {
  Point p{cursor.x - dx, cursor.y - dy};
  if (p.x < 0) p.x = 0;
  if (p.y < 0) p.y = 0;
  return p;
}

class WaitCursor {
 public:
  explicit WaitCursor(ControllerView &view) : view_(view) { view_.BeginWaitCursor(); }
  ~WaitCursor() { view_.EndWaitCursor(); }

 private:
  ControllerView &view_;
};

}  // namespace

CViewerController::CViewerController(CInterfaceHolder &holder, ControllerView &view, ui::MessageBoxes &messages,
                                     CMasterVolume *masterVolume)
    : holder_(holder), view_(view), messages_(messages), masterVolume_(masterVolume) {}

CViewerController::~CViewerController() {
  if (searching_ == this) searching_ = nullptr;
}

bool CViewerController::Bind() {
  const CInterfaceHolder::Result result = holder_.Bind();
  if (result == CInterfaceHolder::Result::kNoFactory)
    messages_.Show(0, ViewerStrings::Text(kStrNoInterface), ViewerStrings::Text(kStrNoInterfaceCaption), ui::kMbOk);
  return result == CInterfaceHolder::Result::kBound;
}

void CViewerController::TakeInterface() {
  ICrossbarControl *crossbar = Crossbar();
  if (crossbar) {
    available_ = true;
    source_ = crossbar->GetSource();
    mute_ = crossbar->GetMute() != 0;
    volume_ = crossbar->GetVolume();
  }
  channel_ = CurrentChannel();
  channelCount_ = ChannelCount();
}

bool CViewerController::EnterHotkey() {
  if (inHotkey_) return false;
  inHotkey_ = true;
  return true;
}

ICrossbarControl *CViewerController::Crossbar() { return holder_.Hub() ? holder_.Hub()->GetCrossbar() : nullptr; }
ITunerControl *CViewerController::Tuner() { return holder_.Hub() ? holder_.Hub()->GetTuner() : nullptr; }
IVideoDecoderControl *CViewerController::Decoder() {
  return holder_.Hub() ? holder_.Hub()->GetVideoDecoder() : nullptr;
}

int32_t CViewerController::SourceCount() {
  ICrossbarControl *c = Crossbar();
  return c ? c->GetSourceCount() : 0;
}

int32_t CViewerController::SourceType(int32_t index) {
  ICrossbarControl *c = Crossbar();
  return c ? c->GetSourceType(index) : 0;
}

bool CViewerController::SourceHasAudio(int32_t index) {
  ICrossbarControl *c = Crossbar();
  return c && c->SourceHasAudio(index) != 0;
}

WString CViewerController::SourceName(int32_t index) {
  ICrossbarControl *c = Crossbar();
  if (!c) return Decimal(index);
  return ReadName([&] { return c->GetSourceNameLength(index); },
                  [&](char16_t *b) { return c->GetSourceName(index, b); });
}

int32_t CViewerController::ChannelCount() {
  ITunerControl *t = Tuner();
  return t ? t->GetChannelCount() : 0;
}

int32_t CViewerController::CurrentChannel() {
  ITunerControl *t = Tuner();
  return t ? t->GetCurrentChannel() : -1;
}

int32_t CViewerController::ChannelPosition(int32_t index) {
  ITunerControl *t = Tuner();
  return t ? t->GetChannelPosition(index) : -1;
}

WString CViewerController::ChannelName(int32_t index) {
  ITunerControl *t = Tuner();
  if (!t) return Decimal(index);
  return ReadName([&] { return t->GetChannelNameLength(index); },
                  [&](char16_t *b) { return t->GetChannelName(index, b); });
}

int32_t CViewerController::AspectRatio() {
  IVideoDecoderControl *d = Decoder();
  return d ? d->GetAspectRatio() : -1;
}

int32_t CViewerController::AspectRatioCount() {
  IVideoDecoderControl *d = Decoder();
  return d ? d->GetAspectRatioCount() : 0;
}

WString CViewerController::AspectRatioName(int32_t index) {
  IVideoDecoderControl *d = Decoder();
  if (!d) return Decimal(index);
  return ReadName([&] { return d->GetAspectRatioNameLength(index); },
                  [&](char16_t *b) { return d->GetAspectRatioName(index, b); });
}

void CViewerController::Commit() {
  if (ICrossbarControl *c = Crossbar()) c->SaveSettings();
  if (ITunerControl *t = Tuner()) t->SaveSettings();
  if (IVideoDecoderControl *d = Decoder()) d->SaveSettings();
}

void CViewerController::SelectSource(int32_t source) {
  WaitCursor wait(view_);
  if (ICrossbarControl *c = Crossbar()) c->SetSource(source);
  Commit();
  source_ = source;
  if (SourceHasAudio(source)) {
    ICrossbarControl *c = Crossbar();
    mute_ = c->GetMute() != 0;
    stereo_ = c->GetStereo() != 0;
  }
}

void CViewerController::Relayout(int32_t source) {
  layoutCode_ = LayoutCode::ForSourceType(layoutCode_, SourceType(source));
  view_.ApplyLayout(layoutCode_);
}

void CViewerController::StepSource(int32_t delta) {
  if (inSourceStep_) return;
  const int32_t count = SourceCount();
  if (count <= 0) return;
  inSourceStep_ = true;
  int32_t next = source_ + delta;
  if (next >= count) next = 0;
  if (next < 0) next = count - 1;
  SelectSource(next);
  Relayout(next);
  inSourceStep_ = false;
}

void CViewerController::NextSource() { StepSource(1); }
void CViewerController::PreviousSource() { StepSource(-1); }

void CViewerController::TuneAndCommit(int32_t channel) {
  ITunerControl *t = Tuner();
  if (t && t->TuneChannel(channel)) {
    if (channel != channel_) previous_ = channel_;
    channel_ = channel;
  }
  Commit();
}

bool CViewerController::GoToChannel(int32_t index) {
  channelCount_ = ChannelCount();
  if (index < 0 || index >= channelCount_) return false;
  {
    WaitCursor wait(view_);
    TuneAndCommit(index);
  }
  view_.Show(kShowChannel);
  return channel_ == index;
}

void CViewerController::ChannelUp() {
  bool openNew = false;
  {
    WaitCursor wait(view_);
    int32_t channel = channel_;
    if (channel != -1) channel += 1;
    channelCount_ = ChannelCount();
    if (channelCount_ > 0) {
      // From no channel (-1) this asks for -1, which the tuner refuses.
      if (channel >= channelCount_) channel = 0;
      TuneAndCommit(channel);
    } else {
      openNew = true;
    }
  }
  if (openNew) OpenNewPanel();
  view_.Show(kShowChannel);
}

void CViewerController::ChannelDown() {
  bool openNew = false;
  {
    WaitCursor wait(view_);
    int32_t channel = channel_;
    if (channel != -1) channel -= 1;
    channelCount_ = ChannelCount();
    if (channelCount_ > 0) {
      if (channel < 0) channel = channelCount_ - 1;
      TuneAndCommit(channel);
    } else {
      openNew = true;
    }
  }
  if (openNew) OpenNewPanel();
  view_.Show(kShowChannel);
}

bool CViewerController::RenameChannel(int32_t index, const WString &name) {
  ITunerControl *t = Tuner();
  return t && t->RenameChannel(index, name.c_str()) != 0;
}

bool CViewerController::DeleteChannel(int32_t index) {
  ITunerControl *t = Tuner();
  if (!t || !t->DeleteChannel(index)) return false;
  channelCount_ = t->GetChannelCount();
  return true;
}

void CViewerController::MarkCurrentChannel() {
  if (ITunerControl *t = Tuner()) t->MarkCurrentChannel();
}

void CViewerController::SaveTunerSettings() {
  if (ITunerControl *t = Tuner()) t->SaveSettings();
}

void CViewerController::NewChannel() {
  ITunerControl *t = Tuner();
  if (!t) return;
  t->AddChannel(nullptr, -1);
  channelCount_ = t->GetChannelCount();
  if (t->TuneChannel(channelCount_ - 1)) channel_ = channelCount_ - 1;
  t->MarkCurrentChannel();
}

template <typename Search>
int32_t CViewerController::WithProgress(ITunerControl *tuner, Search search) {
  CViewerController *outer = searching_;
  searching_ = this;
  stopped_ = false;
  control::ProgressCallback previous = tuner->SetProgressCallback(&CViewerController::Progress);
  const int32_t result = search();
  tuner->SetProgressCallback(previous);
  searching_ = outer;
  return result;
}

// Going on is answered with 2, not 1: a seek that reaches the end of the
// plan answers the callback's last answer, and 1 would read as a find.
int32_t TOLVEN_STDCALL CViewerController::Progress(int32_t code, int32_t percent) {
  if (!searching_) return kGoOn;
  if (searching_->view_.ReportProgress(code, percent)) return kGoOn;
  searching_->stopped_ = true;
  return kStop;
}

// The tuner's mark remembers one channel's frequency and finds its channel
// again by the tuned frequency, so an earlier channel on the same frequency
// would take it: the channel is marked (and put back) while it is first.
bool CViewerController::MarkChannel(ITunerControl *tuner, int32_t index) {
  if (!tuner->MoveChannel(index, 0)) return false;
  const bool marked = tuner->TuneChannel(0) && tuner->MarkCurrentChannel() && tuner->GetCurrentChannel() == 0;
  tuner->MoveChannel(0, index);
  return marked;
}

void CViewerController::RestoreChannel(ITunerControl *tuner, int32_t index, int32_t number, bool marked) {
  tuner->MoveChannel(index, 0);
  if (number >= 0) tuner->SetChannelNumber(0, number);
  if (marked) tuner->RestoreMarkedChannel();
  tuner->MoveChannel(0, index);
}

bool CViewerController::SeekChannel(bool up, WString *message) {
  if (message) message->clear();
  ITunerControl *tuner = Tuner();
  const int32_t index = channel_;
  if (!tuner || index < 0) return false;
  const int32_t number = tuner->GetChannelNumber(index);
  const bool marked = MarkChannel(tuner, index);
  const int32_t result =
      WithProgress(tuner, [&] { return up ? tuner->SeekUp(index) : tuner->SeekDown(index); });
  // Only 1 is a find. Otherwise the seek has left the channel on the last
  // plan entry it looked at (or not moved it at all), and it goes back.
  const bool found = result == 1;
  if (!found) {
    RestoreChannel(tuner, index, number, marked);
    // A search the user stopped needs no word of explanation.
    if (message && !stopped_) *message = ViewerStrings::Text(up ? kStrSeekUpNothing : kStrSeekDownNothing);
  }
  if (tuner->TuneChannel(index)) channel_ = index;
  Commit();
  view_.Show(kShowChannel);
  return found;
}

bool CViewerController::StepChannel(bool up) {
  ITunerControl *tuner = Tuner();
  const int32_t index = channel_;
  if (!tuner || index < 0) return false;
  const int32_t result = WithProgress(tuner, [&] { return up ? tuner->StepUp(index) : tuner->StepDown(index); });
  Commit();
  view_.Show(kShowChannel);
  return result != 0;
}

bool CViewerController::AutoScan() {
  ITunerControl *tuner = Tuner();
  if (!tuner) return false;
  const int32_t result = WithProgress(tuner, [&] { return tuner->AutoScan(); });
  channelCount_ = tuner->GetChannelCount();
  Commit();
  return result != 0;
}

void CViewerController::SetVolume(int32_t percent) {
  if (ICrossbarControl *c = Crossbar()) c->SetVolume(percent);
  Commit();
  volume_ = percent;
  if (masterVolumeOn_ && masterVolume_) masterVolume_->SetVolume(percent);
  view_.Show(kShowVolume);
}

void CViewerController::VolumeUp() {
  if (!SourceHasAudio(source_)) return;
  int32_t v = Crossbar()->GetVolume() + 5;
  if (v > 100) v = 100;
  SetVolume(v);
}

void CViewerController::VolumeDown() {
  if (!SourceHasAudio(source_)) return;
  int32_t v = Crossbar()->GetVolume() - 5;
  if (v < 0) v = 0;
  SetVolume(v);
}

void CViewerController::ToggleMute() {
  ICrossbarControl *c = Crossbar();
  const bool mute = !(c && c->GetMute() != 0);
  if (c) c->SetMute(mute ? 1 : 0);
  Commit();
  if (masterVolumeOn_ && masterVolume_) masterVolume_->SetMute(mute);
  mute_ = mute;
  view_.Show(kShowMute);
}

void CViewerController::ToggleStereo() {
  ICrossbarControl *c = Crossbar();
  const bool stereo = !(c && c->GetStereo() != 0);
  if (c) c->SetStereo(stereo ? 1 : 0);
  Commit();
  stereo_ = stereo;
  view_.Show(kShowStereo);
}

void CViewerController::OpenEditPanel() {
  if (ChannelCount() <= 0 || view_.PanelOpen(Panel::kEditChannel)) return;
  busy_ = true;
  view_.OpenPanel(Panel::kEditChannel, Clamped(view_.CursorPosition(), 210, 140));
}

void CViewerController::OpenAutoTunePanel() {
  if (!available_ || view_.PanelOpen(Panel::kAutoTune)) return;
  busy_ = true;
  view_.OpenPanel(Panel::kAutoTune, Clamped(view_.CursorPosition(), 185, 115));
}

void CViewerController::OpenNewPanel() {
  if (view_.PanelOpen(Panel::kNewChannel)) return;
  busy_ = true;
  view_.OpenPanel(Panel::kNewChannel, Clamped(view_.CursorPosition(), 230, 150));
}

void CViewerController::EditFinished() {
  Rebind();
  const int32_t channel = CurrentChannel();
  if (ITunerControl *t = Tuner()) t->TuneChannel(channel);
  channel_ = channel;
  channelCount_ = ChannelCount();
  view_.Show(kShowChannel);
  busy_ = false;
}

void CViewerController::NewFinished() {
  Rebind();
  channel_ = CurrentChannel();
  channelCount_ = ChannelCount();
  view_.Show(kShowChannel);
  busy_ = false;
}

void CViewerController::ScanFinished() {
  channelCount_ = ChannelCount();
  ShowChannelIfChanged(CurrentChannel());
  busy_ = false;
}

void CViewerController::ShowChannelIfChanged(int32_t channel) {
  if (channel == channel_) return;
  channel_ = channel;
  view_.Show(kShowChannel);
}

void CViewerController::VideoSourceConfirmed() {
  Rebind();
  ICrossbarControl *c = Crossbar();
  const int32_t source = c ? c->GetSource() : 0;
  const int32_t volume = c ? c->GetVolume() : 0;
  const bool mute = c && c->GetMute() != 0;
  const bool stereo = c && c->GetStereo() != 0;
  const int32_t channel = CurrentChannel();
  if (masterVolumeOn_ && masterVolume_) {
    if (volume != volume_) masterVolume_->SetVolume(volume);
    if (mute != mute_) masterVolume_->SetMute(mute);
  }
  if (source == source_) {
    uint32_t changed = 0;
    if (volume != volume_) changed |= kShowVolume;
    if (mute != mute_) changed |= kShowMute;
    if (stereo != stereo_) changed |= kShowStereo;
    if (channel != channel_) changed |= kShowChannel;
    volume_ = volume;
    mute_ = mute;
    stereo_ = stereo;
    channel_ = channel;
    if (changed) view_.Show(changed);
  } else {
    source_ = source;
    volume_ = volume;
    mute_ = mute;
    stereo_ = stereo;
    channel_ = channel;
    Relayout(source);
  }
  view_.PostRepaintVideo();
}

WString CViewerController::VolumeText() {
  if (!SourceHasAudio(source_)) return ViewerStrings::Text(kStrNoAudio);
  return ViewerStrings::Text(kStrVolume) + Decimal(volume_);
}

WString CViewerController::ChannelText(bool docked) {
  if (channel_ == -1) return ViewerStrings::Text(docked ? kStrNoChannel : kStrNoChannels);
  return ViewerStrings::Text(kStrChannel) + Decimal(channel_);
}

WString CViewerController::SourceText() {
  if (SourceCount() <= 0) return ViewerStrings::Text(kStrNoSource);
  return SourceName(source_);
}

WString CViewerController::MuteText() {
  return mute_ && SourceHasAudio(source_) ? ViewerStrings::Text(kStrMute) : WString();
}

WString CViewerController::StereoText() {
  if (!SourceHasAudio(source_)) return WString();
  return ViewerStrings::Text(stereo_ ? kStrStereo : kStrMono);
}

}  // namespace tolven::viewer
