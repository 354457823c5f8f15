// tolvenk.sys for the emulated platform: starting the service runs the real
// driver entry and request machinery on the emulated I/O manager, writes
// the driver's registry values into the emulated registry, and publishes
// each DOS link the driver creates as an emulated device, so user-mode code
// (the kernel link) opens and talks to the real driver logic natively.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "kernel/emulated/emulated_kernel.h"
#include "platform/device/emulated_device_io.h"
#include "platform/registry/registry.h"
#include "platform/services/emulated_service_manager.h"

namespace tolven::kernel {

// One kernel device as the device port sees it: opens, closes and device
// control become requests with a file object per open.
class KernelDeviceAdapter : public dev::EmulatedDevice {
 public:
  KernelDeviceAdapter(EmulatedKernel &kernel, PDEVICE_OBJECT device)
      : kernel_(&kernel), device_(device) {}
  uint32_t Open(uint64_t fileId) override;
  void Close(uint64_t fileId) override;
  // A request the driver leaves pending answers ERROR_IO_PENDING and stays
  // here until the driver completes it.
  uint32_t Control(uint64_t fileId, uint32_t code, const void *in, uint32_t inSize, void *out,
                   uint32_t outSize, uint32_t *returned) override;

  size_t PendingCount() const;
  // Statuses of the pending requests completed since the last call.
  std::vector<NTSTATUS> TakeFinished();
  // The driver removed the device: later calls find nothing.
  void Detach() { kernel_ = nullptr; }

 private:
  struct Pending {
    uint64_t fileId;
    std::unique_ptr<EmulatedRequest> request;
  };
  void Collect();

  EmulatedKernel *kernel_;
  PDEVICE_OBJECT device_;
  std::map<uint64_t, std::unique_ptr<FILE_OBJECT>> files_;
  std::vector<Pending> pending_;
  std::vector<NTSTATUS> finished_;
};

class TolvenkDriverImage : public svc::KernelDriverImage, private EmulatedKernel::Host {
 public:
  TolvenkDriverImage(reg::Registry &registry, dev::EmulatedDeviceIo &devices)
      : registry_(registry), devices_(devices) {}
  ~TolvenkDriverImage() override;

  bool Load(WStringView serviceName, WStringView registryPath) override;
  void Unload() override;

  // The kernel the driver runs on while loaded (null otherwise), for tests
  // that inject failures or look at its bookkeeping.
  EmulatedKernel *Kernel() { return kernel_.get(); }
  // Injections to apply to the kernel of the next load.
  std::function<void(EmulatedKernel &)> beforeLoad;
  std::shared_ptr<KernelDeviceAdapter> Device(WStringView dosName) const;

 private:
  NTSTATUS CreateKey(const KString &path) override;
  NTSTATUS WriteValue(const KString &path, const KString &name, ULONG type, const void *data,
                      ULONG size) override;
  void LinkCreated(const KString &link, PDEVICE_OBJECT device) override;
  void LinkDeleted(const KString &link) override;

  reg::Registry &registry_;
  dev::EmulatedDeviceIo &devices_;
  std::unique_ptr<EmulatedKernel> kernel_;
  std::map<KString, std::shared_ptr<KernelDeviceAdapter>> published_;  // upper-case DOS name
};

}  // namespace tolven::kernel
