#include "viewer/app/viewer_app.h"

#include <vector>

#include "viewer/core/layout_code.h"
#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr ScreenRect kDefaultMain{200, 200, 600, 500};
// A saved rectangle must leave this much of the maximized window free.
constexpr int32_t kMargin = 25;
}  // namespace

CViewerApp::CViewerApp(const ViewerPorts &ports)
    : shell_(ports.shell),
      messages_(ports.messages),
      link_(ports.captureWindows, ports.messages),
      settings_(ports.registry),
      masterVolume_(ports.mixer),
      holder_(ports.library),
      controller_(holder_, *this, ports.messages, &masterVolume_),
      events_(controller_, ports.shell, flags_) {}

CViewerApp::~CViewerApp() {
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
  LoadMainSkin();

  ScreenRect client;
  shell_.ElementRect(u"client", &client);
  shell_.CreateVideoWindows(client);
  shell_.PlaceMainWindow(rect);
  shell_.TrimSystemMenu();
  shell_.FillVideoWindow();

  const int32_t code = controller_.LayoutCode();
  if (LayoutCode::Undocked(code))
    shell_.CreateRemote(settings_.remoteX, settings_.remoteY, RemoteSkin(code));
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

void CViewerApp::LoadMainSkin() {
  const bool undocked = LayoutCode::Undocked(controller_.LayoutCode());
  if (!shell_.LoadMainSkin(undocked ? u"mainundocked.skn" : u"maindocked.skn")) return;
  flags_ = SkinFlags{};
  ScreenRect client;
  if (shell_.ElementRect(u"client", &client)) {
    const ScreenRect window = shell_.MainWindowRect();
    extraWidth_ = window.Width() - client.Width();
    extraHeight_ = window.Height() - client.Height();
  }
  SendLayoutCommands();
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
  controller_.SetLayoutCode(CurrentLayoutCode());
  std::vector<WString> names;
  const int32_t count = controller_.SourceCount();
  for (int32_t i = 0; i < count; ++i) names.push_back(controller_.SourceName(i));
  shell_.FillSources(names, controller_.CachedSource());
  Show(kShowAll);
  SendLayoutCommands();
}

void CViewerApp::ApplyLayout(int32_t layoutCode) {
  controller_.SetLayoutCode(layoutCode);
  Refresh();
}

void CViewerApp::Show(uint32_t) {
  const bool docked = !LayoutCode::Undocked(controller_.LayoutCode());
  shell_.ShowTexts(controller_.VolumeText(), controller_.ChannelText(docked), controller_.SourceText(),
                   controller_.MuteText(), controller_.StereoText());
}

void CViewerApp::OpenDriverDialog(cap::Dialog dialog) {
  if (link_.ShowDialog(dialog) == 0 || dialog != cap::Dialog::kVideoSource) return;
  controller_.VideoSourceConfirmed();
  shell_.PostRepaintVideo();
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

// Hooks of the hotkeys and the preferences sheet into the remote panel and
// the window geometry, which those parts of the application fill in.
void CViewerApp::ToggleRemote() {}

void CViewerApp::ReapplyGeometry() {}

}  // namespace tolven::viewer
