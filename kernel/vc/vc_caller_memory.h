/* The requesting process as the driver meets it: its width, and access to
   its memory (the data buffers a video header points to). Touching that
   memory can fault; these answer the fault as a status instead. The NT
   binding guards the access with an exception frame of its own; the
   emulated one checks ranges the test has mapped. */
#ifndef TOLVEN_KERNEL_VC_CALLER_MEMORY_H
#define TOLVEN_KERNEL_VC_CALLER_MEMORY_H

#include "kernel/vc/vc_nt.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Whether the request comes from a 32-bit process, whose headers have the
   32-bit form. Always TRUE for a 32-bit driver. */
BOOLEAN VcCallerIs32Bit(PIRP irp);

/* Describes [address, address + length) with a memory descriptor attached to
   the request and locks it for writing. STATUS_NO_MEMORY when no descriptor
   can be had, STATUS_ACCESS_VIOLATION when the range cannot be locked. */
NTSTATUS VcLockCallerBuffer(PIRP irp, ULONG_PTR address, ULONG length);

/* Copies into the requesting process's memory at address. */
NTSTATUS VcCopyToCaller(PIRP irp, ULONG_PTR address, const void *source, ULONG length);

#ifdef __cplusplus
}
#endif

#endif
