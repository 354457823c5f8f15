/* The subset of the NT kernel interface the video-capture library uses, for
   native builds. Types carry the field names of the real ones so the same
   library source compiles against either; behaviour lives in the emulated
   I/O manager (emulated_kernel.cpp). Only what the library touches is here. */
#ifndef TOLVEN_KERNEL_NT_EMULATED_H
#define TOLVEN_KERNEL_NT_EMULATED_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void VOID, *PVOID;
typedef unsigned char UCHAR, *PUCHAR, BOOLEAN, *PBOOLEAN, KIRQL, *PKIRQL, CCHAR;
typedef unsigned short USHORT, WCHAR, *PWSTR;
typedef const unsigned short *PCWSTR;
typedef uint32_t ULONG, *PULONG;
typedef uint64_t ULONGLONG;
typedef int32_t LONG, NTSTATUS;
typedef uintptr_t ULONG_PTR, KSPIN_LOCK, *PKSPIN_LOCK;
typedef char CHAR;

#define TRUE 1
#define FALSE 0
#define NTAPI
#define NT_SUCCESS(s) ((NTSTATUS)(s) >= 0)

#define STATUS_SUCCESS ((NTSTATUS)0x00000000L)
#define STATUS_PENDING ((NTSTATUS)0x00000103L)
#define STATUS_DEVICE_BUSY ((NTSTATUS)0x80000011L)
#define STATUS_UNSUCCESSFUL ((NTSTATUS)0xC0000001L)
#define STATUS_ACCESS_VIOLATION ((NTSTATUS)0xC0000005L)
#define STATUS_INVALID_HANDLE ((NTSTATUS)0xC0000008L)
#define STATUS_INVALID_DEVICE_REQUEST ((NTSTATUS)0xC0000010L)
#define STATUS_NO_MEMORY ((NTSTATUS)0xC0000017L)
#define STATUS_INSUFFICIENT_RESOURCES ((NTSTATUS)0xC000009AL)
#define STATUS_OBJECT_NAME_COLLISION ((NTSTATUS)0xC0000035L)
#define STATUS_OBJECT_NAME_NOT_FOUND ((NTSTATUS)0xC0000034L)
#define STATUS_BUFFER_TOO_SMALL ((NTSTATUS)0xC0000023L)
#define STATUS_CANCELLED ((NTSTATUS)0xC0000120L)
#define STATUS_DEVICE_CONFIGURATION_ERROR ((NTSTATUS)0xC0000182L)
#define STATUS_DRIVER_INTERNAL_ERROR ((NTSTATUS)0xC0000183L)
#define STATUS_INVALID_DEVICE_STATE ((NTSTATUS)0xC0000184L)

typedef struct _UNICODE_STRING {
  USHORT Length;
  USHORT MaximumLength;
  PWSTR Buffer;
} UNICODE_STRING, *PUNICODE_STRING;
typedef const UNICODE_STRING *PCUNICODE_STRING;

typedef struct _LIST_ENTRY {
  struct _LIST_ENTRY *Flink;
  struct _LIST_ENTRY *Blink;
} LIST_ENTRY, *PLIST_ENTRY;

#define CONTAINING_RECORD(address, type, field) \
  ((type *)((char *)(address) - offsetof(type, field)))

static inline void InitializeListHead(PLIST_ENTRY head) { head->Flink = head->Blink = head; }
static inline BOOLEAN IsListEmpty(const LIST_ENTRY *head) { return head->Flink == head; }
static inline BOOLEAN RemoveEntryList(PLIST_ENTRY entry) {
  PLIST_ENTRY next = entry->Flink, prev = entry->Blink;
  prev->Flink = next;
  next->Blink = prev;
  return next == prev;
}
static inline PLIST_ENTRY RemoveHeadList(PLIST_ENTRY head) {
  PLIST_ENTRY entry = head->Flink;
  RemoveEntryList(entry);
  return entry;
}
static inline void InsertTailList(PLIST_ENTRY head, PLIST_ENTRY entry) {
  PLIST_ENTRY last = head->Blink;
  entry->Flink = head;
  entry->Blink = last;
  last->Flink = entry;
  head->Blink = entry;
}
static inline void InsertHeadList(PLIST_ENTRY head, PLIST_ENTRY entry) {
  PLIST_ENTRY first = head->Flink;
  entry->Flink = first;
  entry->Blink = head;
  first->Blink = entry;
  head->Flink = entry;
}

