/* The stream-buffer header of add stream buffer and copy partial frame: the
   video-capture header a VfW client fills in. It comes in two forms:
     32-bit callers: 40 bytes, every field a dword (data pointer, buffer
       length, bytes used, time captured, user data, flags, reserved[4]);
     64-bit callers: 72 bytes, the data pointer, user data and the four
       reserved values pointer-sized and naturally aligned (data 0, buffer
       length 8, bytes used 12, time captured 16, user data 24, flags 32,
       reserved 40).
   A 64-bit driver meets both (a 32-bit client on 64-bit Windows sends the
   first), a 32-bit driver only the first. Nothing outside this file knows
   where a field lies: everything goes through a VC_HEADER, which pairs the
   bytes with the form they have. */
#ifndef TOLVEN_KERNEL_VC_VIDEO_HEADER_H
#define TOLVEN_KERNEL_VC_VIDEO_HEADER_H

#include "kernel/vc/vc_nt.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Where each field of one form lies. */
typedef struct _VC_HEADER_FORM {
  ULONG Size;
  UCHAR PointerBytes; /* width of the data pointer, user data and reserved values */
  UCHAR Data;
  UCHAR BufferLength;
  UCHAR BytesUsed;
  UCHAR TimeCaptured;
  UCHAR User;
  UCHAR Flags;
  UCHAR Reserved;
} VC_HEADER_FORM;

extern const VC_HEADER_FORM VcHeaderForm32;
extern const VC_HEADER_FORM VcHeaderForm64;

/* The larger of the two sizes: room for a header of either form. */
#define VC_HEADER_MAX_BYTES 72

/* The bytes of one header and their form. */
typedef struct _VC_HEADER {
  PUCHAR Bytes;
  const VC_HEADER_FORM *Form;
} VC_HEADER, *PVC_HEADER;

/* A header over bytes of the form a caller of the given width sends. */
void VcHeaderInit(PVC_HEADER header, PVOID bytes, BOOLEAN caller32);
/* A header of the form a caller as wide as this driver sends. */
void VcHeaderInitNative(PVC_HEADER header, PVOID bytes);

/* The header in a stream-buffer request's system buffer. The first call, in
   the dispatch routine, decides the form from the requesting process and
   keeps the decision with the request, so that the deferred routine, which
   runs in no particular process, reads the same form. */
void VcHeaderOfNewRequest(PIRP irp, PVC_HEADER header);
void VcHeaderOfQueuedRequest(PIRP irp, PVC_HEADER header);

ULONG VcHeaderSize(const VC_HEADER *header);
ULONG_PTR VcHeaderData(const VC_HEADER *header);
ULONG VcHeaderBufferLength(const VC_HEADER *header);
ULONG VcHeaderBytesUsed(const VC_HEADER *header);
void VcHeaderSetBytesUsed(PVC_HEADER header, ULONG bytes);
ULONG VcHeaderTimeCaptured(const VC_HEADER *header);
void VcHeaderSetTimeCaptured(PVC_HEADER header, ULONG time);
void VcHeaderSetBufferLength(PVC_HEADER header, ULONG length);
/* Reserved value 0 is a partial frame's copy offset, 1 its copy length;
   read at their full width so a large 64-bit value is not cut down to a
   small one. */
ULONGLONG VcHeaderReserved(const VC_HEADER *header, ULONG index);

#ifdef __cplusplus
}
#endif

#endif
