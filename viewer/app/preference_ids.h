/* The preferences sheet's dialog templates and control ids, shared by the
   pages and the resource script (plain defines: the resource compiler reads
   this file too). */
#pragma once

#define IDD_HOTKEYS 107
#define IDD_SETTINGS 108

/* Hotkeys page */
#define IDC_HOTKEY_KEY 235
#define IDC_HOTKEY_LIST 237
#define IDC_HOTKEY_ENABLE 238
#define IDC_HOTKEY_ASSIGN 239
#define IDC_HOTKEY_REMOVE_ALL 241
#define IDC_HOTKEY_NOTE 243
#define IDC_HOTKEY_COMMANDS 246
#define IDC_HOTKEY_REMOVE 1074

/* Settings page */
#define IDC_SET_HIDE_BORDERS 1030
#define IDC_SET_LAUNCH_BAR 1032
#define IDC_SET_SCREENSAVER 1034
#define IDC_SET_ASPECT_RATIO 1035
#define IDC_SET_HIDE_MAX 1039
#define IDC_SET_MASTER_VOLUME 1077
#define IDC_SET_ASPECT_TYPES 1103
