/* NTSTATUS __cdecl VcGuardedCall(void (__cdecl *routine)(void *), void *context)

   Calls routine(context) inside an exception registration record of its own.
   When anything raises below it, the handler unwinds the frames registered
   above this one and resumes here with STATUS_ACCESS_VIOLATION: what a
   compiler's try/except would do, for a compiler without one on this
   target.

   Registration record on the stack (esp after registering):
     [esp+0] previous record   [esp+4] handler   [esp+8] ebp to resume with

   Handler: on an exception (not an unwind) it calls RtlUnwind up to this
   record, then restores esp to the record and ebp from it, and jumps to the
   common exit with STATUS_ACCESS_VIOLATION in eax. */
#include "kernel/vc/vc_nt.h"

#ifndef __i386__
#error "The guard frame is the 32-bit x86 exception registration chain."
#endif

__asm__(
    ".intel_syntax noprefix\n"
    "        .text\n"
    "        .globl _VcGuardedCall\n"
    "        .def _VcGuardedCall; .scl 2; .type 32; .endef\n"
    "_VcGuardedCall:\n"
    "        push ebp\n"
    "        mov ebp, esp\n"
    "        push ebx\n"
    "        push esi\n"
    "        push edi\n"
    "        push ebp\n"
    "        push OFFSET _VcGuardHandler\n"
    "        push DWORD PTR fs:[0]\n"
    "        mov DWORD PTR fs:[0], esp\n"
    "        push DWORD PTR [ebp+12]\n"
    "        call DWORD PTR [ebp+8]\n"
    "        add esp, 4\n"
    "        xor eax, eax\n"
    "VcGuardResume:\n"
    "        pop DWORD PTR fs:[0]\n"
    "        add esp, 8\n"
    "        pop edi\n"
    "        pop esi\n"
    "        pop ebx\n"
    "        pop ebp\n"
    "        ret\n"
    "        .def _VcGuardHandler; .scl 3; .type 32; .endef\n"
    "_VcGuardHandler:\n"
    "        mov eax, DWORD PTR [esp+4]\n"
    "        test DWORD PTR [eax+4], 6\n"
    "        jnz 1f\n"
    "        push 0\n"
    "        push eax\n"
    "        push OFFSET VcGuardAfterUnwind\n"
    "        push DWORD PTR [esp+20]\n"
    "        call _RtlUnwind@16\n"
    "VcGuardAfterUnwind:\n"
    "        mov ebx, DWORD PTR fs:[0]\n"
    "        mov esp, ebx\n"
    "        mov ebp, DWORD PTR [ebx+8]\n"
    "        mov eax, 0xC0000005\n"
    "        jmp VcGuardResume\n"
    "1:\n"
    "        mov eax, 1\n"
    "        ret\n"
    ".att_syntax prefix\n");
