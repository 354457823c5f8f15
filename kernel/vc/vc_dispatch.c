/* The request dispatcher: open, close and device control, each under the
   device mutex, with every buffer checked before it is touched. */
#include "kernel/vc/vc_caller_memory.h"
#include "kernel/vc/vclib.h"

#define VC_RECT_BYTES ((ULONG)sizeof(VC_RECT))

/* An open the device refused still reaches close under some I/O managers;
   only file objects carrying this mark were admitted and count. */
#define IsAdmitted(ext, file) ((file) && (file)->FsContext == (PVOID)(ext))

static ULONG FirstDword(PIRP irp) { return *(const ULONG *)irp->AssociatedIrp.SystemBuffer; }

static NTSTATUS AnswerDword(PIRP irp, ULONG value) {
  *(ULONG *)irp->AssociatedIrp.SystemBuffer = value;
  irp->IoStatus.Information = sizeof(ULONG);
  return STATUS_SUCCESS;
}

static NTSTATUS Open(PVC_DEVICE_EXTENSION ext, PFILE_OBJECT file) {
  BOOLEAN ok;
  if (ext->OpenCount != 0) {
    if (file) file->FsContext = NULL;
    return STATUS_DEVICE_BUSY;
  }
  if (!ext->Callback.DeviceOpen) {
    if (file) file->FsContext = NULL;
    return STATUS_INVALID_DEVICE_REQUEST;
  }
  ext->OpenCount = 1;
  if (file) file->FsContext = ext;
  /* The card may wait for its hardware; other requests need not wait on it. */
  KeReleaseMutex(&ext->Mutex, FALSE);
  ok = ext->Callback.DeviceOpen(ext);
  KeWaitForSingleObject(&ext->Mutex, Executive, KernelMode, FALSE, NULL);
  if (!ok) {
    /* No close ever comes for a refused open: count it out again. */
    ext->OpenCount = 0;
    if (file) file->FsContext = NULL;
    return STATUS_DRIVER_INTERNAL_ERROR;
  }
  return STATUS_SUCCESS;
}

static NTSTATUS Close(PVC_DEVICE_EXTENSION ext, PFILE_OBJECT file) {
  if (file && !IsAdmitted(ext, file)) return STATUS_SUCCESS;
  if (ext->OpenCount > 0) --ext->OpenCount;
  if (ext->OpenCount == 0) {
    ext->StreamState = VcStreamIdle;
    if (ext->Callback.DeviceClose && !ext->Callback.DeviceClose(ext)) {
      ++ext->OpenCount;
      return STATUS_DRIVER_INTERNAL_ERROR;
    }
    VC_Close(ext);
  }
  if (file) file->FsContext = NULL;
  return STATUS_SUCCESS;
}

static BOOLEAN QueuesEmpty(PVC_DEVICE_EXTENSION ext) {
  KIRQL irql;
  BOOLEAN empty;
  IoAcquireCancelSpinLock(&irql);
  empty = IsListEmpty(&ext->BufferQueue) && IsListEmpty(&ext->WaitErrorQueue);
  IoReleaseCancelSpinLock(irql);
  return empty;
}

/* Completes every queued request of one queue with the given answer; wait-
   error requests carry the skip count. */
static void CompleteQueue(PLIST_ENTRY queue, BOOLEAN withCount, ULONG count) {
  PIRP irp;
  while ((irp = VC_ExtractNextIrp(queue, FALSE)) != NULL) {
    irp->IoStatus.Information = 0;
    if (withCount) AnswerDword(irp, count);
    irp->IoStatus.Status = STATUS_SUCCESS;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
  }
}

/* The skip count is shared with the deferred routine, under the cancel
   spin lock like the queues. */
static void ResetSkipCount(PVC_DEVICE_EXTENSION ext) {
  KIRQL irql;
  IoAcquireCancelSpinLock(&irql);
  ext->SkipCount = 0;
  IoReleaseCancelSpinLock(irql);
}

