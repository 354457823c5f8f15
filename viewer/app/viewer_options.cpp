#include "viewer/app/viewer_options.h"

#include "viewer/app/preferences_sheet.h"
#include "viewer/core/layout_code.h"

namespace tolven::viewer {

CViewerOptions::CViewerOptions(const OptionsPorts &ports, CViewerSettings &settings, CViewerController &controller,
                               ViewerShell &shell, OptionsHost &host)
    : settings_(settings),
      controller_(controller),
      shell_(shell),
      host_(host),
      links_(ports.links),
      sheets_(ports.sheets),
      bindings_(ports.registry, ports.hotkeys),
      screensaver_(ports.screensaver, ports.registry, settings) {}

void CViewerOptions::Start() {
  screensaver_.Apply(settings_.screensaver);
  bindings_.Register(shell_.MainWindow(), settings_.enableHotkeys);
}

void CViewerOptions::Exit() {
  screensaver_.Restore();
  bindings_.Unregister(shell_.MainWindow());
}

bool CViewerOptions::Hotkey(uint32_t id) {
  if (controller_.Busy()) return false;
  if (!controller_.EnterHotkey()) return false;
  const int32_t command = bindings_.CommandFor(id);
  if (command >= 0) RunCommand(command);
  controller_.LeaveHotkey();
  return command >= 0;
}

void CViewerOptions::RunCommand(int32_t command) {
  const int32_t layout = controller_.LayoutCode();
  switch (command) {
    case kHotkeyVolumeUp: controller_.VolumeUp(); break;
    case kHotkeyVolumeDown: controller_.VolumeDown(); break;
    case kHotkeyChannelUp:
      if (LayoutCode::Tuner(layout)) controller_.ChannelUp();
      break;
    case kHotkeyChannelDown:
      if (LayoutCode::Tuner(layout)) controller_.ChannelDown();
      break;
    case kHotkeyMute: controller_.ToggleMute(); break;  // shows the mute texts itself
    case kHotkeyNextSource: controller_.NextSource(); break;
    case kHotkeyPreviousSource: controller_.PreviousSource(); break;
    case kHotkeyRemote:
      if (LayoutCode::Undocked(layout)) host_.ToggleRemote();
      break;
    case kHotkeyMaximize: shell_.PostSysCommand(shell_.IsMaximized() ? kScRestore : kScMaximize); break;
    default: break;
  }
}

void CViewerOptions::OpenPreferences() {
  if (controller_.Busy()) return;
  controller_.SetBusy(true);
  CSettingsPage settingsPage(settings_, controller_, screensaver_, links_, host_.MasterVolumeAvailable());
  CHotkeyPage hotkeyPage(bindings_, settings_, shell_.MainWindow());
  CPreferencesSheet(settingsPage, hotkeyPage).Run(sheets_, shell_.MainWindow());
  controller_.SetBusy(false);
  host_.ReapplyGeometry();
}

}  // namespace tolven::viewer
