// The requesting process in the emulated kernel: its width is the request's
// own flag; a range of its memory is accessible when the test mapped it,
// anything else is the fault a bad pointer would raise.
#include <cstring>

#include "kernel/emulated/emulated_kernel.h"
#include "kernel/vc/vc_caller_memory.h"

using tolven::kernel::EmulatedKernel;
using tolven::kernel::EmulatedRequest;

extern "C" BOOLEAN VcCallerIs32Bit(PIRP irp) {
  // Every request is built by the emulated kernel, with the IRP first.
  return reinterpret_cast<EmulatedRequest *>(irp)->caller32 ? TRUE : FALSE;
}

extern "C" NTSTATUS VcLockCallerBuffer(PIRP irp, ULONG_PTR address, ULONG length) {
  EmulatedKernel &k = EmulatedKernel::Current();
  PMDL mdl = IoAllocateMdl(reinterpret_cast<PVOID>(address), length, FALSE, FALSE, nullptr);
  if (!mdl) return STATUS_NO_MEMORY;
  if (length != 0 && !k.HostAddress(address, length)) {
    IoFreeMdl(mdl);
    return STATUS_ACCESS_VIOLATION;
  }
  mdl->Locked = TRUE;
  mdl->Next = irp->MdlAddress;
  irp->MdlAddress = mdl;
  return STATUS_SUCCESS;
}

extern "C" NTSTATUS VcCopyToCaller(PIRP, ULONG_PTR address, const void *source, ULONG length) {
  if (length == 0) return STATUS_SUCCESS;
  void *host = EmulatedKernel::Current().HostAddress(address, length);
  if (!host) return STATUS_ACCESS_VIOLATION;
  std::memcpy(host, source, length);
  return STATUS_SUCCESS;
}
