// The module's common-controls v6 manifest (resource 2) made the active
// activation context while the module's dialogs run, so they get the
// current controls inside any host process, whatever the host's own
// manifest says.
#pragma once
#include <windows.h>

namespace tolven::dialogs {

class ModuleActivation {
 public:
  // Activates the manifest of `module`; without one, nothing changes.
  explicit ModuleActivation(HMODULE module);
  ~ModuleActivation();
  ModuleActivation(const ModuleActivation &) = delete;
  ModuleActivation &operator=(const ModuleActivation &) = delete;

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// Registers the common control classes the driver's dialogs use (list view
// and header, track bar, up-down, progress bar, property sheets) in the
// active context.
void InitialiseDialogControls();

}  // namespace tolven::dialogs
