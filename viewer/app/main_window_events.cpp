#include "viewer/app/main_window_events.h"

#include "viewer/app/hint_event.h"
#include "viewer/core/layout_code.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr uint32_t kMuteHint = 1, kStereoHint = 2;

// Hints any layout shows and hides.
constexpr HintEvent kShow[] = {
    {u"Show-next-source-label", 107}, {u"Show-prev-source-label", 108}, {u"Show-close-label", 111},
    {u"Show-dock-label", 115},        {u"Show-help-label", 112},        {u"Show-undock-label", 124},
};
constexpr HintEvent kHide[] = {
    {u"Hide-next-source-label", 107},   {u"Hide-prev-source-label", 108}, {u"Hide-channel-up-label", 109},
    {u"Hide-channel-down-label", 110},  {u"Hide-close-label", 111},       {u"Hide-undock-label", 124},
    {u"Hide-help-label", 112},          {u"Hide-mute-label", kMuteHint},  {u"Hide-stereo-label", kStereoHint},
    {u"Hide-hide-label", 132},          {u"Hide-edit-label", 125},        {u"Hide-scan-label", 127},
    {u"Hide-new-label", 126},
};
// Tuner layouts only.
constexpr HintEvent kShowTuner[] = {
    {u"Show-channel-up-label", 109}, {u"Show-channel-down-label", 110}, {u"Show-edit-label", 125},
    {u"Show-scan-label", 127},       {u"Show-new-label", 126},
};
// Sources with audio only.
constexpr HintEvent kShowAudio[] = {
    {u"Show-mute-label", kMuteHint},
    {u"Show-stereo-label", kStereoHint},
    {u"Show-volume-up-label", 113},
    {u"Show-volume-down-label", 114},
};
}  // namespace

uint32_t CMainWindowEvents::MuteHint() const { return controller_.CachedMute() ? 131 : 130; }
uint32_t CMainWindowEvents::StereoHint() const { return controller_.CachedStereo() ? 119 : 118; }

void CMainWindowEvents::ShowHint(uint32_t id) {
  if (id == kMuteHint) id = MuteHint();
  if (id == kStereoHint) id = StereoHint();
  shell_.ShowHint(hint_.Show(id));
}

void CMainWindowEvents::HideHint(uint32_t id) {
  if (id == kMuteHint) id = MuteHint();
  if (id == kStereoHint) id = StereoHint();
  if (hint_.Hide(id)) shell_.ShowHint(WString());
}

void CMainWindowEvents::RefreshTexts() {
  const bool docked = !LayoutCode::Undocked(controller_.LayoutCode());
  shell_.ShowTexts(controller_.VolumeText(), controller_.ChannelText(docked), controller_.SourceText(),
                   controller_.MuteText(), controller_.StereoText());
}

bool CMainWindowEvents::HandleTuner(WStringView name) {
  if (name == u"Channel-up") controller_.ChannelUp();
  else if (name == u"Channel-down") controller_.ChannelDown();
  else if (name == u"Edit-channel") controller_.OpenEditPanel();
  else if (name == u"Scan-channels") controller_.OpenAutoTunePanel();
  else if (name == u"New-channel") controller_.OpenNewPanel();
  else if (const uint32_t id = HintFor(kShowTuner, name)) ShowHint(id);
  else return false;
  return true;
}

bool CMainWindowEvents::HandleAudio(WStringView name) {
  if (name == u"Volume-up") controller_.VolumeUp();
  else if (name == u"Volume-down") controller_.VolumeDown();
  else if (name == u"Mute" || name == u"Stereo") {
    if (LayoutCode::Undocked(controller_.LayoutCode())) return true;  // the remote has these
    const bool mute = name == u"Mute";
    if (mute) controller_.ToggleMute();
    else controller_.ToggleStereo();
    RefreshTexts();
    ShowHint(mute ? kMuteHint : kStereoHint);  // the text for the new state
  } else if (name == u"Hide-volume-up-label" || name == u"Hide-volume-down-label") {
    hint_.Clear();
    shell_.ShowHint(WString());
  } else if (const uint32_t id = HintFor(kShowAudio, name)) {
    ShowHint(id);
  } else {
    return false;
  }
  return true;
}

bool CMainWindowEvents::HandleHints(WStringView name) {
  if (const uint32_t id = HintFor(kShow, name)) {
    ShowHint(id);
    return true;
  }
  if (const uint32_t id = HintFor(kHide, name)) {
    HideHint(id);
    return true;
  }
  if (name == u"Hide-function-label") {
    hint_.Clear();
    shell_.ShowHint(WString());
    return true;
  }
  return false;
}

bool CMainWindowEvents::Handle(WStringView name) {
  if (name == u"Enable-min-size") {
    flags_.minSize = true;
    return true;
  }
  if (name == u"Enable-menu-popup") {
    flags_.menuPopup = true;
    return true;
  }
  if (controller_.Busy()) return false;
  if (name == u"Next-source") {
    controller_.NextSource();
    return true;
  }
  if (name == u"Prev-source") {
    controller_.PreviousSource();
    return true;
  }
  if (LayoutCode::Tuner(controller_.LayoutCode()) && HandleTuner(name)) return true;
  if (controller_.SourceHasAudio(controller_.CachedSource()) && HandleAudio(name)) return true;
  if (name == u"Show-source-combo" || name == u"Hide-source-combo") {
    ScreenRect element;
    const bool show = name == u"Show-source-combo";
    if (!show || shell_.ElementRect(u"Source-combo", &element)) shell_.ShowSourceCombo(show, element);
    return true;
  }
  if (name == u"Undock-controls") {
    if (!shell_.IsMaximized()) shell_.PostToggleDock();
    return true;
  }
  if (name == u"Minimize") {
    shell_.PostSysCommand(kScMinimize);
    return true;
  }
  if (name == u"Maximize") {
    shell_.PostSysCommand(shell_.IsMaximized() ? kScRestore : kScMaximize);
    return true;
  }
  return HandleHints(name);
}

}  // namespace tolven::viewer