static NTSTATUS StreamReset(PVC_DEVICE_EXTENSION ext) {
  KIRQL irql;
  ULONG count;
  if (ext->StreamState == VcStreamIdle) return STATUS_INVALID_DEVICE_STATE;
  if (ext->StreamState == VcStreamRunning) {
    if (!ext->Callback.StreamStop) return STATUS_INVALID_DEVICE_REQUEST;
    ext->Callback.StreamStop(ext);
    ext->StreamState = VcStreamStopped;
  }
  CompleteQueue(&ext->BufferQueue, FALSE, 0);
  IoAcquireCancelSpinLock(&irql);
  count = ext->SkipCount;
  IoReleaseCancelSpinLock(irql);
  CompleteQueue(&ext->WaitErrorQueue, TRUE, count);
  ResetSkipCount(ext);
  return STATUS_SUCCESS;
}

static NTSTATUS AddBuffer(PVC_DEVICE_EXTENSION ext, PIRP irp, ULONG in, ULONG out) {
  VC_HEADER header;
  NTSTATUS status;
  VcHeaderOfNewRequest(irp, &header);
  if (in < VcHeaderSize(&header) || out < VcHeaderSize(&header)) return STATUS_BUFFER_TOO_SMALL;
  if (VcHeaderBufferLength(&header) < ext->ImageSize) return STATUS_BUFFER_TOO_SMALL;
  status = VcLockCallerBuffer(irp, VcHeaderData(&header), VcHeaderBufferLength(&header));
  if (!NT_SUCCESS(status)) return status;
  if (!VC_QueueRequest(irp, &ext->BufferQueue, VC_Cancel)) return STATUS_CANCELLED;
  return STATUS_PENDING;
}

static NTSTATUS StartPartialFrame(PVC_DEVICE_EXTENSION ext, PIRP irp) {
  if (ext->ImageSize < 1 || ext->PartialReady) return STATUS_DRIVER_INTERNAL_ERROR;
  if (!ext->PartialBuffer) {
    ext->PartialBuffer = (PUCHAR)ExAllocatePoolWithTag(NonPagedPool, ext->ImageSize, VC_POOL_TAG);
    if (!ext->PartialBuffer) return STATUS_NO_MEMORY;
  }
  if (!VC_QueueRequest(irp, &ext->BufferQueue, VC_Cancel)) return STATUS_CANCELLED;
  return STATUS_PENDING;
}

static NTSTATUS CopyPartialFrame(PVC_DEVICE_EXTENSION ext, PIRP irp, ULONG in, ULONG out) {
  VC_HEADER header;
  ULONGLONG offset, length;
  ULONG count;
  NTSTATUS status;
  if (!ext->PartialBuffer || !ext->PartialReady) return STATUS_DRIVER_INTERNAL_ERROR;
  VcHeaderOfNewRequest(irp, &header);
  if (in < VcHeaderSize(&header) || out < VcHeaderSize(&header)) return STATUS_BUFFER_TOO_SMALL;
  if (VcHeaderBufferLength(&header) < ext->ImageSize) return STATUS_BUFFER_TOO_SMALL;
  offset = VcHeaderReserved(&header, 0);
  length = VcHeaderReserved(&header, 1);
  /* An offset past the frame would make the remaining size wrap around. */
  if (offset > ext->ImageSize) return STATUS_BUFFER_TOO_SMALL;
  VcHeaderSetTimeCaptured(&header, ext->CaptureTime);
  VcHeaderSetBytesUsed(&header, ext->ImageSize);
  count = ext->ImageSize - (ULONG)offset;
  if (length < count) count = (ULONG)length;
  status = VcCopyToCaller(irp, VcHeaderData(&header) + (ULONG)offset,
                          ext->PartialBuffer + (ULONG)offset, count);
  if (!NT_SUCCESS(status)) return status;
  irp->IoStatus.Information = VcHeaderSize(&header);
  return STATUS_SUCCESS;
}

/* Configure format, source and display: the buffer starts with its own size. */
static NTSTATUS Configure(PVC_BUFFER_CALLBACK callback, PVC_DEVICE_EXTENSION ext, PIRP irp, ULONG in) {
  if (in < sizeof(ULONG) || in < FirstDword(irp)) return STATUS_BUFFER_TOO_SMALL;
  if (!callback) return STATUS_INVALID_DEVICE_REQUEST;
  return callback(ext, irp->AssociatedIrp.SystemBuffer) ? STATUS_SUCCESS
                                                        : STATUS_DEVICE_CONFIGURATION_ERROR;
}

