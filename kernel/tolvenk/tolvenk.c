/* tolvenk: the Caldra One kernel service. It owns the device VidCap<n> as
   the card's presence and exclusive claim; the card itself is driven from
   user mode through the display driver, so every card callback is a stub
   with a fixed answer and only open and close have an effect. */
#include "kernel/vc/vclib.h"

static BOOLEAN InternalDeviceOpen(PVC_DEVICE_EXTENSION ext) {
  (void)ext;
  return TRUE;
}

/* Configure format, display, source; set key palette index; set overlay
   rectangles and offset; draw frame. */
static BOOLEAN InternalRefuseBuffer(PVC_DEVICE_EXTENSION ext, PVOID buffer) {
  (void)ext;
  (void)buffer;
  return FALSE;
}

/* Get overlay mode, get key colour, stream position. */
static ULONG InternalAnswerZero(PVC_DEVICE_EXTENSION ext) {
  (void)ext;
  return 0;
}

/* Set key RGB, stream init. */
static BOOLEAN InternalRefuseDword(PVC_DEVICE_EXTENSION ext, ULONG value) {
  (void)ext;
  (void)value;
  return FALSE;
}

/* Capture and overlay on/off. */
static BOOLEAN InternalRefuseSwitch(PVC_DEVICE_EXTENSION ext, BOOLEAN on) {
  (void)ext;
  (void)on;
  return FALSE;
}

/* Stream finish, start, stop; interrupt acknowledge. */
static BOOLEAN InternalRefuse(PVC_DEVICE_EXTENSION ext) {
  (void)ext;
  return FALSE;
}

static ULONG InternalCaptureService(PVC_DEVICE_EXTENSION ext, PUCHAR buffer, PVC_HEADER header,
                                    ULONG bufferLength) {
  (void)ext;
  (void)buffer;
  (void)header;
  (void)bufferLength;
  return 0;
}

static BOOLEAN InternalCleanup(PVC_DEVICE_EXTENSION ext) {
  (void)ext;
  return TRUE;
}

static void FillCallbacks(PVC_CALLBACK_TABLE cb) {
  cb->DeviceOpen = InternalDeviceOpen;
  cb->DeviceClose = InternalDeviceOpen;
  cb->ConfigFormat = InternalRefuseBuffer;
  cb->ConfigDisplay = InternalRefuseBuffer;
  cb->ConfigSource = InternalRefuseBuffer;
  cb->GetOverlayMode = InternalAnswerZero;
  cb->SetKeyPalIdx = InternalRefuseBuffer;
  cb->SetKeyRGB = InternalRefuseDword;
  cb->SetOverlayRects = InternalRefuseBuffer;
  cb->SetOverlayOffset = InternalRefuseBuffer;
  cb->GetKeyColour = InternalAnswerZero;
  cb->Capture = InternalRefuseSwitch;
  cb->Overlay = InternalRefuseSwitch;
  cb->StreamInit = InternalRefuseDword;
  cb->StreamFini = InternalRefuse;
  cb->StreamStart = InternalRefuse;
  cb->StreamStop = InternalRefuse;
  cb->StreamGetPosition = InternalAnswerZero;
  cb->InterruptAcknowledge = InternalRefuse;
  cb->CaptureService = InternalCaptureService;
  cb->DrawFrame = InternalRefuseBuffer;
  cb->Cleanup = InternalCleanup;
}

/* Without a device there is no extension to keep the path in. */
static void ReportInstallError(PUNICODE_STRING registryPath, ULONG value) {
  PWSTR path = VC_SaveRegistryPathName(registryPath);
  if (!path) return;
  RtlWriteRegistryValue(RTL_REGISTRY_ABSOLUTE, path, VC_TEXT("InstallError"), REG_DWORD, &value,
                        sizeof value);
  ExFreePoolWithTag(path, VC_POOL_TAG);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  PVC_DEVICE_EXTENSION ext = VC_Init(driver, registryPath, 0);
  if (!ext) {
    /* Stay loaded without a device; the installer reads the failure. The
       unload routine lets the service still be stopped and deleted. */
    ReportInstallError(registryPath, VC_INSTALL_ERROR_FAILED);
    driver->DriverUnload = VC_Cleanup;
    return STATUS_SUCCESS;
  }
  FillCallbacks(VC_GetCallbackTable(ext));
  VC_WriteProfile(ext, VC_TEXT("InstallError"), 0);
  return STATUS_SUCCESS;
}
