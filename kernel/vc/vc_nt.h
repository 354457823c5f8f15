/* The one place the video-capture library chooses its kernel: the NT kernel
   headers in the driver build, the emulated I/O manager natively. */
#ifndef TOLVEN_KERNEL_VC_NT_H
#define TOLVEN_KERNEL_VC_NT_H

#ifdef TOLVEN_EMULATED_KERNEL
#include "kernel/emulated/nt_emulated.h"
#else
#include <ntddk.h>
#endif

/* UTF-16 literals that are WCHAR strings in both builds (wchar_t is 32 bits
   natively). */
#define VC_TEXT(s) ((PCWSTR)u##s)

#endif
