#include "viewer/app/viewer_app.h"

#include <vector>

#include "viewer/core/layout_code.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr ScreenRect kDefaultMain{200, 200, 600, 500};
// A saved rectangle must leave this much of the maximized window free.
constexpr int32_t kMargin = 25;
constexpr uint32_t kHelpContext = 1000;
}  // namespace

CViewerApp::CViewerApp(const ViewerPorts &ports)
    : shell_(ports.shell),
      messages_(ports.messages),
      link_(ports.captureWindows, ports.messages),
      settings_(ports.registry),
      masterVolume_(ports.mixer),
      holder_(ports.library),
      controller_(holder_, *this, ports.messages, &masterVolume_),
      events_(controller_, ports.shell, flags_),
      keys_(controller_, *this) {}

CViewerApp::~CViewerApp() {
  remote_.reset();
  edit_.reset();
  new_.reset();
  autoTune_.reset();
  if (windowMade_) shell_.DestroyPanels();
  holder_.Reset();
}

const char16_t *CViewerApp::RemoteSkin(int32_t layoutCode) {
  switch (layoutCode) {
    case 3: return u"remotestdt.skn";
    case 4: return u"remotestdb.skn";
    case 6: return u"remoteadvt.skn";
    case 8: return u"remoteadvb.skn";
    default: return nullptr;
  }
}

bool CViewerApp::Start() {
  shell_.EnableControlHosting();
  settings_.Load();
  if (!LayoutCode::Valid(settings_.controlType)) settings_.controlType = 2;
  controller_.SetLayoutCode(settings_.controlType);
  controller_.SetMasterVolumeOn(settings_.masterVolume);

  ScreenRect rect = settings_.main;
  const ScreenRect maximized = shell_.MaximizedSize();
  if (rect.bottom + kMargin > maximized.bottom || rect.right + kMargin > maximized.right) rect = kDefaultMain;
  if (!shell_.CreateMainWindow(rect, ViewerStrings::Text(kStrAppTitle))) return false;
  windowMade_ = true;

  shell_.CreateSkinForm();
  LoadMainSkin(LayoutCode::Undocked(controller_.LayoutCode()) ? u"mainundocked.skn" : u"maindocked.skn");

  ScreenRect client;
  shell_.ElementRect(u"client", &client);
  shell_.CreateVideoWindows(client);
  shell_.PlaceMainWindow(rect);
  shell_.TrimSystemMenu();
  shell_.FillVideoWindow();

  if (LayoutCode::Undocked(controller_.LayoutCode()))
    MakeRemote();
  else
    shell_.CreateDockedPanels(shell_.MainWindowRect());

  videoConnected_ = link_.Connect(shell_.VideoPane(), shell_.VideoPaneClient(), shell_.MainWindow());
  if (videoConnected_ && controller_.Bind()) controller_.TakeInterface();

  Refresh();
  masterVolume_.Open();
  if (options_) options_->Start();
  shell_.SetArrowCursor();
  return true;
}

bool CViewerApp::LoadMainSkin(const char16_t *file) {
  if (!shell_.LoadMainSkin(file)) return false;
  flags_ = SkinFlags{};
  ScreenRect client;
  if (shell_.ElementRect(u"client", &client)) {
    const ScreenRect window = shell_.MainWindowRect();
    extraWidth_ = window.Width() - client.Width();
    extraHeight_ = window.Height() - client.Height();
  }
  SendLayoutCommands();
  return true;
}

void CViewerApp::MakeRemote() {
  const char16_t *skin = RemoteSkin(controller_.LayoutCode());
  RemoteView *view = skin ? shell_.CreateRemote(settings_.remoteX, settings_.remoteY, skin) : nullptr;
  remote_ = view ? std::make_unique<CRemotePanel>(controller_, *view) : nullptr;
  remoteHidden_ = false;
}

int32_t CViewerApp::CurrentLayoutCode() {
  return LayoutCode::ForSourceType(controller_.LayoutCode(), controller_.SourceType(controller_.CachedSource()));
}

