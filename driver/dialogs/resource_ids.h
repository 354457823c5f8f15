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

/* Video Format and Video Display sheets */
#define IDD_VIDEO_DECODER_PAGE 220
#define IDD_VIDEO_PORT_PAGE 221
#define IDD_VIDEO_PROCESSOR_PAGE 222
/* the video decoder page */
#define IDC_DEC_VIDEO_STANDARD 1049
#define IDC_DEC_INTERLACE_MODE 1050
#define IDC_DEC_VCR_TIMING 1051
#define IDC_DEC_OUTPUT_ENABLE 1052
#define IDC_DEC_SCALING 1054
#define IDC_DEC_ASPECT_RATIO 1055
#define IDC_DEC_COLOUR_DEPTH 1056
/* the video port page */
#define IDC_VIP_VIDEO_STANDARD 1094
#define IDC_VIP_ASPECT_RATIO 1095
#define IDC_VIP_CONNECTION 1096
#define IDC_VIP_COLOUR_FORMAT 1097
/* the picture-control page: "Default" buttons, labels, sliders, check boxes */
#define IDC_VPA_BRIGHTNESS_DEFAULT 1018
#define IDC_VPA_BRIGHTNESS_SLIDER 1019
#define IDC_VPA_CONTRAST_DEFAULT 1020
#define IDC_VPA_COLOUR_ENABLE 1021
#define IDC_VPA_HUE_DEFAULT 1022
#define IDC_VPA_INVERSE_VIDEO 1023
#define IDC_VPA_SATURATION_DEFAULT 1024
#define IDC_VPA_DEFAULT_ALL 1025
#define IDC_VPA_GAMMA_DEFAULT 1026
#define IDC_VPA_BRIGHTNESS_LABEL 1027
#define IDC_VPA_SHARPNESS_DEFAULT 1028
#define IDC_VPA_CONTRAST_LABEL 1029
#define IDC_VPA_COLOUR_BALANCE_DEFAULT 1030
#define IDC_VPA_HUE_LABEL 1031
#define IDC_VPA_WHITE_BALANCE_DEFAULT 1032
#define IDC_VPA_SATURATION_LABEL 1033
#define IDC_VPA_BACK_LIGHT_DEFAULT 1034
#define IDC_VPA_CONTRAST_SLIDER 1035
#define IDC_VPA_HUE_SLIDER 1036
#define IDC_VPA_SATURATION_SLIDER 1037
#define IDC_VPA_GAMMA_SLIDER 1038
#define IDC_VPA_SHARPNESS_SLIDER 1039
#define IDC_VPA_COLOUR_BALANCE_SLIDER 1040
#define IDC_VPA_WHITE_BALANCE_SLIDER 1041
#define IDC_VPA_BACK_LIGHT_SLIDER 1042
#define IDC_VPA_GAMMA_LABEL 1043
#define IDC_VPA_SHARPNESS_LABEL 1044
#define IDC_VPA_COLOUR_BALANCE_LABEL 1045
#define IDC_VPA_WHITE_BALANCE_LABEL 1046
#define IDC_VPA_BACK_LIGHT_LABEL 1047
/* the page's status line (what cannot be changed, and why) */
#define IDC_VPA_STATUS 1048
/* the private message that applies a slider's position (WM_USER + 101) */
#define WM_VPA_APPLY_SLIDER 0x465

#endif
