/* NTSTATUS VcGuardedCall(void (*routine)(void *), void *context) on x86_64.

   x64 has no exception registration chain: exception handling is driven by
   the unwind tables. VcGuardedCall therefore carries unwind data of its own
   that names VcGuardHandler as its exception handler. When anything raises
   below it, the handler unwinds every frame above VcGuardedCall's with
   RtlUnwindEx and resumes at VcGuardResume, inside VcGuardedCall, with
   STATUS_ACCESS_VIOLATION in rax: what a compiler's try/except would do, for
   a compiler without one. */
#include "kernel/vc/vc_nt.h"

#ifndef __x86_64__
#error "The guard frame is the x64 table-based exception handling."
#endif

EXCEPTION_DISPOSITION VcGuardHandler(PEXCEPTION_RECORD record, PVOID establisherFrame,
                                     PCONTEXT context, PVOID dispatcherContext);
void VcGuardResume(void);

/* EXCEPTION_UNWINDING and EXCEPTION_EXIT_UNWIND, which the kernel headers lack. */
#define VC_EXCEPTION_UNWIND_FLAGS 0x6

/* The frame: 32 bytes of home space for the routine's arguments plus 8 to
   keep the stack 16-byte aligned at the call. The resume point runs with
   rsp equal to the establisher frame, that is, after the prologue. */
__asm__(
    "        .text\n"
    "        .globl VcGuardedCall\n"
    "        .def VcGuardedCall; .scl 2; .type 32; .endef\n"
    "        .seh_proc VcGuardedCall\n"
    "VcGuardedCall:\n"
    "        subq $40, %rsp\n"
    "        .seh_stackalloc 40\n"
    "        .seh_endprologue\n"
    "        .seh_handler VcGuardHandler, @except\n"
    "        movq %rcx, %rax\n"
    "        movq %rdx, %rcx\n"
    "        callq *%rax\n"
    "        nop\n"
    "        xorl %eax, %eax\n"
    "        .globl VcGuardResume\n"
    "VcGuardResume:\n"
    "        addq $40, %rsp\n"
    "        retq\n"
    "        .seh_endproc\n");

/* The dispatcher context as far as its history table, the one member used
   (passed on to the unwind); the kernel headers here do not declare it. */
typedef struct {
  ULONG64 ControlPc;
  ULONG64 ImageBase;
  PVOID FunctionEntry;
  ULONG64 EstablisherFrame;
  ULONG64 TargetIp;
  PCONTEXT ContextRecord;
  PVOID LanguageHandler;
  PVOID HandlerData;
  PVOID HistoryTable;
} VC_DISPATCHER_CONTEXT;

NTSYSAPI VOID NTAPI RtlUnwindEx(PVOID targetFrame, PVOID targetIp, PEXCEPTION_RECORD record,
                                PVOID returnValue, PCONTEXT context, PVOID historyTable);

EXCEPTION_DISPOSITION VcGuardHandler(PEXCEPTION_RECORD record, PVOID establisherFrame,
                                     PCONTEXT context, PVOID dispatcherContext) {
  VC_DISPATCHER_CONTEXT *dispatch = (VC_DISPATCHER_CONTEXT *)dispatcherContext;
  if (record->ExceptionFlags & VC_EXCEPTION_UNWIND_FLAGS)
    return ExceptionContinueSearch;
  RtlUnwindEx(establisherFrame, (PVOID)VcGuardResume, record,
              (PVOID)(ULONG_PTR)STATUS_ACCESS_VIOLATION, context, dispatch->HistoryTable);
  return ExceptionContinueSearch; /* not reached: the unwind resumes at VcGuardResume */
}
