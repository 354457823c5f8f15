#include "kernel/emulated/tolvenk_image.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "kernel/vc/vclib.h"
#include "platform/win_errors.h"

namespace tolven::kernel {
namespace {

const KString kMachineRoot = u"\\REGISTRY\\MACHINE\\";
const KString kDosDevices = u"\\DOSDEVICES\\";

// "\Registry\Machine\<sub>" -> <sub>; false for any other root.
bool MachineSubKey(const KString &path, KString *sub) {
  if (UpperK(path.substr(0, kMachineRoot.size())) != kMachineRoot) return false;
  *sub = path.substr(kMachineRoot.size());
  return true;
}

NTSTATUS FromRegistryError(reg::Status status) {
  if (status == win::kErrorSuccess) return STATUS_SUCCESS;
  if (status == win::kErrorFileNotFound) return STATUS_OBJECT_NAME_NOT_FOUND;
  return STATUS_UNSUCCESSFUL;
}

}  // namespace

uint32_t KernelDeviceAdapter::Open(uint64_t fileId) {
  if (!kernel_) return win::kErrorFileNotFound;
  EmulatedKernel::Scope scope(*kernel_);
  // The file object lives on after a refusal: a close may still come for it.
  auto &file = files_[fileId];
  file = std::make_unique<FILE_OBJECT>();
  auto request = kernel_->NewRequest(IRP_MJ_CREATE, file.get());
  return NtStatusToWin32(kernel_->Send(device_, *request));
}

void KernelDeviceAdapter::Close(uint64_t fileId) {
  auto it = files_.find(fileId);
  if (it == files_.end()) return;
  if (kernel_) {
    EmulatedKernel::Scope scope(*kernel_);
    auto request = kernel_->NewRequest(IRP_MJ_CLOSE, it->second.get());
    kernel_->Send(device_, *request);
  }
  Collect();
  files_.erase(it);
}

uint32_t KernelDeviceAdapter::Control(uint64_t fileId, uint32_t code, const void *in,
                                      uint32_t inSize, void *out, uint32_t outSize,
                                      uint32_t *returned) {
  if (returned) *returned = 0;
  auto it = files_.find(fileId);
  if (!kernel_ || it == files_.end()) return win::kErrorInvalidHandle;
  EmulatedKernel::Scope scope(*kernel_);
  auto request = kernel_->NewControl(it->second.get(), code, in, inSize, outSize);
  NTSTATUS status = kernel_->Send(device_, *request);
  Collect();
  if (status == STATUS_PENDING) {
    pending_.push_back(Pending{fileId, std::move(request)});
    return NtStatusToWin32(status);
  }
  // Buffered transfer: the answered bytes go back to the caller's buffer.
  ULONG_PTR bytes = std::min<ULONG_PTR>(request->Information(), outSize);
  if (NT_SUCCESS(status) && bytes && out) std::memcpy(out, request->Buffer(), bytes);
  if (returned) *returned = static_cast<uint32_t>(bytes);
  return NtStatusToWin32(status);
}

size_t KernelDeviceAdapter::PendingCount() const {
  return std::count_if(pending_.begin(), pending_.end(),
                       [](const Pending &p) { return !p.request->Completed(); });
}

std::vector<NTSTATUS> KernelDeviceAdapter::TakeFinished() {
  Collect();
  return std::exchange(finished_, {});
}

void KernelDeviceAdapter::Collect() {
  for (auto it = pending_.begin(); it != pending_.end();) {
    if (it->request->Completed()) {
      finished_.push_back(it->request->Status());
      it = pending_.erase(it);
    } else {
      ++it;
    }
  }
}

TolvenkDriverImage::~TolvenkDriverImage() { Unload(); }

bool TolvenkDriverImage::Load(WStringView, WStringView registryPath) {
  kernel_ = std::make_unique<EmulatedKernel>();
  kernel_->SetHost(this);
  if (beforeLoad) beforeLoad(*kernel_);
  EmulatedKernel::Scope scope(*kernel_);
  return NT_SUCCESS(kernel_->LoadDriver(DriverEntry, KString(registryPath)));
}

void TolvenkDriverImage::Unload() {
  if (!kernel_) return;
  {
    EmulatedKernel::Scope scope(*kernel_);
    kernel_->UnloadDriver();
  }
  // Whatever the driver did not take down goes with it.
  for (auto &[name, device] : published_) {
    device->Detach();
    devices_.Withdraw(name);
  }
  published_.clear();
  kernel_.reset();
}

std::shared_ptr<KernelDeviceAdapter> TolvenkDriverImage::Device(WStringView dosName) const {
  auto it = published_.find(UpperK(KString(dosName)));
  return it == published_.end() ? nullptr : it->second;
}

NTSTATUS TolvenkDriverImage::CreateKey(const KString &path) {
  KString sub;
  if (!MachineSubKey(path, &sub)) return STATUS_OBJECT_NAME_NOT_FOUND;
  reg::Key key = 0;
  reg::Status status = registry_.CreateKey(reg::kLocalMachine, sub, reg::kAllAccess, &key);
  if (status == win::kErrorSuccess) registry_.CloseKey(key);
  return FromRegistryError(status);
}

NTSTATUS TolvenkDriverImage::WriteValue(const KString &path, const KString &name, ULONG type,
                                        const void *data, ULONG size) {
  KString sub;
  if (!MachineSubKey(path, &sub)) return STATUS_OBJECT_NAME_NOT_FOUND;
  reg::Key key = 0;
  reg::Status status = registry_.OpenKey(reg::kLocalMachine, sub, reg::kSetValue, &key);
  if (status != win::kErrorSuccess) return FromRegistryError(status);
  status = registry_.SetValue(key, name, type, data, size);
  registry_.CloseKey(key);
  return FromRegistryError(status);
}

void TolvenkDriverImage::LinkCreated(const KString &link, PDEVICE_OBJECT device) {
  if (!device || UpperK(link.substr(0, kDosDevices.size())) != kDosDevices) return;
  KString dosName = link.substr(kDosDevices.size());
  auto adapter = std::make_shared<KernelDeviceAdapter>(*kernel_, device);
  published_[UpperK(dosName)] = adapter;
  devices_.Publish(dosName, adapter);
}

void TolvenkDriverImage::LinkDeleted(const KString &link) {
  if (UpperK(link.substr(0, kDosDevices.size())) != kDosDevices) return;
  KString dosName = link.substr(kDosDevices.size());
  auto it = published_.find(UpperK(dosName));
  if (it == published_.end()) return;
  it->second->Detach();
  devices_.Withdraw(dosName);
  published_.erase(it);
}

}  // namespace tolven::kernel
