/* The buffer and wait-error queues. Queue membership and each request's
   cancel routine change only under the system cancel spin lock, so a
   request is either in a queue with VC_Cancel set or owned by whoever took
   it out; never both. Requests are completed with the lock released. */
#include "kernel/vc/vclib.h"

static BOOLEAN Enqueue(PIRP irp, PLIST_ENTRY queue, PDRIVER_CANCEL cancelRoutine, BOOLEAN atHead) {
  KIRQL irql;
  IoAcquireCancelSpinLock(&irql);
  if (irp->Cancel) {
    IoReleaseCancelSpinLock(irql);
    return FALSE;
  }
  IoMarkIrpPending(irp);
  IoSetCancelRoutine(irp, cancelRoutine);
  if (atHead)
    InsertHeadList(queue, &irp->Tail.Overlay.ListEntry);
  else
    InsertTailList(queue, &irp->Tail.Overlay.ListEntry);
  IoReleaseCancelSpinLock(irql);
  return TRUE;
}

BOOLEAN VC_QueueRequest(PIRP irp, PLIST_ENTRY queue, PDRIVER_CANCEL cancelRoutine) {
  return Enqueue(irp, queue, cancelRoutine, FALSE);
}

BOOLEAN VC_ReplaceRequest(PIRP irp, PLIST_ENTRY queue, PDRIVER_CANCEL cancelRoutine) {
  return Enqueue(irp, queue, cancelRoutine, TRUE);
}

PIRP VC_ExtractNextIrp(PLIST_ENTRY queue, BOOLEAN cancelLockHeld) {
  KIRQL irql = 0;
  PIRP irp = NULL;
  if (!cancelLockHeld) IoAcquireCancelSpinLock(&irql);
  if (!IsListEmpty(queue)) {
    irp = CONTAINING_RECORD(RemoveHeadList(queue), IRP, Tail.Overlay.ListEntry);
    IoSetCancelRoutine(irp, NULL);
  }
  if (!cancelLockHeld) IoReleaseCancelSpinLock(irql);
  return irp;
}

/* The caller holds the cancel spin lock. */
BOOLEAN VC_ExtractThisIrp(PLIST_ENTRY queue, PIRP irp) {
  PLIST_ENTRY entry;
  for (entry = queue->Flink; entry != queue; entry = entry->Flink) {
    if (entry == &irp->Tail.Overlay.ListEntry) {
      RemoveEntryList(entry);
      IoSetCancelRoutine(irp, NULL);
      return TRUE;
    }
  }
  return FALSE;
}

/* Entered with the cancel spin lock held. */
void NTAPI VC_Cancel(PDEVICE_OBJECT device, PIRP irp) {
  PVC_DEVICE_EXTENSION ext = (PVC_DEVICE_EXTENSION)device->DeviceExtension;
  BOOLEAN found = VC_ExtractThisIrp(&ext->WaitErrorQueue, irp) ||
                  VC_ExtractThisIrp(&ext->BufferQueue, irp);
  IoReleaseCancelSpinLock(irp->CancelIrql);
  /* Not queued: whoever took it out completes it. */
  if (!found) return;
  irp->IoStatus.Status = STATUS_CANCELLED;
  irp->IoStatus.Information = 0;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
}

static void CompleteWithCount(PIRP irp, ULONG count) {
  *(ULONG *)irp->AssociatedIrp.SystemBuffer = count;
  irp->IoStatus.Information = sizeof(ULONG);
  irp->IoStatus.Status = STATUS_SUCCESS;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
}

NTSTATUS VC_QueueWaitError(PVC_DEVICE_EXTENSION ext, PIRP irp) {
  KIRQL irql;
  PIRP head;
  ULONG count;

  /* Skips already counted and nobody waiting: answer at once. Deciding this
     before queueing keeps a request marked pending from being answered
     synchronously. */
  IoAcquireCancelSpinLock(&irql);
  if (ext->SkipCount != 0 && IsListEmpty(&ext->WaitErrorQueue)) {
    count = ext->SkipCount;
    ext->SkipCount = 0;
    IoReleaseCancelSpinLock(irql);
    *(ULONG *)irp->AssociatedIrp.SystemBuffer = count;
    irp->IoStatus.Information = sizeof(ULONG);
    return STATUS_SUCCESS;
  }
  IoReleaseCancelSpinLock(irql);

  if (!VC_QueueRequest(irp, &ext->WaitErrorQueue, VC_Cancel)) return STATUS_CANCELLED;

  IoAcquireCancelSpinLock(&irql);
  head = NULL;
  count = 0;
  if (ext->SkipCount != 0) {
    head = VC_ExtractNextIrp(&ext->WaitErrorQueue, TRUE);
    count = ext->SkipCount;
    ext->SkipCount = 0;
  }
  IoReleaseCancelSpinLock(irql);
  if (head) CompleteWithCount(head, count);
  return STATUS_PENDING;
}

