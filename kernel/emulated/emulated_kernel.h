// An in-process NT I/O manager for the video-capture library: an object
// namespace of devices and DOS links, pool accounting, the device mutex and
// the cancel spin lock with their rules checked, requests with one stack
// location and a system buffer, completion, cancellation, deferred calls,
// memory descriptors over a caller address space the test maps, and
// registry writes. Single-threaded; one instance is current at a time and
// answers the NT functions the library calls.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kernel/emulated/nt_emulated.h"

namespace tolven::kernel {

using KString = std::u16string;

// One request as the I/O manager builds it: the IRP, its stack location
// and, for buffered device control, the system buffer.
struct EmulatedRequest {
  IRP irp{};
  IO_STACK_LOCATION stack{};
  std::vector<uint64_t> systemBuffer;  // 8-byte aligned storage
  int completions = 0;
  NTSTATUS returned = 0;  // what the dispatch routine answered
  // The requesting process is 32-bit (a 32-bit client on 64-bit Windows).
  // The emulated kernel stands for a 64-bit system: by default requests come
  // from 64-bit processes.
  bool caller32 = false;

  bool Completed() const { return completions > 0; }
  NTSTATUS Status() const { return irp.IoStatus.Status; }
  ULONG_PTR Information() const { return irp.IoStatus.Information; }
  uint8_t *Buffer() { return reinterpret_cast<uint8_t *>(irp.AssociatedIrp.SystemBuffer); }
  uint32_t Dword(size_t offset = 0) const;
};

class EmulatedKernel {
 public:
  // Where registry writes and DOS links go; the defaults keep them in here.
  struct Host {
    virtual ~Host() = default;
    // path is absolute ("\Registry\Machine\...").
    virtual NTSTATUS CreateKey(const KString &path) = 0;
    virtual NTSTATUS WriteValue(const KString &path, const KString &name, ULONG type,
                                const void *data, ULONG size) = 0;
    virtual void LinkCreated(const KString &link, PDEVICE_OBJECT device) = 0;
    virtual void LinkDeleted(const KString &link) = 0;
  };

  EmulatedKernel();
  ~EmulatedKernel();
  EmulatedKernel(const EmulatedKernel &) = delete;
  EmulatedKernel &operator=(const EmulatedKernel &) = delete;

  static EmulatedKernel &Current();
  // Makes this instance the one the NT functions reach for a scope.
  class Scope {
   public:
    explicit Scope(EmulatedKernel &kernel);
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

   private:
    EmulatedKernel *previous_;
  };
  void SetHost(Host *host) { host_ = host; }

  // Drivers.
  using DriverEntryRoutine = NTSTATUS (*)(PDRIVER_OBJECT, PUNICODE_STRING);
  // Runs the driver entry with the service's key path
  // ("\Registry\Machine\SYSTEM\CurrentControlSet\Services\<name>").
  NTSTATUS LoadDriver(DriverEntryRoutine entry, const KString &registryPath);
  static KString ServiceKeyPath(const KString &serviceName);
  // Calls the unload routine (when set) and forgets the driver object.
  void UnloadDriver();
  PDRIVER_OBJECT Driver() { return driver_.get(); }
  PDEVICE_OBJECT Device(const KString &name) const;  // "\Device\VidCap0"
  KString LinkTarget(const KString &link) const;      // "" when absent
  size_t DeviceCount() const { return devices_.size(); }
  size_t LinkCount() const { return links_.size(); }
  // A device of another driver holding the name.
  void OccupyDeviceName(const KString &name);

  // Requests.
  std::unique_ptr<EmulatedRequest> NewRequest(UCHAR major, PFILE_OBJECT file);
  std::unique_ptr<EmulatedRequest> NewControl(PFILE_OBJECT file, ULONG code, const void *in,
                                              ULONG inSize, ULONG outSize);
  // Hands the request to the device's driver the way the I/O manager does
  // and answers what the dispatch routine returned.
  NTSTATUS Send(PDEVICE_OBJECT device, EmulatedRequest &request);
  // IoCancelIrp: false when the request had no cancel routine.
  bool Cancel(EmulatedRequest &request);
  void RunDpc(PKDPC dpc);

