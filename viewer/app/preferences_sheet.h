// "General Preferences": the Settings page, then the Hotkeys page, shown
// modally over the main window.
#pragma once
#include "viewer/app/hotkey_page.h"
#include "viewer/app/settings_page.h"
#include "viewer/app/sheet_runner.h"

namespace tolven::viewer {

class CPreferencesSheet {
 public:
  CPreferencesSheet(CSettingsPage &settings, CHotkeyPage &hotkeys) : settings_(settings), hotkeys_(hotkeys) {}
  bool Run(SheetRunner &runner, ui::Window owner);

 private:
  CSettingsPage &settings_;
  CHotkeyPage &hotkeys_;
};

}  // namespace tolven::viewer
