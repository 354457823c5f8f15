// CDriverApp: the module's application object. It owns the driver object
// and the module's own control hub, restores the stored component settings
// to the hardware once (at the first channel open), and opens the driver's
// dialogs on request: the channel property sheets for DVM_DIALOG and the
// Driver Settings dialog for DRV_CONFIGURE.
#pragma once
#include <cstdint>
#include <memory>

#include "driver/control/control_interface.h"
#include "driver/control/control_model.h"
#include "driver/core/capture_driver.h"
#include "driver/core/driver_host.h"
#include "driver/dialogs/dialog_view.h"
#include "driver/dialogs/driver_dialogs.h"
#include "driver/dialogs/property_sheet.h"
#include "driver/strings/string_table.h"
#include "platform/locale/locale.h"
#include "platform/messagebox/message_box.h"
#include "platform/resources/resources.h"

namespace tolven::dialogs {

// What the application object reaches outside itself.
struct DriverAppEnvironment {
  DialogRunner &dialogs;          // modal dialogs from the module's templates
  PropertySheetRunner &sheets;    // modal property sheets
  strings::StringTable &strings;  // the module's string table
  res::ModuleResources &resources;
  loc::Locale &locale;
  // Where hubs come from (what GetVarnInterface answers over); null: no hub.
  control::ControlEnvironment *control;
  // Message boxes raised outside any dialog (the Video Format request on a
  // card without video format settings); null: none is shown.
  ui::MessageBoxes *messageBoxes = nullptr;
};

// The string ids the application object itself uses.
inline constexpr uint32_t kApplicationNameString = 251;

class CDriverApp : public DialogHost, public ControlModelHook {
 public:
  explicit CDriverApp(DriverAppEnvironment environment);
  ~CDriverApp() override;
  CDriverApp(const CDriverApp &) = delete;
  CDriverApp &operator=(const CDriverApp &) = delete;

  // Makes the driver object, which reaches the dialogs and the control
  // model's start-up through this object; it lives until this one goes.
  CCaptureDriver &CreateDriver(Ports ports, display::Gdi &gdi, DriverHost &host,
                               BoardRequests &board);
  CCaptureDriver *Driver() const { return driver_.get(); }

  // The first call obtains a hub and restores every component's stored
  // settings; later calls do nothing.
  void EnsureSettingsApplied() override;
  bool SettingsApplied() const { return settingsApplied_; }

  // DVM_DIALOG: the channel's sheet by channel kind (1 external-in, 2
  // external-out, 4 video-in). True when the channel has a sheet.
  bool ShowChannelSheet(uint32_t kind, uintptr_t parent) override;
  bool RunDriverSettings(uintptr_t parent) override { return ShowDriverSettings(parent); }

  // Each builds its sheet (which looks at the current hub to choose its
  // pages), replaces the hub by a fresh one and runs the sheet modally.
  void ShowSourceSheet(uintptr_t parent);
  // The Video Format and Video Display sheets; true (the channels have
  // them). A Video Format sheet without pages is not shown: a message box
  // over `parent` says the card offers no video format settings.
  virtual bool ShowFormatSheet(uintptr_t parent);
  virtual bool ShowDisplaySheet(uintptr_t parent);
  // True when the dialog ended with OK.
  bool ShowDriverSettings(uintptr_t parent);

  // Releases the hub and obtains a new one.
  void RefreshHub();

  // The hub's components; each may be null.
  control::ITunerControl *GetTuner() const { return hub_ ? hub_->GetTuner() : nullptr; }
  control::ICrossbarControl *GetCrossbar() const { return hub_ ? hub_->GetCrossbar() : nullptr; }
  control::IVideoDecoderControl *GetVideoDecoder() const {
    return hub_ ? hub_->GetVideoDecoder() : nullptr;
  }
  control::IProcAmpControl *GetProcAmp() const { return hub_ ? hub_->GetProcAmp() : nullptr; }
  control::IVideoPortControl *GetVideoPort() const { return hub_ ? hub_->GetVideoPort() : nullptr; }
  bool HasHub() const { return hub_ != nullptr; }

  // The driver object's per-user values (false without a driver object).
  bool ReadUserDword(WStringView name, uint32_t *value);
  bool WriteUserDword(WStringView name, uint32_t value);

  // The caption of every message box the dialogs raise.
  const WString &ApplicationName() const { return applicationName_; }
  WString Text(uint32_t id) { return env_.strings.Text(id); }
  // A message box with string `id`, captioned with the application name.
  int Message(DialogView &view, uint32_t id, uint32_t style);

  // Where the tuner's channel file is, for messages that name it.
  WString ChannelFilePath();

  DialogRunner &Dialogs() { return env_.dialogs; }
  PropertySheetRunner &Sheets() { return env_.sheets; }

 private:
  control::IControlHub *ObtainHub();

  DriverAppEnvironment env_;
  std::unique_ptr<CCaptureDriver> driver_;
  std::unique_ptr<DriverObjectSettings<CCaptureDriver>> driverSettings_;
  DriverDialogs driverDialogs_;
  bool settingsApplied_ = false;
  control::IControlHub *hub_ = nullptr;
  WString applicationName_;
};

}  // namespace tolven::dialogs