  // The caller's address space: addresses a request may name.
  void MapCallerMemory(ULONG_PTR address, void *host, ULONG length);
  void UnmapCallerMemory(ULONG_PTR address);
  void *HostAddress(ULONG_PTR address, ULONG length) const;  // null when not mapped

  // Failure injection: the n-th next allocation (1 = the next one) fails.
  void FailPoolAllocation(int nth) { poolFailIn_ = nth; }
  void FailMdlAllocation(int nth) { mdlFailIn_ = nth; }
  void FailSymbolicLinks(bool fail) { failLinks_ = fail; }

  // Registry values written while no host is set.
  struct Value {
    ULONG type = 0;
    std::vector<uint8_t> data;
  };
  const Value *FindValue(const KString &path, const KString &name) const;
  bool KeyExists(const KString &path) const;

  // Bookkeeping the tests check.
  size_t PoolBlocks() const { return pool_.size(); }
  size_t PoolBlocksTagged(ULONG tag) const;
  size_t MdlCount() const { return mdls_.size(); }
  bool CancelLockHeld() const { return cancelLockHeld_; }
  const std::vector<std::string> &Violations() const { return violations_; }
  // Called for every request completed (after the I/O manager's own work).
  std::function<void(PIRP)> onComplete;

  // NT functions, reached through the C entry points.
  PVOID AllocatePool(POOL_TYPE pool, size_t size, ULONG tag);
  void FreePool(PVOID block, ULONG tag, bool checkTag);
  NTSTATUS CreateDevice(PDRIVER_OBJECT driver, ULONG extensionSize, PUNICODE_STRING name,
                        ULONG type, PDEVICE_OBJECT *device);
  void DeleteDevice(PDEVICE_OBJECT device);
  NTSTATUS CreateLink(PUNICODE_STRING link, PUNICODE_STRING target);
  NTSTATUS DeleteLink(PUNICODE_STRING link);
  void CompleteRequest(PIRP irp);
  void AcquireCancelLock(PKIRQL irql);
  void ReleaseCancelLock();
  NTSTATUS CreateKey(PCWSTR path);
  NTSTATUS WriteValue(PCWSTR path, PCWSTR name, ULONG type, const void *data, ULONG size);
  PMDL AllocateMdl(PVOID address, ULONG length);
  void FreeMdl(PMDL mdl);
  void Violation(std::string what) { violations_.push_back(std::move(what)); }

 private:
  struct DeviceRecord {
    std::unique_ptr<DEVICE_OBJECT> object;
    std::vector<uint64_t> extension;
    bool foreign = false;
  };
  struct CallerRange {
    void *host;
    ULONG length;
  };

  Host *host_ = nullptr;
  std::unique_ptr<DRIVER_OBJECT> driver_;
  std::map<KString, DeviceRecord> devices_;  // upper-case name
  std::map<KString, KString> links_;         // upper-case link -> target
  std::map<void *, std::pair<size_t, ULONG>> pool_;
  std::map<PMDL, std::unique_ptr<MDL>> mdls_;
  std::map<ULONG_PTR, CallerRange> callerMemory_;
  std::map<KString, std::map<KString, Value>> registry_;  // upper-case path, name
  std::vector<std::string> violations_;
  bool cancelLockHeld_ = false;
  int poolFailIn_ = 0;
  int mdlFailIn_ = 0;
  bool failLinks_ = false;
};

// UTF-16 helpers for the tests.
KString ToKString(PCWSTR text);
KString ToKString(PCUNICODE_STRING text);
KString UpperK(const KString &text);

// NTSTATUS values as Win32 errors, as RtlNtStatusToDosError gives them for
// the statuses this driver answers.
uint32_t NtStatusToWin32(NTSTATUS status);

}  // namespace tolven::kernel
