#include "viewer/app/remote_panel.h"

#include "viewer/app/hint_event.h"
#include "viewer/core/layout_code.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr uint32_t kMuteHint = 1, kStereoHint = 2;
constexpr uint32_t kStereoLetter = 121;

constexpr HintEvent kShow[] = {
    {u"Show-next-source-label", 107}, {u"Show-prev-source-label", 108}, {u"Show-channel-up-label", 109},
    {u"Show-channel-down-label", 110}, {u"Show-close-label", 111},      {u"Show-dock-label", 115},
    {u"Show-help-label", 112},        {u"Show-mute-label", kMuteHint},  {u"Show-stereo-label", kStereoHint},
    {u"Show-hide-label", 132},        {u"Hide-function-label", 132},    {u"Show-edit-label", 125},
    {u"Show-scan-label", 127},        {u"Show-new-label", 126},
};
constexpr HintEvent kHide[] = {
    {u"Hide-next-source-label", 107},  {u"Hide-prev-source-label", 108}, {u"Hide-channel-up-label", 109},
    {u"Hide-channel-down-label", 110}, {u"Hide-close-label", 111},       {u"Hide-dock-label", 115},
    {u"Hide-help-label", 112},         {u"Hide-mute-label", kMuteHint},  {u"Hide-stereo-label", kStereoHint},
    {u"Hide-hide-label", 132},         {u"Hide-edit-label", 125},        {u"Hide-scan-label", 127},
    {u"Hide-new-label", 126},
};
}  // namespace

bool CRemotePanel::Tuner() const { return LayoutCode::Tuner(controller_.LayoutCode()); }
bool CRemotePanel::Audio() { return controller_.SourceHasAudio(controller_.CachedSource()); }
uint32_t CRemotePanel::MuteHint() const { return controller_.CachedMute() ? 131 : 130; }
uint32_t CRemotePanel::StereoHint() const { return controller_.CachedStereo() ? 119 : 118; }

void CRemotePanel::Refresh() {
  if (Audio()) view_.SetScrollBars(controller_.CachedVolume());
  ShowTexts();
  view_.RunSkinCommand(Audio() ? u"goto body Enable-Audio" : u"goto body Disable-Audio");
}

void CRemotePanel::ShowTexts() {
  WString volume;
  if (!Audio())
    volume = ViewerStrings::Text(kStrNoAudio);
  else if (!(controller_.CachedMute() && view_.HasLabel(RemoteLabel::kMute)))
    volume = controller_.VolumeText();
  view_.SetLabel(RemoteLabel::kVolume, volume);
  view_.SetLabel(RemoteLabel::kSource, controller_.SourceText());
  view_.SetLabel(RemoteLabel::kMute, controller_.CachedMute() ? ViewerStrings::Text(kStrMute) : WString());
  view_.SetLabel(RemoteLabel::kStereo, controller_.CachedStereo() ? ViewerStrings::Text(kStereoLetter) : WString());
  if (hint_.Shown() == 0) ShowChannel();
}

void CRemotePanel::ShowChannel() {
  if (!Tuner()) {
    view_.SetLabel(RemoteLabel::kChannel, WString());
    return;
  }
  view_.SetLabel(RemoteLabel::kChannel, controller_.ChannelText(false));
  view_.SetLabel(RemoteLabel::kFunction, WString());
}

void CRemotePanel::ShowHint(uint32_t id) {
  if (id == kMuteHint) id = MuteHint();
  if (id == kStereoHint) id = StereoHint();
  view_.SetLabel(RemoteLabel::kChannel, WString());
  view_.SetLabel(RemoteLabel::kFunction, hint_.Show(id));
}

void CRemotePanel::HideHint(uint32_t id) {
  if (id == kMuteHint) id = MuteHint();
  if (id == kStereoHint) id = StereoHint();
  if (hint_.Hide(id)) ClearHint();
}

void CRemotePanel::ClearHint() {
  hint_.Clear();
  view_.SetLabel(RemoteLabel::kFunction, WString());
  if (Tuner()) ShowChannel();
}

bool CRemotePanel::Event(WStringView name) {
  if (controller_.Busy()) return false;
  if (name == u"Next-source") controller_.NextSource();
  else if (name == u"Prev-source") controller_.PreviousSource();
  else if (name == u"Channel-up") controller_.ChannelUp();
  else if (name == u"Channel-down") controller_.ChannelDown();
  else if (name == u"Edit-channel") controller_.OpenEditPanel();
  else if (name == u"Scan-channels") controller_.OpenAutoTunePanel();
  else if (name == u"New-channel") controller_.OpenNewPanel();
  else if (name == u"Volume-up" || name == u"Volume-down") {
    if (!Audio()) {
      view_.SetScrollBars(0);
    } else {
      if (name == u"Volume-up") controller_.VolumeUp();
      else controller_.VolumeDown();
      view_.SetScrollBars(controller_.CachedVolume());
    }
  } else if (name == u"Mute" || name == u"Stereo") {
    const bool mute = name == u"Mute";
    const bool showing = hint_.Shown() == (mute ? MuteHint() : StereoHint());
    if (mute) controller_.ToggleMute();
    else controller_.ToggleStereo();
    ShowTexts();
    if (showing) ShowHint(mute ? kMuteHint : kStereoHint);  // the other text now
  } else if (name == u"Show-source-combo" || name == u"Hide-source-combo") {
    view_.ShowSourceCombo(name == u"Show-source-combo");
  } else if (name == u"Dock-controls") {
    if (!view_.MainMaximized() && !view_.BordersHidden()) view_.PostToggleDock();
  } else if (name == u"Hide-volume-scroll") {
    view_.ShowScrollBars(false);
  } else if (name == u"Show-volume-scroll") {
    view_.SetScrollBars(controller_.CachedVolume());
    view_.ShowScrollBars(true);
  } else if (name == u"Close") {
    view_.CloseProgram();
  } else if (name == u"Help") {
    view_.ShowHelp(kHelpContext);
  } else if (name == u"Hide-remote") {
    view_.ToggleVisible();
  } else if (const uint32_t shown = HintFor(kShow, name)) {
    ShowHint(shown);
  } else if (const uint32_t hidden = HintFor(kHide, name)) {
    HideHint(hidden);
  } else {
    return false;
  }
  return true;
}

void CRemotePanel::ScrollBarMoved(int32_t position) {
  if (constructing_ || controller_.Busy()) return;
  if (swallowNext_) {
    swallowNext_ = false;
    return;
  }
  if (!Audio()) {
    // Put back to 0 once; the event that causes is swallowed.
    if (position != 0) {
      swallowNext_ = true;
      view_.SetScrollBars(0);
    }
    return;
  }
  controller_.SetVolume(position);
  ShowTexts();
}

}  // namespace tolven::viewer