#define RtlCopyMemory(d, s, n) memcpy((d), (s), (n))
#define RtlZeroMemory(d, n) memset((d), 0, (n))

/* Dispatcher objects: single-threaded stand-ins that record their state so
   tests can check the locking discipline. */
typedef struct _KMUTEX {
  LONG OwnerCount;
} KMUTEX, *PKMUTEX;

struct _KDPC;
typedef void (*PKDEFERRED_ROUTINE)(struct _KDPC *dpc, PVOID context, PVOID arg1, PVOID arg2);
typedef struct _KDPC {
  PKDEFERRED_ROUTINE DeferredRoutine;
  PVOID DeferredContext;
} KDPC, *PKDPC;

typedef struct _KINTERRUPT *PKINTERRUPT;

typedef enum _KWAIT_REASON { Executive = 0 } KWAIT_REASON;
typedef enum _MODE { KernelMode = 0, UserMode = 1 } MODE;
typedef CCHAR KPROCESSOR_MODE;
typedef enum _POOL_TYPE { NonPagedPool = 0, PagedPool = 1 } POOL_TYPE;
typedef enum _LOCK_OPERATION { IoReadAccess = 0, IoWriteAccess = 1, IoModifyAccess = 2 } LOCK_OPERATION;
typedef enum _MM_PAGE_PRIORITY { LowPagePriority = 0, NormalPagePriority = 16 } MM_PAGE_PRIORITY;

typedef struct _MDL {
  struct _MDL *Next;
  ULONG_PTR CallerAddress; /* the locked range in the caller's address space */
  ULONG ByteCount;
  BOOLEAN Locked;
} MDL, *PMDL;

typedef struct _IO_STATUS_BLOCK {
  NTSTATUS Status;
  ULONG_PTR Information;
} IO_STATUS_BLOCK, *PIO_STATUS_BLOCK;

typedef struct _FILE_OBJECT {
  PVOID FsContext;
  PVOID FsContext2;
} FILE_OBJECT, *PFILE_OBJECT;

#define IRP_MJ_CREATE 0x00
#define IRP_MJ_CLOSE 0x02
#define IRP_MJ_READ 0x03
#define IRP_MJ_DEVICE_CONTROL 0x0e
#define IRP_MJ_CLEANUP 0x12
#define IRP_MJ_MAXIMUM_FUNCTION 0x1b
#define SL_PENDING_RETURNED 0x01
#define IO_NO_INCREMENT 0

struct _DEVICE_OBJECT;
struct _IRP;
typedef NTSTATUS (*PDRIVER_DISPATCH)(struct _DEVICE_OBJECT *device, struct _IRP *irp);
typedef void (*PDRIVER_CANCEL)(struct _DEVICE_OBJECT *device, struct _IRP *irp);
struct _DRIVER_OBJECT;
typedef void (*PDRIVER_UNLOAD)(struct _DRIVER_OBJECT *driver);

typedef struct _IO_STACK_LOCATION {
  UCHAR MajorFunction;
  UCHAR MinorFunction;
  UCHAR Flags;
  UCHAR Control;
  union {
    struct {
      ULONG OutputBufferLength;
      ULONG InputBufferLength;
      ULONG IoControlCode;
      PVOID Type3InputBuffer;
    } DeviceIoControl;
  } Parameters;
  struct _DEVICE_OBJECT *DeviceObject;
  PFILE_OBJECT FileObject;
} IO_STACK_LOCATION, *PIO_STACK_LOCATION;

typedef struct _IRP {
  PMDL MdlAddress;
  union {
    PVOID SystemBuffer;
  } AssociatedIrp;
  IO_STATUS_BLOCK IoStatus;
  KPROCESSOR_MODE RequestorMode;
  BOOLEAN PendingReturned;
  BOOLEAN Cancel;
  KIRQL CancelIrql;
  PDRIVER_CANCEL CancelRoutine;
  struct {
    struct {
      PVOID DriverContext[4]; /* the driver's while it holds the request */
      LIST_ENTRY ListEntry;
      PIO_STACK_LOCATION CurrentStackLocation;
    } Overlay;
  } Tail;
} IRP, *PIRP;

typedef struct _DEVICE_OBJECT {
  struct _DRIVER_OBJECT *DriverObject;
  struct _DEVICE_OBJECT *NextDevice;
  PVOID DeviceExtension;
  ULONG Flags;
  ULONG DeviceType;
} DEVICE_OBJECT, *PDEVICE_OBJECT;