void CViewerApp::SendLayoutCommands() {
  const int32_t code = controller_.LayoutCode();
  shell_.RunSkinCommand(LayoutCode::Tuner(code) ? u"goto top-edge Enable-Tuner" : u"goto top-edge Disable-Tuner");
  shell_.RunSkinCommand(controller_.SourceHasAudio(controller_.CachedSource()) ? u"goto top-edge Enable-Audio"
                                                                                : u"goto top-edge Disable-Audio");
  shell_.TrimSystemMenu();
}

void CViewerApp::Refresh() {
  const int32_t before = controller_.LayoutCode();
  controller_.SetLayoutCode(CurrentLayoutCode());
  // Another source kind while undocked: the remote of the new code.
  if (remote_ && controller_.LayoutCode() != before) shell_.ReloadRemote(RemoteSkin(controller_.LayoutCode()));
  std::vector<WString> names;
  const int32_t count = controller_.SourceCount();
  for (int32_t i = 0; i < count; ++i) names.push_back(controller_.SourceName(i));
  shell_.FillSources(names, controller_.CachedSource());
  Show(kShowAll);
  SendLayoutCommands();
  if (remote_) {
    remote_->SetConstructing(true);
    remote_->Refresh();
    remote_->SetConstructing(false);
  }
}

void CViewerApp::ApplyLayout(int32_t layoutCode) {
  const int32_t before = controller_.LayoutCode();
  controller_.SetLayoutCode(layoutCode);
  if (remote_ && layoutCode != before) shell_.ReloadRemote(RemoteSkin(layoutCode));
  Refresh();
}

void CViewerApp::Show(uint32_t) {
  const bool docked = !LayoutCode::Undocked(controller_.LayoutCode());
  shell_.ShowTexts(controller_.VolumeText(), controller_.ChannelText(docked), controller_.SourceText(),
                   controller_.MuteText(), controller_.StereoText());
  if (remote_) remote_->ShowTexts();
}

void CViewerApp::ShowChannelText(const WString &text) {
  shell_.ShowTexts(controller_.VolumeText(), text, controller_.SourceText(), controller_.MuteText(),
                   controller_.StereoText());
}

void CViewerApp::ShowTypedNumber(const WString &text) {
  if (text.empty()) {
    Show(kShowChannel);
    return;
  }
  ShowChannelText(text);
}

void CViewerApp::ShowHint(const WString &text) {
  shell_.ShowHint(text);
  events_.Hint().Clear();
}

void CViewerApp::ToggleDock() {
  const int32_t code = controller_.LayoutCode();
  if (LayoutCode::Undocked(code)) {
    int32_t x = 0, y = 0;
    if (shell_.RemotePosition(&x, &y)) {
      settings_.remoteX = x;
      settings_.remoteY = y;
    }
    remote_.reset();
    shell_.DestroyRemote();
    controller_.SetLayoutCode(LayoutCode::ToggleDock(code));
    if (LoadMainSkin(u"maindocked.skn")) {
      LayOutVideo();
      shell_.CreateDockedPanels(shell_.MainWindowRect());
    }
  } else {
    shell_.DestroyDockedPanels();
    controller_.SetLayoutCode(LayoutCode::ToggleDock(code));
    MakeRemote();
    if (LoadMainSkin(u"mainundocked.skn")) LayOutVideo();
  }
  Refresh();
}

void CViewerApp::ToggleRemote() {
  if (!remote_) return;
  remoteHidden_ = !remoteHidden_;
  shell_.ShowRemote(!remoteHidden_);
}

void CViewerApp::OpenPanel(Panel panel, Point at) {
  ChannelPanelView *view = shell_.OpenPanelWindow(panel, at);
  if (!view) {
    controller_.SetBusy(false);  // no window, no panel: the viewer goes on
    return;
  }
  switch (panel) {
    case Panel::kEditChannel:
      edit_ = std::make_unique<CChannelPanel>(CChannelPanel::Kind::kEdit, controller_, *view, messages_);
      edit_->Open();
      break;
    case Panel::kNewChannel:
      new_ = std::make_unique<CChannelPanel>(CChannelPanel::Kind::kNew, controller_, *view, messages_);
      new_->Open();
      break;
    case Panel::kAutoTune:
      autoTune_ = std::make_unique<CAutoTunePanel>(controller_, *view);
      autoTune_->Open();
      break;
  }
}

