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

/* Video Source sheet: pages, channel dialogs and their controls */
#define IDC_YES 6
#define IDC_NO 7
#define IDD_SOURCE_CROSSBAR 400
#define IDD_SOURCE_TUNER 401
#define IDD_SOURCE_TVAUDIO 402
#define IDD_NEW_CHANNEL 403
#define IDD_MODIFY_CHANNEL 404
#define IDD_DELETE_CHANNEL 405
#define IDD_AUTO_TUNE 406
#define IDC_XBAR_SOURCE 1058
#define IDC_XBAR_STATUS 1001
#define IDC_AUDIO_FORMAT 1026
#define IDC_AUDIO_MUTE 1091
#define IDC_AUDIO_DETECTED 1005
#define IDC_AUDIO_PRIMARY 1014
#define IDC_AUDIO_SECONDARY 1015
#define IDC_AUDIO_TERTIARY 1016
#define IDC_AUDIO_VOLUME 1012
#define IDC_TUNER_FORMAT 1048
#define IDC_TUNER_INPUT 1058
#define IDC_TUNER_LIST 1002
#define IDC_TUNER_NEW 1060
#define IDC_TUNER_REMOVE 1063
#define IDC_TUNER_MODIFY 1064
#define IDC_TUNER_REMOVE_ALL 1065
#define IDC_TUNER_AUTO 1003
#define IDC_CHANNEL_NAME 1062
#define IDC_SEEK_DOWN 1064
#define IDC_SEEK_UP 1065
#define IDC_STEP_DOWN 1066
#define IDC_STEP_UP 1067
#define IDC_CHANNEL_PROGRESS 1070
#define IDC_DELETE_DONT_SHOW 1080
#define IDC_AUTO_PROGRESS 1010
#define IDC_AUTO_COUNT 1011

#endif
