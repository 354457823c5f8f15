#include "driver/dialogs/driver_app.h"

#include "driver/dialogs/display_prop_sheet.h"
#include "driver/dialogs/format_prop_sheet.h"
#include "driver/dialogs/source_prop_sheet.h"
#include "driver/tuning/profile_location.h"

namespace tolven::dialogs {

CDriverApp::CDriverApp(DriverAppEnvironment environment)
    : env_(environment),
      driverDialogs_(environment.dialogs, environment.resources, environment.strings,
                     environment.locale) {
  applicationName_ = env_.strings.Text(kApplicationNameString);
}

CDriverApp::~CDriverApp() {
  if (hub_) hub_->Release();
  hub_ = nullptr;
  driver_.reset();
}

CCaptureDriver &CDriverApp::CreateDriver(Ports ports, display::Gdi &gdi, DriverHost &host,
                                         BoardRequests &board) {
  driver_ = std::make_unique<CCaptureDriver>(DriverEnvironment{ports, gdi, host, *this, *this, board});
  driverSettings_ = std::make_unique<DriverObjectSettings<CCaptureDriver>>(*driver_);
  driverDialogs_.AttachDriver(driverSettings_.get());
  return *driver_;
}

control::IControlHub *CDriverApp::ObtainHub() {
  control::IControlFactory *factory = control::CreateControlFactory(env_.control);
  if (!factory) return nullptr;
  control::IControlHub *hub = factory->CreateInterface(1);
  factory->Release();
  return hub;
}

void CDriverApp::RefreshHub() {
  if (hub_) hub_->Release();
  hub_ = ObtainHub();
}

void CDriverApp::EnsureSettingsApplied() {
  if (settingsApplied_) return;
  settingsApplied_ = true;
  if (!hub_) hub_ = ObtainHub();
  if (control::IVideoDecoderControl *d = GetVideoDecoder(); d && d->GetVideoStandardCount() > 0)
    d->LoadSettings();
  if (control::IVideoPortControl *p = GetVideoPort(); p && p->GetVideoFormatCount() > 0)
    p->LoadSettings();
  if (control::ICrossbarControl *x = GetCrossbar(); x && x->GetSourceCount() > 0) x->LoadSettings();
  if (control::ITunerControl *t = GetTuner(); t && t->GetInputCount() > 0) t->LoadSettings();
  if (control::IProcAmpControl *a = GetProcAmp()) a->LoadSettings();
}

bool CDriverApp::ShowChannelSheet(uint32_t kind, uintptr_t parent) {
  // One sheet per channel kind; a kind without a sheet answers false.
  switch (kind) {
    case 1: ShowSourceSheet(parent); return true;
    case 2: return ShowDisplaySheet(parent);
    case 4: return ShowFormatSheet(parent);
    default: return false;
  }
}

void CDriverApp::ShowSourceSheet(uintptr_t parent) {
  env_.sheets.SetWaitCursor(true);
  CUserSourcePropSheet sheet(*this);
  env_.sheets.SetWaitCursor(false);
  RefreshHub();
  env_.sheets.RunModal(sheet, parent);
}

bool CDriverApp::ShowFormatSheet(uintptr_t parent) {
  CUserFormatPropSheet sheet(*this);
  RefreshHub();
  if (sheet.Empty()) {
    // An empty sheet would be a frame with OK and Cancel and nothing to set.
    if (env_.messageBoxes)
      env_.messageBoxes->Show(parent, env_.strings.Text(kNoFormatSettingsString), applicationName_,
                              ui::kMbOk | ui::kMbIconInformation);
    return true;
  }
  env_.sheets.RunModal(sheet, parent);
  return true;
}

bool CDriverApp::ShowDisplaySheet(uintptr_t parent) {
  CUserDisplayPropSheet sheet(*this);
  RefreshHub();
  env_.sheets.RunModal(sheet, parent);
  return true;
}

bool CDriverApp::ShowDriverSettings(uintptr_t parent) { return driverDialogs_.ShowDriverSettings(parent); }

bool CDriverApp::ReadUserDword(WStringView name, uint32_t *value) {
  return driver_ && driver_->ReadUserDword(name, value);
}

bool CDriverApp::WriteUserDword(WStringView name, uint32_t value) {
  return driver_ && driver_->WriteUserDword(name, value);
}

int CDriverApp::Message(DialogView &view, uint32_t id, uint32_t style) {
  return view.ShowMessage(env_.strings.Text(id), applicationName_, style);
}

WString CDriverApp::ChannelFilePath() {
  if (!env_.control) return WString();
  return tuning::ChannelFileName(tuning::ChannelFileDirectory(env_.control->files),
                                 tuning::kDriverShortName, 0, tuning::kChannelFileExtension);
}

}  // namespace tolven::dialogs