bool CViewerApp::PanelOpen(Panel panel) {
  switch (panel) {
    case Panel::kEditChannel: return edit_ != nullptr;
    case Panel::kNewChannel: return new_ != nullptr;
    case Panel::kAutoTune: return autoTune_ != nullptr;
  }
  return false;
}

bool CViewerApp::PanelEvent(Panel panel, WStringView name) {
  switch (panel) {
    case Panel::kEditChannel: return edit_ && edit_->Event(name);
    case Panel::kNewChannel: return new_ && new_->Event(name);
    case Panel::kAutoTune: return autoTune_ && autoTune_->Event(name);
  }
  return false;
}

bool CViewerApp::PanelChar(Panel panel, char16_t c) {
  if (panel == Panel::kEditChannel) return edit_ && edit_->Char(c);
  if (panel == Panel::kNewChannel) return new_ && new_->Char(c);
  return false;
}

void CViewerApp::StartScan() {
  if (autoTune_) autoTune_->Run();
}

bool CViewerApp::ReportProgress(int32_t code, int32_t percent) {
  // The panel's own buttons (Cancel, Okay) come through the message queue.
  shell_.PumpMessages();
  if (autoTune_ && autoTune_->Scanning()) return autoTune_->Progress(code, percent);
  if (edit_) return edit_->Progress(code, percent);
  if (new_) return new_->Progress(code, percent);
  return true;
}

void CViewerApp::ClosePanel(Panel panel) {
  shell_.ClosePanelWindow(panel);
  switch (panel) {
    case Panel::kEditChannel:
      if (!edit_) return;
      edit_.reset();
      controller_.EditFinished();
      break;
    case Panel::kNewChannel:
      if (!new_) return;
      new_.reset();
      controller_.NewFinished();
      break;
    case Panel::kAutoTune:
      if (!autoTune_) return;
      autoTune_.reset();
      controller_.ScanFinished();
      break;
  }
}

void CViewerApp::ContextMenu() {
  MenuState state;
  state.maximized = shell_.IsMaximized();
  state.undocked = LayoutCode::Undocked(controller_.LayoutCode());
  state.remoteHidden = remoteHidden_;
  state.standard = LayoutCode::Standard(controller_.LayoutCode());
  const cap::DriverCaps &caps = link_.Caps();
  state.videoSource = caps.hasVideoSourceDialog;
  state.videoFormat = caps.hasVideoFormatDialog;
  state.videoDisplay = caps.hasVideoDisplayDialog;
  MenuCommand(shell_.TrackMenu(ContextMenu::Build(state), flags_.menuPopup));
}

void CViewerApp::MenuCommand(uint32_t command) {
  const int32_t code = controller_.LayoutCode();
  switch (command) {
    case kMenuDock:
      if (!(LayoutCode::Undocked(code) && shell_.IsMaximized() && bordersHidden_)) shell_.PostToggleDock();
      break;
    case kMenuRemote:
      ToggleRemote();
      break;
    case kMenuStandard:
    case kMenuAdvanced: {
      const int32_t next = command == kMenuStandard ? LayoutCode::ToStandard(code) : LayoutCode::ToAdvanced(code);
      if (next != code) ApplyLayout(next);
      break;
    }
    case kMenuVideoSource: OpenDriverDialog(cap::Dialog::kVideoSource); break;
    case kMenuVideoFormat: OpenDriverDialog(cap::Dialog::kVideoFormat); break;
    case kMenuVideoDisplay: OpenDriverDialog(cap::Dialog::kVideoDisplay); break;
    case kMenuPreferences: OpenPreferences(); break;
    case kMenuAbout: shell_.ShowAbout(); break;
    case kMenuHelp: shell_.ShowHelp(kHelpContext); break;
    case kMenuFullScreen: shell_.PostSysCommand(shell_.IsMaximized() ? kScRestore : kScMaximize); break;
    case kMenuExit: shell_.PostClose(); break;
    default: break;
  }
}

