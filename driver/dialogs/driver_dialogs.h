// The dialogs the driver module opens on request (the dialog share of the
// module's application object): DRV_CONFIGURE runs the Driver Settings
// dialog modally over the window the request hands in.
#pragma once
#include "driver/core/driver_host.h"
#include "driver/dialogs/dialog_view.h"
#include "driver/dialogs/driver_settings_dlg.h"

namespace tolven::dialogs {

class DriverDialogs : public DialogHost {
 public:
  DriverDialogs(DialogRunner &runner, res::ModuleResources &resources,
                strings::StringTable &strings, loc::Locale &locale)
      : runner_(runner), resources_(resources), strings_(strings), locale_(locale) {}

  // The driver object whose values the dialogs read and write; until it is
  // attached no dialog is shown.
  void AttachDriver(DriverSettingsBackend *driver) { driver_ = driver; }

  // True when the Driver Settings dialog ended with OK.
  bool ShowDriverSettings(uintptr_t parent);

  bool RunDriverSettings(uintptr_t parent) override { return ShowDriverSettings(parent); }

 private:
  DialogRunner &runner_;
  res::ModuleResources &resources_;
  strings::StringTable &strings_;
  loc::Locale &locale_;
  DriverSettingsBackend *driver_ = nullptr;
};

}  // namespace tolven::dialogs
