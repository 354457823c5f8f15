/* The video-capture kernel library: one device VidCap<n>, its extension,
   the card callback table, request validation, the stream-buffer and
   wait-error queues and the stream state machine. The card-specific part
   supplies the callbacks (tolvenk.c). */
#ifndef TOLVEN_KERNEL_VCLIB_H
#define TOLVEN_KERNEL_VCLIB_H

#include "kernel/vc/vc_ioctl.h"
#include "kernel/vc/vc_nt.h"
#include "kernel/vc/vc_video_header.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VC_MAX_DEVICES 32
#define VC_POOL_TAG 0x206B6444u /* 'D','d','k',' ' */
#define VC_INSTALL_ERROR_FAILED 1001u

/* The overlay rectangle list of set overlay rectangles: a count, then that
   many rectangles of four signed values. */
typedef struct _VC_RECT {
  LONG left, top, right, bottom;
} VC_RECT, *PVC_RECT;

typedef enum _VC_STREAM_STATE {
  VcStreamIdle = 0,     /* not initialised */
  VcStreamStopped = 1,  /* initialised, stopped */
  VcStreamRunning = 2,
} VC_STREAM_STATE;

struct _VC_DEVICE_EXTENSION;
typedef struct _VC_DEVICE_EXTENSION *PVC_DEVICE_EXTENSION;
typedef BOOLEAN (*PVC_CALLBACK)(PVC_DEVICE_EXTENSION ext);
typedef BOOLEAN (*PVC_BUFFER_CALLBACK)(PVC_DEVICE_EXTENSION ext, PVOID buffer);
typedef BOOLEAN (*PVC_DWORD_CALLBACK)(PVC_DEVICE_EXTENSION ext, ULONG value);
typedef BOOLEAN (*PVC_SWITCH_CALLBACK)(PVC_DEVICE_EXTENSION ext, BOOLEAN on);
typedef ULONG (*PVC_QUERY_CALLBACK)(PVC_DEVICE_EXTENSION ext);
/* Fills one frame into buffer (null: none available, the frame is skipped)
   and may stamp the header's time captured; answers the bytes captured, 0
   when no frame was ready. The header is in either form: use its accessors. */
typedef ULONG (*PVC_CAPTURE_CALLBACK)(PVC_DEVICE_EXTENSION ext, PUCHAR buffer,
                                      PVC_HEADER header, ULONG bufferLength);

/* The card callbacks in slot order; the order is the library's contract. */
typedef struct _VC_CALLBACK {
  PVC_CALLBACK DeviceOpen;                  /* 0 */
  PVC_CALLBACK DeviceClose;                 /* 1 */
  PVC_BUFFER_CALLBACK ConfigFormat;         /* 2 */
  PVC_BUFFER_CALLBACK ConfigDisplay;        /* 3 */
  PVC_BUFFER_CALLBACK ConfigSource;         /* 4 */
  PVC_QUERY_CALLBACK GetOverlayMode;        /* 5 */
  PVC_BUFFER_CALLBACK SetKeyPalIdx;         /* 6 */
  PVC_DWORD_CALLBACK SetKeyRGB;             /* 7 */
  PVC_BUFFER_CALLBACK SetOverlayRects;      /* 8 */
  PVC_BUFFER_CALLBACK SetOverlayOffset;     /* 9 */
  PVC_QUERY_CALLBACK GetKeyColour;          /* 10 */
  PVC_SWITCH_CALLBACK Capture;              /* 11 */
  PVC_SWITCH_CALLBACK Overlay;              /* 12 */
  PVC_DWORD_CALLBACK StreamInit;            /* 13 */
  PVC_CALLBACK StreamFini;                  /* 14 */
  PVC_CALLBACK StreamStart;                 /* 15 */
  PVC_CALLBACK StreamStop;                  /* 16 */
  PVC_QUERY_CALLBACK StreamGetPosition;     /* 17 */
  PVC_CALLBACK InterruptAcknowledge;        /* 18 */
  PVC_CAPTURE_CALLBACK CaptureService;      /* 19 */
  PVC_BUFFER_CALLBACK DrawFrame;            /* 20 */
  PVC_CALLBACK Cleanup;                     /* 21 */
} VC_CALLBACK, *PVC_CALLBACK_TABLE;

