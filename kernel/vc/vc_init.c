/* Device creation and naming, the service's registry values, closing of the
   last handle and unload. */
#include "kernel/vc/vclib.h"

#define VC_DEVICE_PREFIX VC_TEXT("\\Device\\")
#define VC_DOS_PREFIX VC_TEXT("\\DosDevices")
#define VC_DEVICE_BASE VC_TEXT("VidCap")
#define VC_PARAMETERS VC_TEXT("\\Parameters")
/* A counted device name: "\Device\VidCap31" and room to spare. */
#define VC_NAME_BYTES 44
/* "\Device" without its separator: the DOS link keeps the rest of the name. */
#define VC_DEVICE_DIR_CHARS 7

static ULONG WideLength(PCWSTR text) {
  ULONG n = 0;
  while (text[n]) ++n;
  return n;
}

NTSTATUS VC_CreateNumberedName(ULONG number, PCWSTR prefix, PCWSTR base, PUNICODE_STRING string) {
  WCHAR digits[12];
  UNICODE_STRING decimal;
  NTSTATUS status;
  decimal.Buffer = digits;
  decimal.Length = 0;
  decimal.MaximumLength = sizeof digits;
  if (prefix) {
    status = RtlAppendUnicodeToString(string, prefix);
    if (!NT_SUCCESS(status)) return status;
  }
  status = RtlAppendUnicodeToString(string, base);
  if (!NT_SUCCESS(status)) return status;
  status = RtlIntegerToUnicodeString(number, 10, &decimal);
  if (!NT_SUCCESS(status)) return status;
  return RtlAppendUnicodeStringToString(string, &decimal);
}

/* The DOS link name of a "\Device\..." name, into a VC_NAME_BYTES buffer. */
static NTSTATUS LinkNameOf(PUNICODE_STRING deviceName, PUNICODE_STRING link, PWSTR buffer) {
  UNICODE_STRING rest;
  if (deviceName->Length < VC_DEVICE_DIR_CHARS * sizeof(WCHAR)) return STATUS_OBJECT_NAME_NOT_FOUND;
  rest.Buffer = deviceName->Buffer + VC_DEVICE_DIR_CHARS;
  rest.Length = (USHORT)(deviceName->Length - VC_DEVICE_DIR_CHARS * sizeof(WCHAR));
  rest.MaximumLength = rest.Length;
  link->Buffer = buffer;
  link->Length = 0;
  link->MaximumLength = VC_NAME_BYTES;
  if (!NT_SUCCESS(RtlAppendUnicodeToString(link, VC_DOS_PREFIX)) ||
      !NT_SUCCESS(RtlAppendUnicodeStringToString(link, &rest)))
    return STATUS_INSUFFICIENT_RESOURCES;
  return STATUS_SUCCESS;
}

NTSTATUS VC_CreateLink(PUNICODE_STRING deviceName) {
  WCHAR buffer[VC_NAME_BYTES / sizeof(WCHAR)];
  UNICODE_STRING link;
  NTSTATUS status = LinkNameOf(deviceName, &link, buffer);
  if (!NT_SUCCESS(status)) return status;
  return IoCreateSymbolicLink(&link, deviceName);
}

static void DeleteLink(ULONG number) {
  WCHAR deviceBuffer[VC_NAME_BYTES / sizeof(WCHAR)], linkBuffer[VC_NAME_BYTES / sizeof(WCHAR)];
  UNICODE_STRING device, link;
  device.Buffer = deviceBuffer;
  device.Length = 0;
  device.MaximumLength = VC_NAME_BYTES;
  if (!NT_SUCCESS(VC_CreateNumberedName(number, VC_DEVICE_PREFIX, VC_DEVICE_BASE, &device))) return;
  if (NT_SUCCESS(LinkNameOf(&device, &link, linkBuffer))) IoDeleteSymbolicLink(&link);
}

PWSTR VC_SaveRegistryPathName(PUNICODE_STRING registryPath) {
  ULONG chars = registryPath->Length / sizeof(WCHAR);
  ULONG suffix = WideLength(VC_PARAMETERS);
  /* The path, "\Parameters" (22 bytes) and a terminator: length + 24. */
  PWSTR copy = (PWSTR)ExAllocatePoolWithTag(PagedPool, registryPath->Length + 24u, VC_POOL_TAG);
  ULONG i;
  if (!copy) return NULL;
  for (i = 0; i < chars; ++i) copy[i] = registryPath->Buffer[i];
  for (i = 0; i < suffix; ++i) copy[chars + i] = VC_PARAMETERS[i];
  copy[chars + suffix] = 0;
  /* Values can only be written into an existing key, and the service
     manager creates the service's key without this subkey. */
  RtlCreateRegistryKey(RTL_REGISTRY_ABSOLUTE, copy);
  return copy;
}

BOOLEAN VC_WriteProfile(PVC_DEVICE_EXTENSION ext, PCWSTR name, ULONG value) {
  if (!ext || !ext->RegistryPath) return FALSE;
  return NT_SUCCESS(RtlWriteRegistryValue(RTL_REGISTRY_ABSOLUTE, ext->RegistryPath, name,
                                          REG_DWORD, &value, sizeof value));
}