void CViewerApp::OpenDriverDialog(cap::Dialog dialog) {
  if (controller_.Busy()) return;
  controller_.SetBusy(true);
  shell_.BeginWaitCursor();
  const intptr_t result = link_.ShowDialog(dialog);
  if (dialog != cap::Dialog::kVideoSource) {
    controller_.Rebind();
    shell_.PostRepaintVideo();
  } else if (result != 0) {
    controller_.VideoSourceConfirmed();
  }
  shell_.EndWaitCursor();
  controller_.SetBusy(false);
}

void CViewerApp::Sizing(int32_t edge, ScreenRect *window) {
  SizingRules rules;
  rules.minSize = flags_.minSize;
  rules.keepAspect = settings_.aspectRatio;
  rules.ratio = CViewerSettings::AspectRatioOf(settings_.aspectRatioType);
  rules.extraWidth = extraWidth_;
  rules.extraHeight = extraHeight_;
  rules.workAreaHeight = shell_.WorkAreaHeight();
  WindowGeometry::Sizing(edge, rules, window);
}

void CViewerApp::BeforeMaximize() {
  if (settings_.hideBorders && !bordersHidden_ && LoadMainSkin(u"bare.skn")) bordersHidden_ = true;
}

void CViewerApp::Maximized() {
  if (settings_.hideMax && remote_ && !remoteHidden_) {
    shell_.ShowRemote(false);
    remoteHiddenByState_ = true;
  }
  settings_.maximized = true;
  settings_.main = shell_.RestoredRect();
  if (bordersHidden_) shell_.ShowDockedPanels(false);
  LayOutVideo();
}

void CViewerApp::Minimized() {
  if (remote_ && !remoteHidden_) {
    shell_.ShowRemote(false);
    remoteHiddenByState_ = true;
  }
}

void CViewerApp::Restored() {
  settings_.maximized = false;
  if (remoteHiddenByState_) {
    remoteHiddenByState_ = false;
    if (!remoteHidden_) shell_.ShowRemote(true);
  }
  if (bordersHidden_) {
    bordersHidden_ = false;
    LoadMainSkin(LayoutCode::Undocked(controller_.LayoutCode()) ? u"mainundocked.skn" : u"maindocked.skn");
    LayOutVideo();
    shell_.ShowDockedPanels(true);
    return;
  }
  StoreWindowRect();
  LayOutVideo();
  shell_.PostRepaintVideo();
}

void CViewerApp::Moved() {
  StoreWindowRect();
  shell_.PostRepaintVideo();
}

void CViewerApp::StoreWindowRect() {
  if (!windowMade_ || shell_.IsMaximized()) return;
  settings_.main = shell_.MainWindowRect();
}

void CViewerApp::LayOutVideo() {
  ScreenRect client;
  if (!shell_.ElementRect(u"client", &client)) return;
  const bool letterbox = shell_.IsMaximized() && settings_.aspectRatio;
  const ScreenRect pane = WindowGeometry::Pane(client.Width(), client.Height(), letterbox,
                                               CViewerSettings::AspectRatioOf(settings_.aspectRatioType));
  shell_.PlaceVideo(client, pane);
}

void CViewerApp::DisplayChange() {
  link_.Reconnect();
  controller_.Rebind();
  if (shell_.IsMaximized()) shell_.PostRestore();
  controller_.SelectSource(controller_.CachedSource());
}

void CViewerApp::SaveSettings() {
  int32_t x = 0, y = 0;
  if (LayoutCode::Undocked(controller_.LayoutCode()) && shell_.RemotePosition(&x, &y)) {
    settings_.remoteX = x;
    settings_.remoteY = y;
  }
  settings_.controlType = CurrentLayoutCode();
  settings_.maximized = shell_.IsMaximized();
  settings_.main = settings_.maximized ? shell_.RestoredRect() : shell_.MainWindowRect();
  settings_.masterVolume = controller_.MasterVolumeOn();
  settings_.Save();
  controller_.Commit();
}

void CViewerApp::Close() {
  closing_ = true;
  SaveSettings();
  if (options_) options_->Exit();
  shell_.DestroyMainWindow();
}

// After the preferences sheet: the aspect-ratio choice may have changed.
void CViewerApp::ReapplyGeometry() { LayOutVideo(); }

}  // namespace tolven::viewer
