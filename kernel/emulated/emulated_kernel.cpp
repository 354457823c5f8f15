#include "kernel/emulated/emulated_kernel.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace tolven::kernel {
namespace {

EmulatedKernel *g_current = nullptr;

const KString kServicesPath = u"\\Registry\\Machine\\SYSTEM\\CurrentControlSet\\Services\\";

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

}  // namespace

KString ToKString(PCWSTR text) {
  KString out;
  if (!text) return out;
  while (*text) out.push_back(static_cast<char16_t>(*text++));
  return out;
}

KString ToKString(PCUNICODE_STRING text) {
  if (!text || !text->Buffer) return KString();
  return KString(reinterpret_cast<const char16_t *>(text->Buffer), text->Length / sizeof(WCHAR));
}

KString UpperK(const KString &text) {
  KString out(text);
  for (auto &c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return out;
}

uint32_t NtStatusToWin32(NTSTATUS status) {
  static const struct {
    NTSTATUS status;
    uint32_t error;
  } kTable[] = {
      {STATUS_SUCCESS, 0},
      {STATUS_PENDING, 997},                     // ERROR_IO_PENDING
      {STATUS_DEVICE_BUSY, 170},                 // ERROR_BUSY
      {STATUS_ACCESS_VIOLATION, 998},            // ERROR_NOACCESS
      {STATUS_INVALID_HANDLE, 6},                // ERROR_INVALID_HANDLE
      {STATUS_INVALID_DEVICE_REQUEST, 1},        // ERROR_INVALID_FUNCTION
      {STATUS_NO_MEMORY, 8},                     // ERROR_NOT_ENOUGH_MEMORY
      {STATUS_INSUFFICIENT_RESOURCES, 1450},     // ERROR_NO_SYSTEM_RESOURCES
      {STATUS_BUFFER_TOO_SMALL, 122},            // ERROR_INSUFFICIENT_BUFFER
      {STATUS_CANCELLED, 995},                   // ERROR_OPERATION_ABORTED
      {STATUS_DEVICE_CONFIGURATION_ERROR, 87},   // ERROR_INVALID_PARAMETER
      {STATUS_DRIVER_INTERNAL_ERROR, 1117},      // ERROR_IO_DEVICE
      {STATUS_INVALID_DEVICE_STATE, 22},         // ERROR_BAD_COMMAND
  };
  for (const auto &entry : kTable)
    if (entry.status == status) return entry.error;
  return 317;  // ERROR_MR_MID_NOT_FOUND, as for any status without a mapping
}

uint32_t EmulatedRequest::Dword(size_t offset) const {
  uint32_t value = 0;
  std::memcpy(&value, reinterpret_cast<const uint8_t *>(irp.AssociatedIrp.SystemBuffer) + offset,
              sizeof value);
  return value;
}

EmulatedKernel::EmulatedKernel() { g_current = this; }

EmulatedKernel::~EmulatedKernel() {
  if (g_current == this) g_current = nullptr;
}

EmulatedKernel &EmulatedKernel::Current() {
  if (!g_current) {
    std::fprintf(stderr, "no emulated kernel is current\n");
    std::abort();
  }
  return *g_current;
}

EmulatedKernel::Scope::Scope(EmulatedKernel &kernel) : previous_(g_current) { g_current = &kernel; }
EmulatedKernel::Scope::~Scope() { g_current = previous_; }

KString EmulatedKernel::ServiceKeyPath(const KString &serviceName) { return kServicesPath + serviceName; }

NTSTATUS EmulatedKernel::LoadDriver(DriverEntryRoutine entry, const KString &registryPath) {
  driver_ = std::make_unique<DRIVER_OBJECT>();
  KString path = registryPath;
  UNICODE_STRING counted;
  counted.Buffer = reinterpret_cast<PWSTR>(path.data());
  counted.Length = static_cast<USHORT>(path.size() * sizeof(WCHAR));
  counted.MaximumLength = counted.Length;
  return entry(driver_.get(), &counted);
}

void EmulatedKernel::UnloadDriver() {
  if (!driver_) return;
  if (driver_->DriverUnload) driver_->DriverUnload(driver_.get());
  for (auto &[name, record] : devices_)
    if (!record.foreign && record.object->DriverObject == driver_.get())
      Violation("device left behind at unload");
  driver_.reset();
}

PDEVICE_OBJECT EmulatedKernel::Device(const KString &name) const {
  auto it = devices_.find(UpperK(name));
  return it == devices_.end() ? nullptr : it->second.object.get();
}

KString EmulatedKernel::LinkTarget(const KString &link) const {
  auto it = links_.find(UpperK(link));
  return it == links_.end() ? KString() : it->second;
}

void EmulatedKernel::OccupyDeviceName(const KString &name) {
  DeviceRecord record;
  record.object = std::make_unique<DEVICE_OBJECT>();
  record.foreign = true;
  devices_[UpperK(name)] = std::move(record);
}

std::unique_ptr<EmulatedRequest> EmulatedKernel::NewRequest(UCHAR major, PFILE_OBJECT file) {
  auto request = std::make_unique<EmulatedRequest>();
  request->stack.MajorFunction = major;
  request->stack.FileObject = file;
  request->irp.Tail.Overlay.CurrentStackLocation = &request->stack;
  request->irp.RequestorMode = UserMode;
  request->irp.IoStatus.Status = STATUS_PENDING;
  return request;
}

std::unique_ptr<EmulatedRequest> EmulatedKernel::NewControl(PFILE_OBJECT file, ULONG code,
                                                            const void *in, ULONG inSize,
                                                            ULONG outSize) {
  auto request = NewRequest(IRP_MJ_DEVICE_CONTROL, file);
  auto &p = request->stack.Parameters.DeviceIoControl;
  p.IoControlCode = code;
  p.InputBufferLength = inSize;
  p.OutputBufferLength = outSize;
  // Buffered transfer: one system buffer as large as the larger of the two,
  // holding the input; none when both are empty.
  ULONG size = inSize > outSize ? inSize : outSize;
  if (size) {
    request->systemBuffer.assign((size + 7) / 8, 0);
    if (in && inSize) std::memcpy(request->systemBuffer.data(), in, inSize);
    request->irp.AssociatedIrp.SystemBuffer = request->systemBuffer.data();
  }
  return request;
}

NTSTATUS EmulatedKernel::Send(PDEVICE_OBJECT device, EmulatedRequest &request) {
  request.stack.DeviceObject = device;
  request.irp.Tail.Overlay.CurrentStackLocation = &request.stack;
  PDRIVER_DISPATCH dispatch =
      device->DriverObject ? device->DriverObject->MajorFunction[request.stack.MajorFunction] : nullptr;
  if (!dispatch) {
    request.irp.IoStatus.Status = STATUS_INVALID_DEVICE_REQUEST;
    request.irp.IoStatus.Information = 0;
    CompleteRequest(&request.irp);
    return request.returned = STATUS_INVALID_DEVICE_REQUEST;
  }
  request.returned = dispatch(device, &request.irp);
  bool markedPending = (request.stack.Control & SL_PENDING_RETURNED) != 0;
  if (request.returned == STATUS_PENDING) {
    if (!markedPending) Violation("STATUS_PENDING returned for a request not marked pending");
  } else {
    if (!request.Completed()) Violation("dispatch answered " + Hex(request.returned) + " without completing");
    else if (request.Status() != request.returned)
      Violation("dispatch answered " + Hex(request.returned) + " but completed with " + Hex(request.Status()));
    if (markedPending) Violation("request marked pending but answered synchronously");
  }
  if (cancelLockHeld_) Violation("cancel spin lock held after dispatch");
  return request.returned;
}

bool EmulatedKernel::Cancel(EmulatedRequest &request) {
  KIRQL irql = 0;
  AcquireCancelLock(&irql);
  request.irp.Cancel = TRUE;
  PDRIVER_CANCEL routine = IoSetCancelRoutine(&request.irp, nullptr);
  if (!routine) {
    ReleaseCancelLock();
    return false;
  }
  request.irp.CancelIrql = irql;
  routine(request.stack.DeviceObject, &request.irp);
  if (cancelLockHeld_) {
    Violation("cancel routine returned holding the cancel spin lock");
    cancelLockHeld_ = false;
  }
  return true;
}

void EmulatedKernel::RunDpc(PKDPC dpc) {
  dpc->DeferredRoutine(dpc, dpc->DeferredContext, nullptr, nullptr);
  if (cancelLockHeld_) Violation("cancel spin lock held after the deferred routine");
}

void EmulatedKernel::MapCallerMemory(ULONG_PTR address, void *host, ULONG length) {
  callerMemory_[address] = CallerRange{host, length};
}

void EmulatedKernel::UnmapCallerMemory(ULONG_PTR address) { callerMemory_.erase(address); }

void *EmulatedKernel::HostAddress(ULONG_PTR address, ULONG length) const {
  auto it = callerMemory_.upper_bound(address);
  if (it == callerMemory_.begin()) return nullptr;
  --it;
  uint64_t start = it->first, end = start + it->second.length;
  // Compared without forming address + length: a 64-bit caller's address
  // near the top of the address space would wrap past the check.
  if (address < start || address > end || length > end - address) return nullptr;
  return static_cast<uint8_t *>(it->second.host) + (address - start);
}

const EmulatedKernel::Value *EmulatedKernel::FindValue(const KString &path, const KString &name) const {
  auto key = registry_.find(UpperK(path));
  if (key == registry_.end()) return nullptr;
  auto value = key->second.find(UpperK(name));
  return value == key->second.end() ? nullptr : &value->second;
}

bool EmulatedKernel::KeyExists(const KString &path) const { return registry_.count(UpperK(path)) != 0; }

size_t EmulatedKernel::PoolBlocksTagged(ULONG tag) const {
  size_t n = 0;
  for (const auto &[block, info] : pool_) n += info.second == tag;
  return n;
}

PVOID EmulatedKernel::AllocatePool(POOL_TYPE, size_t size, ULONG tag) {
  if (poolFailIn_ > 0 && --poolFailIn_ == 0) return nullptr;
  void *block = std::malloc(size ? size : 1);
  // Pool memory is not zeroed; make reliance on that visible.
  std::memset(block, 0xCD, size);
  pool_[block] = {size, tag};
  return block;
}

void EmulatedKernel::FreePool(PVOID block, ULONG tag, bool checkTag) {
  auto it = pool_.find(block);
  if (it == pool_.end()) {
    Violation("freeing memory that is not a pool block");
    return;
  }
  if (checkTag && it->second.second != tag) Violation("pool block freed with another tag");
  pool_.erase(it);
  std::free(block);
}

NTSTATUS EmulatedKernel::CreateDevice(PDRIVER_OBJECT driver, ULONG extensionSize,
                                      PUNICODE_STRING name, ULONG type, PDEVICE_OBJECT *device) {
  KString key = UpperK(ToKString(name));
  *device = nullptr;
  if (devices_.count(key)) return STATUS_OBJECT_NAME_COLLISION;
  DeviceRecord record;
  record.object = std::make_unique<DEVICE_OBJECT>();
  record.extension.assign((extensionSize + 7) / 8, 0);
  record.object->DriverObject = driver;
  record.object->DeviceType = type;
  record.object->DeviceExtension = extensionSize ? record.extension.data() : nullptr;
  record.object->NextDevice = driver->DeviceObject;
  driver->DeviceObject = record.object.get();
  *device = record.object.get();
  devices_[key] = std::move(record);
  return STATUS_SUCCESS;
}

void EmulatedKernel::DeleteDevice(PDEVICE_OBJECT device) {
  for (auto it = devices_.begin(); it != devices_.end(); ++it) {
    if (it->second.object.get() != device) continue;
    PDRIVER_OBJECT driver = device->DriverObject;
    for (PDEVICE_OBJECT *link = &driver->DeviceObject; *link; link = &(*link)->NextDevice)
      if (*link == device) {
        *link = device->NextDevice;
        break;
      }
    devices_.erase(it);
    return;
  }
  Violation("deleting a device that does not exist");
}

NTSTATUS EmulatedKernel::CreateLink(PUNICODE_STRING link, PUNICODE_STRING target) {
  if (failLinks_) return STATUS_INSUFFICIENT_RESOURCES;
  KString key = UpperK(ToKString(link));
  if (links_.count(key)) return STATUS_OBJECT_NAME_COLLISION;
  links_[key] = ToKString(target);
  if (host_) host_->LinkCreated(ToKString(link), Device(ToKString(target)));
  return STATUS_SUCCESS;
}

NTSTATUS EmulatedKernel::DeleteLink(PUNICODE_STRING link) {
  KString key = UpperK(ToKString(link));
  if (!links_.erase(key)) return STATUS_OBJECT_NAME_NOT_FOUND;
  if (host_) host_->LinkDeleted(ToKString(link));
  return STATUS_SUCCESS;
}

void EmulatedKernel::CompleteRequest(PIRP irp) {
  // The request object holds the IRP first, so the two addresses coincide.
  static_assert(std::is_standard_layout_v<EmulatedRequest> && offsetof(EmulatedRequest, irp) == 0);
  auto *request = reinterpret_cast<EmulatedRequest *>(irp);
  if (request->completions++ > 0) Violation("request completed twice");
  if (irp->CancelRoutine) Violation("request completed with its cancel routine still set");
  if (cancelLockHeld_) Violation("request completed under the cancel spin lock");
  if (irp->IoStatus.Status == STATUS_PENDING) Violation("request completed with STATUS_PENDING");
  // As the I/O manager does: unlock and free the descriptors of the request.
  for (PMDL mdl = irp->MdlAddress, next; mdl; mdl = next) {
    next = mdl->Next;
    if (mdl->Locked) mdl->Locked = FALSE;
    FreeMdl(mdl);
  }
  irp->MdlAddress = nullptr;
  if (onComplete) onComplete(irp);
}

void EmulatedKernel::AcquireCancelLock(PKIRQL irql) {
  if (cancelLockHeld_) Violation("cancel spin lock acquired twice (deadlock)");
  cancelLockHeld_ = true;
  *irql = 2;  // DISPATCH_LEVEL
}

void EmulatedKernel::ReleaseCancelLock() {
  if (!cancelLockHeld_) Violation("cancel spin lock released while not held");
  cancelLockHeld_ = false;
}

NTSTATUS EmulatedKernel::CreateKey(PCWSTR path) {
  if (host_) return host_->CreateKey(ToKString(path));
  registry_[UpperK(ToKString(path))];
  return STATUS_SUCCESS;
}

NTSTATUS EmulatedKernel::WriteValue(PCWSTR path, PCWSTR name, ULONG type, const void *data,
                                    ULONG size) {
  if (host_) return host_->WriteValue(ToKString(path), ToKString(name), type, data, size);
  auto key = registry_.find(UpperK(ToKString(path)));
  // As RtlWriteRegistryValue: the key must exist.
  if (key == registry_.end()) return STATUS_OBJECT_NAME_NOT_FOUND;
  Value &value = key->second[UpperK(ToKString(name))];
  value.type = type;
  value.data.assign(static_cast<const uint8_t *>(data), static_cast<const uint8_t *>(data) + size);
  return STATUS_SUCCESS;
}

PMDL EmulatedKernel::AllocateMdl(PVOID address, ULONG length) {
  if (mdlFailIn_ > 0 && --mdlFailIn_ == 0) return nullptr;
  auto mdl = std::make_unique<MDL>();
  mdl->CallerAddress = reinterpret_cast<ULONG_PTR>(address);
  mdl->ByteCount = length;
  PMDL raw = mdl.get();
  mdls_[raw] = std::move(mdl);
  return raw;
}

void EmulatedKernel::FreeMdl(PMDL mdl) {
  auto it = mdls_.find(mdl);
  if (it == mdls_.end()) {
    Violation("freeing a memory descriptor that does not exist");
    return;
  }
  if (mdl->Locked) Violation("memory descriptor freed with its pages locked");
  mdls_.erase(it);
}

}  // namespace tolven::kernel

