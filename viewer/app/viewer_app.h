// The application object: owns the settings, the capture link, the
// controller, the master volume and the panels' presenters, and runs
// start-up, a display change, docking, the channel panels, the context
// menu, the window states and exit over the windows of a ViewerShell.
// Without video (no driver, no window, no connection, no overlay) the viewer
// goes on with its skin and inert controls.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/capture/capture_windows.h"
#include "platform/messagebox/message_box.h"
#include "platform/mixer/mixer.h"
#include "platform/registry/registry.h"
#include "viewer/app/auto_tune_panel.h"
#include "viewer/app/channel_keys.h"
#include "viewer/app/channel_panel.h"
#include "viewer/app/main_window_events.h"
#include "viewer/app/remote_panel.h"
#include "viewer/app/options_host.h"
#include "viewer/app/viewer_options.h"
#include "viewer/app/viewer_settings.h"
#include "viewer/app/viewer_shell.h"
#include "viewer/app/window_geometry.h"
#include "viewer/core/capture_link.h"
#include "viewer/core/control_library.h"
#include "viewer/core/interface_holder.h"
#include "viewer/core/master_volume.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

struct ViewerPorts {
  reg::Registry &registry;
  ViewerShell &shell;
  cap::CaptureWindows &captureWindows;
  ui::MessageBoxes &messages;
  ControlLibrary &library;
  mix::Mixer &mixer;
};

class CViewerApp : private ControllerView, private ChannelKeysView, public OptionsHost {
 public:
  explicit CViewerApp(const ViewerPorts &ports);
  ~CViewerApp() override;
  CViewerApp(const CViewerApp &) = delete;
  CViewerApp &operator=(const CViewerApp &) = delete;

  // The whole start-up; false only when the main window could not be made.
  bool Start();
  // WM_DISPLAYCHANGE.
  void DisplayChange();
  // WM_CLOSE: saves everything and destroys the main window.
  void Close();
  // The main skin form's event (the element or event name).
  bool SkinEvent(WStringView name) { return events_.Handle(name); }
  // A pick in the source combo box.
  void SourcePicked(int32_t source) { controller_.SelectSource(source); }
  // The source list, texts and layout commands of the main window or remote.
  void Refresh();

  // Docking (VWM_TOGGLEDOCK) and the remote.
  void ToggleDock();
  bool RemoteEvent(WStringView name) { return remote_ ? remote_->Event(name) : false; }
  void RemoteScrolled(int32_t position) {
    if (remote_) remote_->ScrollBarMoved(position);
  }
  bool RemoteHidden() const { return remoteHidden_; }
  void ToggleRemote() override;

  // The channel panels: their events and keys, the posted start of a scan,
  // and their closing messages (VWM_CLOSEEDIT, VWM_CLOSENEW, VWM_CLOSEAUTOTUNE).
  bool PanelEvent(Panel panel, WStringView name);
  bool PanelChar(Panel panel, char16_t c);
  void StartScan();
  void ClosePanel(Panel panel);

  // Keys of the viewer's own windows and the clock that ends a typed number.
  bool Key(uint32_t virtualKey, uint32_t now) { return keys_.Key(virtualKey, now); }
  void Tick(uint32_t now) { keys_.Tick(now); }

  // The context menu at the cursor and its commands.
  void ContextMenu();
  void MenuCommand(uint32_t command);
  // Opens one of the driver's dialogs; after the Video Source dialog was
  // confirmed the controls follow what it changed.
  void OpenDriverDialog(cap::Dialog dialog);

  // Window geometry: an edge dragged (WM_SIZING), SC_MAXIMIZE about to
  // happen, and the new state (WM_SIZE).
  void Sizing(int32_t edge, ScreenRect *window);
  void BeforeMaximize();
  void Maximized();
  void Minimized();
  void Restored();
  void Moved();
  // The video window over the skin's client element (letterboxed while
  // maximized with "Aspect Ratio").
  void LayOutVideo();

  CViewerController &Controller() { return controller_; }
  CViewerSettings &Settings() { return settings_; }
  const CCaptureLink &Capture() const { return link_; }
  bool VideoConnected() const { return videoConnected_; }
  bool Closing() const { return closing_; }
  bool BordersHidden() const { return bordersHidden_; }
  // Frame width and height around the skin's "client" element.
  int32_t ExtraWidth() const { return extraWidth_; }
  int32_t ExtraHeight() const { return extraHeight_; }
  const SkinFlags &Flags() const { return flags_; }
  // The presenters of the open panels (null when closed).
  CRemotePanel *Remote() { return remote_.get(); }
  CChannelPanel *EditPanel() { return edit_.get(); }
  CChannelPanel *NewPanel() { return new_.get(); }
  CAutoTunePanel *AutoTune() { return autoTune_.get(); }

  // Hotkeys and preferences. The program attaches them after making the
  // application (tests may leave them out); start-up's last step and exit
  // call them, the shell hands WM_HOTKEY and the context menu's
  // "Preferences..." to the two methods below.
  void AttachOptions(CViewerOptions *options) { options_ = options; }
  // WM_HOTKEY (wParam): true when a command ran.
  bool Hotkey(uint32_t id) { return options_ != nullptr && options_->Hotkey(id); }
  void OpenPreferences() {
    if (options_) options_->OpenPreferences();
  }
  // OptionsHost (ToggleRemote above)
  void ReapplyGeometry() override;
  bool MasterVolumeAvailable() override { return masterVolume_.Available(); }

  // The remote skin of an undocked layout code.
  static const char16_t *RemoteSkin(int32_t layoutCode);

 private:
  // ControllerView
  void BeginWaitCursor() override { shell_.BeginWaitCursor(); }
  void EndWaitCursor() override { shell_.EndWaitCursor(); }
  void ApplyLayout(int32_t layoutCode) override;
  void Show(uint32_t shown) override;
  void OpenPanel(Panel panel, Point at) override;
  bool PanelOpen(Panel panel) override;
  Point CursorPosition() override { return shell_.CursorPosition(); }
  bool ReportProgress(int32_t code, int32_t percent) override;
  void PostRepaintVideo() override { shell_.PostRepaintVideo(); }
  // ChannelKeysView
  void ShowTypedNumber(const WString &text) override;
  void ShowHint(const WString &text) override;

  bool LoadMainSkin(const char16_t *file);
  void SendLayoutCommands();
  void SaveSettings();
  int32_t CurrentLayoutCode();
  void MakeRemote();
  void StoreWindowRect();
  void ShowChannelText(const WString &text);

  ViewerShell &shell_;
  ui::MessageBoxes &messages_;
  // Destroyed last: the link turns the overlay off and disconnects after
  // the hub and the module are gone.
  CCaptureLink link_;
  CViewerSettings settings_;
  CMasterVolume masterVolume_;
  CInterfaceHolder holder_;
  CViewerController controller_;
  SkinFlags flags_;
  CMainWindowEvents events_;
  CChannelKeys keys_;
  std::unique_ptr<CRemotePanel> remote_;
  std::unique_ptr<CChannelPanel> edit_, new_;
  std::unique_ptr<CAutoTunePanel> autoTune_;
  CViewerOptions *options_ = nullptr;
  bool videoConnected_ = false;
  bool closing_ = false;
  bool windowMade_ = false;
  bool bordersHidden_ = false;
  bool remoteHidden_ = false;
  bool remoteHiddenByState_ = false;  // hidden by maximizing or minimizing
  int32_t extraWidth_ = 0;
  int32_t extraHeight_ = 0;
};

}  // namespace tolven::viewer
