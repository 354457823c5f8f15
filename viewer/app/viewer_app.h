// The application object: owns the settings, the capture link, the
// controller and the master volume, and runs start-up, a display change and
// exit in their order over the windows of a ViewerShell. Without video (no
// driver, no window, no connection, no overlay) the viewer goes on with its
// skin and inert controls.
#pragma once
#include <cstdint>

#include "platform/capture/capture_windows.h"
#include "platform/messagebox/message_box.h"
#include "platform/mixer/mixer.h"
#include "platform/registry/registry.h"
#include "viewer/app/main_window_events.h"
#include "viewer/app/options_host.h"
#include "viewer/app/viewer_options.h"
#include "viewer/app/viewer_settings.h"
#include "viewer/app/viewer_shell.h"
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

class CViewerApp : private ControllerView, public OptionsHost {
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
  // The skin form's event (the element or event name).
  bool SkinEvent(WStringView name) { return events_.Handle(name); }
  // A pick in the source combo box.
  void SourcePicked(int32_t source) { controller_.SelectSource(source); }
  // Opens one of the driver's dialogs; after the Video Source dialog was
  // confirmed the controls follow what it changed.
  void OpenDriverDialog(cap::Dialog dialog);
  // The source list, texts and layout commands of the main window.
  void Refresh();

  CViewerController &Controller() { return controller_; }
  CViewerSettings &Settings() { return settings_; }
  const CCaptureLink &Capture() const { return link_; }
  bool VideoConnected() const { return videoConnected_; }
  bool Closing() const { return closing_; }
  // Frame width and height around the skin's "client" element.
  int32_t ExtraWidth() const { return extraWidth_; }
  int32_t ExtraHeight() const { return extraHeight_; }
  const SkinFlags &Flags() const { return flags_; }

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
  // OptionsHost
  void ToggleRemote() override;
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
  void OpenPanel(Panel panel, Point at) override { shell_.OpenPanel(panel, at); }
  bool PanelOpen(Panel panel) override { return shell_.PanelOpen(panel); }
  Point CursorPosition() override { return shell_.CursorPosition(); }
  bool ReportProgress(int32_t code, int32_t percent) override { return shell_.ReportProgress(code, percent); }
  void PostRepaintVideo() override { shell_.PostRepaintVideo(); }

  void LoadMainSkin();
  void SendLayoutCommands();
  void SaveSettings();
  int32_t CurrentLayoutCode();

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
  CViewerOptions *options_ = nullptr;
  bool videoConnected_ = false;
  bool closing_ = false;
  bool windowMade_ = false;
  int32_t extraWidth_ = 0;
  int32_t extraHeight_ = 0;
};

}  // namespace tolven::viewer
