#include "driver/dialogs/driver_dialogs.h"

#include "driver/dialogs/resource_ids.h"

namespace tolven::dialogs {

bool DriverDialogs::ShowDriverSettings(uintptr_t parent) {
  if (!driver_) return false;
  CDriverSettingsDlg dialog(*driver_, resources_, strings_, locale_);
  return runner_.RunModal(IDD_DRIVER_SETTINGS, parent, dialog) == IDC_OK;
}

}  // namespace tolven::dialogs
