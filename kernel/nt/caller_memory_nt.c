/* The requesting process on the NT kernel. Its width comes from the I/O
   manager. Caller ranges are checked against the user address limit for
   user-mode requests, and the access that may still fault runs inside an
   exception frame of our own (guarded_call_<processor>.c). */
#include "kernel/vc/vc_caller_memory.h"

typedef void (*VC_GUARDED_ROUTINE)(void *context);
/* Runs routine(context); STATUS_ACCESS_VIOLATION when it raised instead. */
NTSTATUS VcGuardedCall(VC_GUARDED_ROUTINE routine, void *context);

BOOLEAN VcCallerIs32Bit(PIRP irp) {
#ifdef _WIN64
  return IoIs32bitProcess(irp);
#else
  (void)irp;
  return TRUE;
#endif
}

static BOOLEAN InCallerRange(PIRP irp, ULONG_PTR address, ULONG length) {
  ULONG_PTR end = address + length;
  if (end < address) return FALSE;
  /* A user-mode caller may not name kernel memory. */
  if (irp->RequestorMode != KernelMode && end > (ULONG_PTR)MmUserProbeAddress) return FALSE;
  return TRUE;
}

typedef struct {
  PMDL mdl;
  KPROCESSOR_MODE mode;
} LOCK_ARGS;

static void LockPages(void *context) {
  LOCK_ARGS *args = (LOCK_ARGS *)context;
  MmProbeAndLockPages(args->mdl, args->mode, IoWriteAccess);
}

NTSTATUS VcLockCallerBuffer(PIRP irp, ULONG_PTR address, ULONG length) {
  LOCK_ARGS args;
  NTSTATUS status;
  if (!InCallerRange(irp, address, length)) return STATUS_ACCESS_VIOLATION;
  args.mdl = IoAllocateMdl((PVOID)address, length, FALSE, FALSE, NULL);
  if (!args.mdl) return STATUS_NO_MEMORY;
  args.mode = irp->RequestorMode;
  status = VcGuardedCall(LockPages, &args);
  if (!NT_SUCCESS(status)) {
    IoFreeMdl(args.mdl);
    return status;
  }
  /* Completion unlocks and frees the descriptors attached to the request. */
  args.mdl->Next = irp->MdlAddress;
  irp->MdlAddress = args.mdl;
  return STATUS_SUCCESS;
}

typedef struct {
  void *destination;
  const void *source;
  ULONG length;
} COPY_ARGS;

static void CopyBytes(void *context) {
  COPY_ARGS *args = (COPY_ARGS *)context;
  RtlCopyMemory(args->destination, args->source, args->length);
}

NTSTATUS VcCopyToCaller(PIRP irp, ULONG_PTR address, const void *source, ULONG length) {
  COPY_ARGS args;
  if (length == 0) return STATUS_SUCCESS;
  if (!InCallerRange(irp, address, length)) return STATUS_ACCESS_VIOLATION;
  args.destination = (void *)address;
  args.source = source;
  args.length = length;
  return VcGuardedCall(CopyBytes, &args);
}
