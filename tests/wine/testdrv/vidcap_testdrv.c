/* A minimal kernel driver for the port contract tests under Wine: it creates
   \Device\VidCap0 with the DOS link \DosDevices\VidCap0, admits one open at a
   time, and reports "DeviceName" and "InstallError" under its service's
   Parameters key, as the card's kernel service does. */
#include <ntddk.h>

static PDEVICE_OBJECT g_device;
static LONG g_opens;
static const WCHAR kDeviceName[] = L"\\Device\\VidCap0";
static const WCHAR kLinkName[] = L"\\DosDevices\\VidCap0";
static const WCHAR kParameters[] = L"\\Parameters";
static const WCHAR kValueDeviceName[] = L"DeviceName";
static const WCHAR kValueInstallError[] = L"InstallError";
static const WCHAR kDeviceBase[] = L"VidCap0";

static void InitString(UNICODE_STRING *s, const WCHAR *text) {
  USHORT n = 0;
  while (text[n]) ++n;
  s->Buffer = (PWSTR)text;
  s->Length = (USHORT)(n * sizeof(WCHAR));
  s->MaximumLength = (USHORT)(s->Length + sizeof(WCHAR));
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = 0;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS NTAPI OnCreate(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  if (InterlockedIncrement(&g_opens) > 1) {
    InterlockedDecrement(&g_opens);
    irp->Tail.Overlay.CurrentStackLocation->FileObject->FsContext = NULL;
    return Complete(irp, STATUS_DEVICE_BUSY);
  }
  irp->Tail.Overlay.CurrentStackLocation->FileObject->FsContext = (PVOID)1;
  return Complete(irp, STATUS_SUCCESS);
}

static NTSTATUS NTAPI OnClose(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  /* A refused open still reaches close under Wine: only an admitted open counts. */
  if (irp->Tail.Overlay.CurrentStackLocation->FileObject->FsContext)
    InterlockedDecrement(&g_opens);
  return Complete(irp, STATUS_SUCCESS);
}

static NTSTATUS NTAPI OnOther(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  return Complete(irp, STATUS_INVALID_DEVICE_REQUEST);
}

static void NTAPI OnUnload(PDRIVER_OBJECT driver) {
  UNICODE_STRING link;
  (void)driver;
  InitString(&link, kLinkName);
  IoDeleteSymbolicLink(&link);
  if (g_device) IoDeleteDevice(g_device);
  g_device = NULL;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  UNICODE_STRING name, link;
  WCHAR parameters[260];
  ULONG i, n = registryPath->Length / sizeof(WCHAR), installError = 0;
  NTSTATUS status;

  InitString(&name, kDeviceName);
  InitString(&link, kLinkName);
  status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &g_device);
  if (!NT_SUCCESS(status)) return status;
  status = IoCreateSymbolicLink(&link, &name);
  if (!NT_SUCCESS(status)) {
    IoDeleteDevice(g_device);
    g_device = NULL;
    return status;
  }
  for (i = 0; i < IRP_MJ_MAXIMUM_FUNCTION + 1; ++i) driver->MajorFunction[i] = OnOther;
  driver->MajorFunction[IRP_MJ_CREATE] = OnCreate;
  driver->MajorFunction[IRP_MJ_CLOSE] = OnClose;
  driver->DriverUnload = OnUnload;

  if (n + 12 < 260) {
    for (i = 0; i < n; ++i) parameters[i] = registryPath->Buffer[i];
    for (i = 0; kParameters[i]; ++i) parameters[n + i] = kParameters[i];
    parameters[n + i] = 0;
    RtlCreateRegistryKey(RTL_REGISTRY_ABSOLUTE, parameters);
    RtlWriteRegistryValue(RTL_REGISTRY_ABSOLUTE, parameters, kValueDeviceName, REG_SZ,
                          (PVOID)kDeviceBase, sizeof kDeviceBase);
    RtlWriteRegistryValue(RTL_REGISTRY_ABSOLUTE, parameters, kValueInstallError, REG_DWORD,
                          &installError, sizeof installError);
  }
  return STATUS_SUCCESS;
}
