// The viewer's hotkeys and preferences: the screensaver option and the
// hotkeys' registration at start-up and exit, the commands a hotkey runs,
// and the preferences sheet. The application object calls it at those
// moments; the shell delivers WM_HOTKEY here through the application.
#pragma once
#include <cstdint>

#include "platform/hotkeys/system_hotkeys.h"
#include "platform/registry/registry.h"
#include "platform/screensaver/screensaver.h"
#include "platform/shelllink/shell_links.h"
#include "viewer/app/hotkey_bindings.h"
#include "viewer/app/options_host.h"
#include "viewer/app/screensaver_option.h"
#include "viewer/app/sheet_runner.h"
#include "viewer/app/viewer_settings.h"
#include "viewer/app/viewer_shell.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

struct OptionsPorts {
  reg::Registry &registry;
  desk::Screensaver &screensaver;
  hk::SystemHotkeys &hotkeys;
  lnk::ShellLinks &links;
  SheetRunner &sheets;
};

class CViewerOptions {
 public:
  CViewerOptions(const OptionsPorts &ports, CViewerSettings &settings, CViewerController &controller,
                 ViewerShell &shell, OptionsHost &host);
  ~CViewerOptions() = default;
  CViewerOptions(const CViewerOptions &) = delete;
  CViewerOptions &operator=(const CViewerOptions &) = delete;

  // Start-up, after the master volume: applies the screensaver option (which
  // also restores what a crashed session left switched off) and registers
  // the hotkeys.
  void Start();
  // Exit, after the settings were saved and before the main window goes:
  // screensaver and power management back on, hotkeys unregistered.
  void Exit();
  // WM_HOTKEY with its identifier; false when nothing ran (busy, unknown).
  bool Hotkey(uint32_t id);
  // The context menu's "Preferences...": the modal sheet, unless an
  // operation is in progress; then the window geometry again.
  void OpenPreferences();

  CHotkeyBindings &Bindings() { return bindings_; }
  CScreensaverOption &Screensaver() { return screensaver_; }

 private:
  void RunCommand(int32_t command);

  CViewerSettings &settings_;
  CViewerController &controller_;
  ViewerShell &shell_;
  OptionsHost &host_;
  lnk::ShellLinks &links_;
  SheetRunner &sheets_;
  CHotkeyBindings bindings_;
  CScreensaverOption screensaver_;
};

}  // namespace tolven::viewer