PVC_CALLBACK_TABLE VC_GetCallbackTable(PVC_DEVICE_EXTENSION ext) { return &ext->Callback; }

PVC_DEVICE_EXTENSION VC_Init(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath,
                             ULONG extensionSize) {
  WCHAR nameBuffer[VC_NAME_BYTES / sizeof(WCHAR)];
  UNICODE_STRING name;
  PDEVICE_OBJECT device = NULL;
  PVC_DEVICE_EXTENSION ext;
  ULONG n;

  /* The card's own space follows the library's; refuse sizes that would wrap. */
  if (extensionSize > 0x10000u) return NULL;
  for (n = 0; n < VC_MAX_DEVICES; ++n) {
    name.Buffer = nameBuffer;
    name.Length = 0;
    name.MaximumLength = VC_NAME_BYTES;
    if (!NT_SUCCESS(VC_CreateNumberedName(n, VC_DEVICE_PREFIX, VC_DEVICE_BASE, &name))) return NULL;
    if (NT_SUCCESS(IoCreateDevice(driver, (ULONG)sizeof(VC_DEVICE_EXTENSION) + extensionSize, &name,
                                  VC_DEVICE_TYPE, 0, FALSE, &device)))
      break;
    device = NULL;
  }
  if (!device) return NULL;

  ext = (PVC_DEVICE_EXTENSION)device->DeviceExtension;
  RtlZeroMemory(ext, sizeof *ext);
  ext->DeviceNumber = n;
  ext->OpenCount = 0;
  ext->PartialBuffer = NULL;
  ext->DeviceObject = device;
  ext->CardExtension = extensionSize ? (PVOID)(ext + 1) : NULL;
  KeInitializeMutex(&ext->Mutex, 0);
  KeInitializeDpc(&ext->Dpc, VC_Deferred, device);
  InitializeListHead(&ext->BufferQueue);
  InitializeListHead(&ext->WaitErrorQueue);
  ext->SkipCount = 0;
  KeInitializeSpinLock(&ext->DeviceSpinLock);

  if (!NT_SUCCESS(VC_CreateLink(&name))) {
    IoDeleteDevice(device);
    return NULL;
  }
  ext->RegistryPath = VC_SaveRegistryPathName(registryPath);
  if (!ext->RegistryPath) {
    DeleteLink(n);
    IoDeleteDevice(device);
    return NULL;
  }

  /* "VidCap<n>": the name without "\Device\", stored without its terminator. */
  RtlWriteRegistryValue(RTL_REGISTRY_ABSOLUTE, ext->RegistryPath, VC_TEXT("DeviceName"), REG_SZ,
                        name.Buffer + VC_DEVICE_DIR_CHARS + 1,
                        name.Length - (VC_DEVICE_DIR_CHARS + 1) * sizeof(WCHAR));

  driver->DriverUnload = VC_Cleanup;
  driver->MajorFunction[IRP_MJ_CREATE] = VC_Dispatch;
  driver->MajorFunction[IRP_MJ_CLOSE] = VC_Dispatch;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = VC_Dispatch;
  return ext;
}

void VC_Close(PVC_DEVICE_EXTENSION ext) {
  PIRP irp;
  while ((irp = VC_ExtractNextIrp(&ext->WaitErrorQueue, FALSE)) != NULL) {
    irp->IoStatus.Status = STATUS_CANCELLED;
    irp->IoStatus.Information = 0;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
  }
  while ((irp = VC_ExtractNextIrp(&ext->BufferQueue, FALSE)) != NULL) {
    irp->IoStatus.Status = STATUS_CANCELLED;
    irp->IoStatus.Information = 0;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
  }
  if (ext->PartialBuffer) {
    ExFreePoolWithTag(ext->PartialBuffer, VC_POOL_TAG);
    ext->PartialBuffer = NULL;
  }
  /* The frame it held is gone with it; a later open starts clean. */
  ext->PartialReady = 0;
}

void NTAPI VC_Cleanup(PDRIVER_OBJECT driver) {
  PDEVICE_OBJECT device = driver->DeviceObject;
  PVC_DEVICE_EXTENSION ext;
  BOOLEAN conflict = FALSE;
  if (!device) return;
  ext = (PVC_DEVICE_EXTENSION)device->DeviceExtension;
  VC_Close(ext);
  if (ext->Callback.Cleanup) ext->Callback.Cleanup(ext);
  /* Only mappings that were actually made: the bases stay null here. */
  if (!ext->FrameBufferInIoSpace && ext->FrameBufferBase)
    MmUnmapIoSpace(ext->FrameBufferBase, ext->FrameBufferLength);
  if (!ext->RegistersInIoSpace && ext->RegisterBase)
    MmUnmapIoSpace(ext->RegisterBase, ext->RegisterLength);
  if (ext->Interrupt) IoDisconnectInterrupt(ext->Interrupt);
  IoReportResourceUsage(NULL, driver, NULL, 0, NULL, NULL, 0, FALSE, &conflict);
  if (ext->RegistryPath) {
    ExFreePoolWithTag(ext->RegistryPath, VC_POOL_TAG);
    ext->RegistryPath = NULL;
  }
  DeleteLink(ext->DeviceNumber);
  IoDeleteDevice(device);
}