static NTSTATUS Query(PVC_QUERY_CALLBACK callback, PVC_DEVICE_EXTENSION ext, PIRP irp, ULONG out) {
  if (out < sizeof(ULONG)) return STATUS_BUFFER_TOO_SMALL;
  if (!callback) return STATUS_INVALID_DEVICE_REQUEST;
  return AnswerDword(irp, callback(ext));
}

#define CONFIG_RESULT(ok) ((ok) ? STATUS_SUCCESS : STATUS_DEVICE_CONFIGURATION_ERROR)
#define STREAM_RESULT(ok) ((ok) ? STATUS_SUCCESS : STATUS_DRIVER_INTERNAL_ERROR)
#define REQUIRE(slot) \
  do { if (!(slot)) return STATUS_INVALID_DEVICE_REQUEST; } while (0)

static NTSTATUS DeviceControl(PVC_DEVICE_EXTENSION ext, PIRP irp, PIO_STACK_LOCATION stack) {
  ULONG in = stack->Parameters.DeviceIoControl.InputBufferLength;
  ULONG out = stack->Parameters.DeviceIoControl.OutputBufferLength;
  PVOID buffer = irp->AssociatedIrp.SystemBuffer;
  PVC_CALLBACK_TABLE cb = &ext->Callback;
  ULONG count;
  BOOLEAN ok;

  /* Buffered transfer: a non-empty buffer length always comes with a system
     buffer; guard against a request that says otherwise. */
  if (!buffer) in = out = 0;

  switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case IOCTL_VC_CONFIG_FORMAT: return Configure(cb->ConfigFormat, ext, irp, in);
    case IOCTL_VC_CONFIG_SOURCE: return Configure(cb->ConfigSource, ext, irp, in);
    case IOCTL_VC_CONFIG_DISPLAY: return Configure(cb->ConfigDisplay, ext, irp, in);
    case IOCTL_VC_GET_OVERLAY_MODE: return Query(cb->GetOverlayMode, ext, irp, out);
    case IOCTL_VC_SET_KEY_PALIDX:
      if (in < sizeof(ULONG)) return STATUS_BUFFER_TOO_SMALL;
      REQUIRE(cb->SetKeyPalIdx);
      return CONFIG_RESULT(cb->SetKeyPalIdx(ext, buffer));
    case IOCTL_VC_SET_KEY_RGB:
      if (in < sizeof(ULONG)) return STATUS_BUFFER_TOO_SMALL;
      REQUIRE(cb->SetKeyRGB);
      return CONFIG_RESULT(cb->SetKeyRGB(ext, FirstDword(irp)));
    case IOCTL_VC_GET_KEY_COLOUR: return Query(cb->GetKeyColour, ext, irp, out);
    case IOCTL_VC_OVERLAY_RECTS:
      if (in < sizeof(ULONG) + VC_RECT_BYTES) return STATUS_BUFFER_TOO_SMALL;
      count = FirstDword(irp);
      if (count >= 2) {
        /* A count whose byte size would not fit 32 bits cannot fit the buffer. */
        if (count > (0xFFFFFFFFu - sizeof(ULONG)) / VC_RECT_BYTES) return STATUS_BUFFER_TOO_SMALL;
        if (in < sizeof(ULONG) + VC_RECT_BYTES * count) return STATUS_BUFFER_TOO_SMALL;
      }
      REQUIRE(cb->SetOverlayRects);
      return CONFIG_RESULT(cb->SetOverlayRects(ext, buffer));
    case IOCTL_VC_OVERLAY_OFFSET:
      if (in < VC_RECT_BYTES) return STATUS_BUFFER_TOO_SMALL;
      REQUIRE(cb->SetOverlayOffset);
      return CONFIG_RESULT(cb->SetOverlayOffset(ext, buffer));
    case IOCTL_VC_CAPTURE_ON:
    case IOCTL_VC_CAPTURE_OFF:
      REQUIRE(cb->Capture);
      return CONFIG_RESULT(cb->Capture(ext, stack->Parameters.DeviceIoControl.IoControlCode ==
                                                IOCTL_VC_CAPTURE_ON));
    case IOCTL_VC_OVERLAY_ON:
    case IOCTL_VC_OVERLAY_OFF:
      REQUIRE(cb->Overlay);
      return CONFIG_RESULT(cb->Overlay(ext, stack->Parameters.DeviceIoControl.IoControlCode ==
                                                IOCTL_VC_OVERLAY_ON));
    case IOCTL_VC_STREAM_INIT:
      if (in < sizeof(ULONG)) return STATUS_BUFFER_TOO_SMALL;
      REQUIRE(cb->StreamInit);
      ext->StreamState = VcStreamStopped;
      ResetSkipCount(ext);
      return STREAM_RESULT(cb->StreamInit(ext, FirstDword(irp)));
    case IOCTL_VC_STREAM_FINI:
      if (!QueuesEmpty(ext) || ext->StreamState == VcStreamRunning) return STATUS_DEVICE_BUSY;
      REQUIRE(cb->StreamFini);
      ext->StreamState = VcStreamIdle;
      return STREAM_RESULT(cb->StreamFini(ext));
    case IOCTL_VC_STREAM_START:
      if (ext->StreamState != VcStreamStopped) return STATUS_INVALID_DEVICE_STATE;
      REQUIRE(cb->StreamStart);
      ok = cb->StreamStart(ext);
      if (ok) ext->StreamState = VcStreamRunning;
      return STREAM_RESULT(ok);
    case IOCTL_VC_STREAM_STOP:
      if (ext->StreamState == VcStreamIdle) return STATUS_INVALID_DEVICE_STATE;
      REQUIRE(cb->StreamStop);
      ok = cb->StreamStop(ext);
      ext->StreamState = VcStreamStopped;
      return STREAM_RESULT(ok);
    case IOCTL_VC_STREAM_RESET: return StreamReset(ext);
    case IOCTL_VC_WAIT_ERROR:
      if (out < sizeof(ULONG)) return STATUS_BUFFER_TOO_SMALL;
      return VC_QueueWaitError(ext, irp);
    case IOCTL_VC_ADD_BUFFER: return AddBuffer(ext, irp, in, out);
    case IOCTL_VC_GET_POSITION: return Query(cb->StreamGetPosition, ext, irp, out);
    case IOCTL_VC_PARTIAL_START: return StartPartialFrame(ext, irp);
    case IOCTL_VC_PARTIAL_COPY: return CopyPartialFrame(ext, irp, in, out);
    case IOCTL_VC_PARTIAL_END:
      ext->PartialReady = 0;
      return STATUS_SUCCESS;
    case IOCTL_VC_DRAW_FRAME:
      if (in < 32) return STATUS_BUFFER_TOO_SMALL;
      REQUIRE(cb->DrawFrame);
      return STREAM_RESULT(cb->DrawFrame(ext, buffer));
    default: return STATUS_INVALID_DEVICE_REQUEST;
  }
}

NTSTATUS NTAPI VC_Dispatch(PDEVICE_OBJECT device, PIRP irp) {
  PVC_DEVICE_EXTENSION ext = (PVC_DEVICE_EXTENSION)device->DeviceExtension;
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  NTSTATUS status;

  KeWaitForSingleObject(&ext->Mutex, Executive, KernelMode, FALSE, NULL);
  irp->IoStatus.Information = 0;
  switch (stack->MajorFunction) {
    case IRP_MJ_CREATE: status = Open(ext, stack->FileObject); break;
    case IRP_MJ_CLOSE: status = Close(ext, stack->FileObject); break;
    case IRP_MJ_DEVICE_CONTROL:
      status = (stack->FileObject && !IsAdmitted(ext, stack->FileObject))
                   ? STATUS_INVALID_HANDLE
                   : DeviceControl(ext, irp, stack);
      break;
    default: status = STATUS_INVALID_DEVICE_REQUEST; break;
  }
  if (status != STATUS_PENDING) {
    irp->IoStatus.Status = status;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
  }
  KeReleaseMutex(&ext->Mutex, FALSE);
  return status;
}
