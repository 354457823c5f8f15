/* The two forms of the stream-buffer header and the accessors every reader
   of one goes through. Fields are copied byte-wise: a header's bytes need
   not be aligned for the width being read. */
#include "kernel/vc/vc_video_header.h"

#include "kernel/vc/vc_caller_memory.h"

/*                                  size ptr data len used time user flags reserved */
const VC_HEADER_FORM VcHeaderForm32 = {40, 4, 0, 4, 8, 12, 16, 20, 24};
const VC_HEADER_FORM VcHeaderForm64 = {72, 8, 0, 8, 12, 16, 24, 32, 40};

static ULONG ReadDword(const VC_HEADER *header, ULONG offset) {
  ULONG value;
  RtlCopyMemory(&value, header->Bytes + offset, sizeof value);
  return value;
}

static void WriteDword(PVC_HEADER header, ULONG offset, ULONG value) {
  RtlCopyMemory(header->Bytes + offset, &value, sizeof value);
}

static ULONGLONG ReadPointerSized(const VC_HEADER *header, ULONG offset) {
  ULONGLONG value;
  if (header->Form->PointerBytes == sizeof(ULONG)) return ReadDword(header, offset);
  RtlCopyMemory(&value, header->Bytes + offset, sizeof value);
  return value;
}

void VcHeaderInit(PVC_HEADER header, PVOID bytes, BOOLEAN caller32) {
  header->Bytes = (PUCHAR)bytes;
  header->Form = caller32 ? &VcHeaderForm32 : &VcHeaderForm64;
}

void VcHeaderInitNative(PVC_HEADER header, PVOID bytes) {
  VcHeaderInit(header, bytes, sizeof(PVOID) == sizeof(ULONG));
}

void VcHeaderOfNewRequest(PIRP irp, PVC_HEADER header) {
  VcHeaderInit(header, irp->AssociatedIrp.SystemBuffer, VcCallerIs32Bit(irp));
  /* The driver owns the request's driver context while it holds it. */
  irp->Tail.Overlay.DriverContext[0] = (PVOID)header->Form;
}

void VcHeaderOfQueuedRequest(PIRP irp, PVC_HEADER header) {
  header->Bytes = (PUCHAR)irp->AssociatedIrp.SystemBuffer;
  header->Form = (const VC_HEADER_FORM *)irp->Tail.Overlay.DriverContext[0];
}

ULONG VcHeaderSize(const VC_HEADER *header) { return header->Form->Size; }

ULONG_PTR VcHeaderData(const VC_HEADER *header) {
  /* Only a 64-bit driver meets the 64-bit form, so the value fits. */
  return (ULONG_PTR)ReadPointerSized(header, header->Form->Data);
}

ULONG VcHeaderBufferLength(const VC_HEADER *header) {
  return ReadDword(header, header->Form->BufferLength);
}

void VcHeaderSetBufferLength(PVC_HEADER header, ULONG length) {
  WriteDword(header, header->Form->BufferLength, length);
}

ULONG VcHeaderBytesUsed(const VC_HEADER *header) { return ReadDword(header, header->Form->BytesUsed); }

void VcHeaderSetBytesUsed(PVC_HEADER header, ULONG bytes) {
  WriteDword(header, header->Form->BytesUsed, bytes);
}

ULONG VcHeaderTimeCaptured(const VC_HEADER *header) {
  return ReadDword(header, header->Form->TimeCaptured);
}

void VcHeaderSetTimeCaptured(PVC_HEADER header, ULONG time) {
  WriteDword(header, header->Form->TimeCaptured, time);
}

ULONGLONG VcHeaderReserved(const VC_HEADER *header, ULONG index) {
  return ReadPointerSized(header, header->Form->Reserved + index * header->Form->PointerBytes);
}