#define VC_CALLBACK_SLOTS 22

typedef struct _VC_DEVICE_EXTENSION {
  KMUTEX Mutex;               /* held for the whole of each request */
  KSPIN_LOCK DeviceSpinLock;  /* for the card-specific part */
  PKINTERRUPT Interrupt;      /* never connected here */
  PDEVICE_OBJECT DeviceObject;
  ULONG DeviceNumber;
  ULONG FrameBufferInIoSpace; /* 0: a frame-buffer mapping is unmapped at unload */
  ULONG RegistersInIoSpace;   /* 0: a register mapping is unmapped at unload */
  PUCHAR FrameBufferBase;
  ULONG FrameBufferLength;
  PUCHAR RegisterBase;
  ULONG RegisterLength;
  PWSTR RegistryPath;         /* <service key>\Parameters, pool */
  LONG OpenCount;
  ULONG DpcPending;
  ULONG SkipCount;
  ULONG ImageSize;            /* bytes per frame, set by the card-specific part */
  LIST_ENTRY BufferQueue;     /* stream and partial-frame requests */
  LIST_ENTRY WaitErrorQueue;
  VC_CALLBACK Callback;
  PUCHAR PartialBuffer;       /* nonpaged, ImageSize bytes, on demand */
  ULONG PartialReady;
  ULONG CaptureTime;
  ULONG StreamState;          /* VC_STREAM_STATE */
  KDPC Dpc;
  PVOID CardExtension;        /* the card-specific part's space, if it asked for any */
} VC_DEVICE_EXTENSION;

/* Device creation, naming and registry values. */
PVC_DEVICE_EXTENSION VC_Init(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath,
                             ULONG extensionSize);
PVC_CALLBACK_TABLE VC_GetCallbackTable(PVC_DEVICE_EXTENSION ext);
BOOLEAN VC_WriteProfile(PVC_DEVICE_EXTENSION ext, PCWSTR name, ULONG value);
NTSTATUS VC_CreateNumberedName(ULONG number, PCWSTR prefix, PCWSTR base, PUNICODE_STRING string);
NTSTATUS VC_CreateLink(PUNICODE_STRING deviceName);
PWSTR VC_SaveRegistryPathName(PUNICODE_STRING registryPath);
void VC_Close(PVC_DEVICE_EXTENSION ext);
void NTAPI VC_Cleanup(PDRIVER_OBJECT driver);

/* Requests. */
NTSTATUS NTAPI VC_Dispatch(PDEVICE_OBJECT device, PIRP irp);
void NTAPI VC_Cancel(PDEVICE_OBJECT device, PIRP irp);
void NTAPI VC_Deferred(PKDPC dpc, PVOID context, PVOID arg1, PVOID arg2);
BOOLEAN VC_QueueRequest(PIRP irp, PLIST_ENTRY queue, PDRIVER_CANCEL cancelRoutine);
BOOLEAN VC_ReplaceRequest(PIRP irp, PLIST_ENTRY queue, PDRIVER_CANCEL cancelRoutine);
PIRP VC_ExtractNextIrp(PLIST_ENTRY queue, BOOLEAN cancelLockHeld);
BOOLEAN VC_ExtractThisIrp(PLIST_ENTRY queue, PIRP irp);
void VC_ReportSkip(PVC_DEVICE_EXTENSION ext);
NTSTATUS VC_QueueWaitError(PVC_DEVICE_EXTENSION ext, PIRP irp);

/* The driver entry of the card-specific part (tolvenk.c). */
NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath);

#ifdef __cplusplus
}
#endif

#endif