typedef struct _DRIVER_OBJECT {
  PDEVICE_OBJECT DeviceObject;
  PDRIVER_UNLOAD DriverUnload;
  PDRIVER_DISPATCH MajorFunction[IRP_MJ_MAXIMUM_FUNCTION + 1];
} DRIVER_OBJECT, *PDRIVER_OBJECT;

static inline PIO_STACK_LOCATION IoGetCurrentIrpStackLocation(PIRP irp) {
  return irp->Tail.Overlay.CurrentStackLocation;
}
static inline void IoMarkIrpPending(PIRP irp) {
  IoGetCurrentIrpStackLocation(irp)->Control |= SL_PENDING_RETURNED;
}
static inline PDRIVER_CANCEL IoSetCancelRoutine(PIRP irp, PDRIVER_CANCEL routine) {
  PDRIVER_CANCEL old = irp->CancelRoutine;
  irp->CancelRoutine = routine;
  return old;
}

#define REG_SZ 1
#define REG_DWORD 4
#define RTL_REGISTRY_ABSOLUTE 0

/* Implemented by the emulated I/O manager. */
void RtlInitUnicodeString(PUNICODE_STRING destination, PCWSTR source);
NTSTATUS RtlAppendUnicodeToString(PUNICODE_STRING destination, PCWSTR source);
NTSTATUS RtlAppendUnicodeStringToString(PUNICODE_STRING destination, PCUNICODE_STRING source);
NTSTATUS RtlIntegerToUnicodeString(ULONG value, ULONG base, PUNICODE_STRING string);
NTSTATUS RtlCreateRegistryKey(ULONG relativeTo, PWSTR path);
NTSTATUS RtlWriteRegistryValue(ULONG relativeTo, PCWSTR path, PCWSTR valueName, ULONG valueType,
                               PVOID valueData, ULONG valueLength);

PVOID ExAllocatePoolWithTag(POOL_TYPE pool, size_t size, ULONG tag);
void ExFreePoolWithTag(PVOID block, ULONG tag);
void ExFreePool(PVOID block);

NTSTATUS IoCreateDevice(PDRIVER_OBJECT driver, ULONG extensionSize, PUNICODE_STRING name,
                        ULONG deviceType, ULONG characteristics, BOOLEAN exclusive,
                        PDEVICE_OBJECT *device);
void IoDeleteDevice(PDEVICE_OBJECT device);
NTSTATUS IoCreateSymbolicLink(PUNICODE_STRING link, PUNICODE_STRING target);
NTSTATUS IoDeleteSymbolicLink(PUNICODE_STRING link);
void IoCompleteRequest(PIRP irp, CCHAR priorityBoost);
void IoAcquireCancelSpinLock(PKIRQL irql);
void IoReleaseCancelSpinLock(KIRQL irql);

PMDL IoAllocateMdl(PVOID virtualAddress, ULONG length, BOOLEAN secondaryBuffer, BOOLEAN chargeQuota,
                   PIRP irp);
void IoFreeMdl(PMDL mdl);
void MmUnlockPages(PMDL mdl);
PVOID MmGetSystemAddressForMdlSafe(PMDL mdl, ULONG priority);
void MmUnmapIoSpace(PVOID base, size_t size);
void IoDisconnectInterrupt(PKINTERRUPT interrupt);
NTSTATUS IoReportResourceUsage(PUNICODE_STRING driverClassName, PDRIVER_OBJECT driver,
                               PVOID driverList, ULONG driverListSize, PDEVICE_OBJECT device,
                               PVOID deviceList, ULONG deviceListSize, BOOLEAN override,
                               PBOOLEAN conflictDetected);

void KeInitializeMutex(PKMUTEX mutex, ULONG level);
NTSTATUS KeWaitForSingleObject(PVOID object, KWAIT_REASON reason, KPROCESSOR_MODE mode,
                               BOOLEAN alertable, PVOID timeout);
LONG KeReleaseMutex(PKMUTEX mutex, BOOLEAN wait);
void KeInitializeSpinLock(PKSPIN_LOCK lock);
void KeInitializeDpc(PKDPC dpc, PKDEFERRED_ROUTINE routine, PVOID context);

#ifdef __cplusplus
}
#endif

#endif
