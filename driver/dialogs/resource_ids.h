/* Resource and control ids of the driver's dialogs. Included by the dialog
   templates (resource compiler) and by the portable dialog code, so keep it
   to plain #defines. */
#ifndef TOLVEN_DRIVER_DIALOGS_RESOURCE_IDS_H
#define TOLVEN_DRIVER_DIALOGS_RESOURCE_IDS_H

/* Buttons every dialog shares (the system's values). */
#define IDC_OK 1
#define IDC_CANCEL 2

/* Driver Settings */
#define IDD_DRIVER_SETTINGS 200
#define IDC_SETTINGS_TYPE 1008
#define IDC_SETTINGS_ORIGIN 1010

#endif