// The NT functions the library calls, answered by the current instance.
using tolven::kernel::EmulatedKernel;
namespace {
EmulatedKernel &K() { return EmulatedKernel::Current(); }
size_t WideChars(PCWSTR text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}
NTSTATUS Append(PUNICODE_STRING destination, const WCHAR *source, size_t bytes) {
  if (destination->Length + bytes > destination->MaximumLength) return STATUS_BUFFER_TOO_SMALL;
  std::memcpy(reinterpret_cast<uint8_t *>(destination->Buffer) + destination->Length, source, bytes);
  destination->Length = static_cast<USHORT>(destination->Length + bytes);
  if (destination->Length + sizeof(WCHAR) <= destination->MaximumLength)
    destination->Buffer[destination->Length / sizeof(WCHAR)] = 0;
  return STATUS_SUCCESS;
}
}  // namespace

extern "C" {

void RtlInitUnicodeString(PUNICODE_STRING destination, PCWSTR source) {
  destination->Buffer = const_cast<PWSTR>(source);
  destination->Length = source ? static_cast<USHORT>(WideChars(source) * sizeof(WCHAR)) : 0;
  destination->MaximumLength = source ? static_cast<USHORT>(destination->Length + sizeof(WCHAR)) : 0;
}

NTSTATUS RtlAppendUnicodeToString(PUNICODE_STRING destination, PCWSTR source) {
  if (!source) return STATUS_SUCCESS;
  return Append(destination, source, WideChars(source) * sizeof(WCHAR));
}

NTSTATUS RtlAppendUnicodeStringToString(PUNICODE_STRING destination, PCUNICODE_STRING source) {
  return Append(destination, source->Buffer, source->Length);
}

NTSTATUS RtlIntegerToUnicodeString(ULONG value, ULONG base, PUNICODE_STRING string) {
  if (base != 10) return STATUS_UNSUCCESSFUL;  // the only base used here
  WCHAR digits[12];
  size_t n = 0;
  do {
    digits[n++] = static_cast<WCHAR>(u'0' + value % 10);
    value /= 10;
  } while (value);
  if (n * sizeof(WCHAR) > string->MaximumLength) return static_cast<NTSTATUS>(0x80000005L);
  for (size_t i = 0; i < n; ++i) string->Buffer[i] = digits[n - 1 - i];
  string->Length = static_cast<USHORT>(n * sizeof(WCHAR));
  if (string->Length + sizeof(WCHAR) <= string->MaximumLength) string->Buffer[n] = 0;
  return STATUS_SUCCESS;
}

NTSTATUS RtlCreateRegistryKey(ULONG, PWSTR path) { return K().CreateKey(path); }

NTSTATUS RtlWriteRegistryValue(ULONG, PCWSTR path, PCWSTR valueName, ULONG valueType,
                               PVOID valueData, ULONG valueLength) {
  return K().WriteValue(path, valueName, valueType, valueData, valueLength);
}

PVOID ExAllocatePoolWithTag(POOL_TYPE pool, size_t size, ULONG tag) {
  return K().AllocatePool(pool, size, tag);
}
void ExFreePoolWithTag(PVOID block, ULONG tag) { K().FreePool(block, tag, true); }
void ExFreePool(PVOID block) { K().FreePool(block, 0, false); }

NTSTATUS IoCreateDevice(PDRIVER_OBJECT driver, ULONG extensionSize, PUNICODE_STRING name,
                        ULONG deviceType, ULONG, BOOLEAN, PDEVICE_OBJECT *device) {
  return K().CreateDevice(driver, extensionSize, name, deviceType, device);
}
void IoDeleteDevice(PDEVICE_OBJECT device) { K().DeleteDevice(device); }
NTSTATUS IoCreateSymbolicLink(PUNICODE_STRING link, PUNICODE_STRING target) {
  return K().CreateLink(link, target);
}
NTSTATUS IoDeleteSymbolicLink(PUNICODE_STRING link) { return K().DeleteLink(link); }
void IoCompleteRequest(PIRP irp, CCHAR) { K().CompleteRequest(irp); }
void IoAcquireCancelSpinLock(PKIRQL irql) { K().AcquireCancelLock(irql); }
void IoReleaseCancelSpinLock(KIRQL) { K().ReleaseCancelLock(); }

PMDL IoAllocateMdl(PVOID virtualAddress, ULONG length, BOOLEAN, BOOLEAN, PIRP irp) {
  if (irp) K().Violation("descriptors are attached to requests by the library itself");
  return K().AllocateMdl(virtualAddress, length);
}
void IoFreeMdl(PMDL mdl) { K().FreeMdl(mdl); }
void MmUnlockPages(PMDL mdl) {
  if (!mdl->Locked) K().Violation("unlocking pages that are not locked");
  mdl->Locked = FALSE;
}
PVOID MmGetSystemAddressForMdlSafe(PMDL mdl, ULONG) {
  static uint8_t empty;
  if (!mdl->Locked) {
    K().Violation("mapping a descriptor whose pages are not locked");
    return nullptr;
  }
  if (mdl->ByteCount == 0) return &empty;
  return K().HostAddress(mdl->CallerAddress, mdl->ByteCount);
}
void MmUnmapIoSpace(PVOID, size_t) { K().Violation("unmapping I/O space that was never mapped"); }
void IoDisconnectInterrupt(PKINTERRUPT) { K().Violation("disconnecting an interrupt never connected"); }
NTSTATUS IoReportResourceUsage(PUNICODE_STRING, PDRIVER_OBJECT, PVOID, ULONG, PDEVICE_OBJECT, PVOID,
                               ULONG, BOOLEAN, PBOOLEAN conflict) {
  if (conflict) *conflict = FALSE;
  return STATUS_SUCCESS;
}

void KeInitializeMutex(PKMUTEX mutex, ULONG) { mutex->OwnerCount = 0; }
NTSTATUS KeWaitForSingleObject(PVOID object, KWAIT_REASON, KPROCESSOR_MODE, BOOLEAN, PVOID) {
  auto *mutex = static_cast<PKMUTEX>(object);
  // Single-threaded: a second owner could only be this same thread recursing.
  if (mutex->OwnerCount != 0) K().Violation("device mutex acquired while already held");
  ++mutex->OwnerCount;
  return STATUS_SUCCESS;
}
LONG KeReleaseMutex(PKMUTEX mutex, BOOLEAN) {
  if (mutex->OwnerCount <= 0) {
    K().Violation("device mutex released while not held");
    return 0;
  }
  return --mutex->OwnerCount;
}
void KeInitializeSpinLock(PKSPIN_LOCK lock) { *lock = 0; }
void KeInitializeDpc(PKDPC dpc, PKDEFERRED_ROUTINE routine, PVOID context) {
  dpc->DeferredRoutine = routine;
  dpc->DeferredContext = context;
}

}  // extern "C"