void VC_ReportSkip(PVC_DEVICE_EXTENSION ext) {
  KIRQL irql;
  PIRP waiter;
  ULONG count = 0;
  IoAcquireCancelSpinLock(&irql);
  ++ext->SkipCount;
  waiter = VC_ExtractNextIrp(&ext->WaitErrorQueue, TRUE);
  if (waiter) {
    count = ext->SkipCount;
    ext->SkipCount = 0;
  }
  IoReleaseCancelSpinLock(irql);
  if (waiter) CompleteWithCount(waiter, count);
}

static void Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
}

/* No frame this time: back to the head, unless it was cancelled meanwhile. */
static void PutBack(PVC_DEVICE_EXTENSION ext, PIRP irp) {
  if (!VC_ReplaceRequest(irp, &ext->BufferQueue, VC_Cancel)) Complete(irp, STATUS_CANCELLED, 0);
}

void NTAPI VC_Deferred(PKDPC dpc, PVOID context, PVOID arg1, PVOID arg2) {
  PDEVICE_OBJECT device = (PDEVICE_OBJECT)context;
  PVC_DEVICE_EXTENSION ext = (PVC_DEVICE_EXTENSION)device->DeviceExtension;
  PVC_CAPTURE_CALLBACK capture = ext->Callback.CaptureService;
  PIO_STACK_LOCATION stack;
  VC_HEADER header;
  UCHAR partial[VC_HEADER_MAX_BYTES];
  PUCHAR data;
  PIRP irp;
  ULONG bytes;
  (void)dpc;
  (void)arg1;
  (void)arg2;

  ext->DpcPending = 0;
  if (!capture) return;
  /* The client has not taken the last partial frame yet: this one is lost. */
  if (ext->PartialBuffer && ext->PartialReady) {
    capture(ext, NULL, NULL, 0);
    VC_ReportSkip(ext);
    return;
  }
  irp = VC_ExtractNextIrp(&ext->BufferQueue, FALSE);
  if (!irp) {
    capture(ext, NULL, NULL, 0);
    VC_ReportSkip(ext);
    return;
  }
  stack = IoGetCurrentIrpStackLocation(irp);
  switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case IOCTL_VC_ADD_BUFFER:
      VcHeaderOfQueuedRequest(irp, &header);
      data = irp->MdlAddress ? (PUCHAR)MmGetSystemAddressForMdlSafe(irp->MdlAddress,
                                                                      NormalPagePriority)
                             : NULL;
      if (!data) {
        Complete(irp, STATUS_NO_MEMORY, 0);
        return;
      }
      bytes = capture(ext, data, &header, VcHeaderBufferLength(&header));
      VcHeaderSetBytesUsed(&header, bytes);
      if (bytes)
        Complete(irp, STATUS_SUCCESS, VcHeaderSize(&header));
      else
        PutBack(ext, irp);
      return;
    case IOCTL_VC_PARTIAL_START:
      if (!ext->PartialBuffer) {
        Complete(irp, STATUS_INVALID_DEVICE_STATE, 0);
        return;
      }
      /* The card stamps a header of the driver's own width. */
      RtlZeroMemory(partial, sizeof partial);
      VcHeaderInitNative(&header, partial);
      VcHeaderSetBufferLength(&header, ext->ImageSize);
      bytes = capture(ext, ext->PartialBuffer, &header, ext->ImageSize);
      ext->CaptureTime = VcHeaderTimeCaptured(&header);
      /* Ready only once a frame is really in the buffer; otherwise the request
         waits for the next frame instead of every later frame being skipped. */
      if (bytes) {
        ext->PartialReady = 1;
        Complete(irp, STATUS_SUCCESS, 0);
      } else {
        PutBack(ext, irp);
      }
      return;
    default:
      Complete(irp, STATUS_DRIVER_INTERNAL_ERROR, 0);
      return;
  }
}
