#include "platform/device/emulated_device_io.h"

#include "platform/win_errors.h"

namespace tolven::dev {

uint32_t ExclusiveDevice::Open(uint64_t fileId) {
  if (holder_) return win::kErrorBusy;
  holder_ = fileId;
  return win::kErrorSuccess;
}

void ExclusiveDevice::Close(uint64_t fileId) {
  if (holder_ == fileId) holder_ = 0;
}

uint32_t ExclusiveDevice::Control(uint64_t, uint32_t, const void *, uint32_t, void *, uint32_t,
                                  uint32_t *returned) {
  if (returned) *returned = 0;
  return win::kErrorInvalidParameter;
}

Handle EmulatedDeviceIo::OpenDevice(WStringView path, uint32_t, uint32_t, uint32_t) {
  static constexpr WStringView kPrefix = u"\\\\.\\";
  if (path.substr(0, kPrefix.size()) != kPrefix) {
    lastError_ = win::kErrorFileNotFound;
    return kInvalidHandle;
  }
  auto it = devices_.find(UpperCase(path.substr(kPrefix.size())));
  if (it == devices_.end()) {
    lastError_ = win::kErrorFileNotFound;
    return kInvalidHandle;
  }
  uint64_t fileId = nextFileId_++;
  uint32_t error = it->second->Open(fileId);
  if (error != win::kErrorSuccess) {
    lastError_ = error;
    return kInvalidHandle;
  }
  Handle h = nextHandle_;
  nextHandle_ += 4;
  handles_[h] = Entry{it->second, fileId};
  lastError_ = 0;
  return h;
}

bool EmulatedDeviceIo::Control(Handle device, uint32_t code, const void *in, uint32_t inSize,
                               void *out, uint32_t outSize, uint32_t *returned) {
  auto it = handles_.find(device);
  if (it == handles_.end() || !it->second.device) {
    lastError_ = win::kErrorInvalidHandle;
    return false;
  }
  uint32_t got = 0;
  lastError_ = it->second.device->Control(it->second.fileId, code, in, inSize, out, outSize, &got);
  if (returned) *returned = got;
  return lastError_ == win::kErrorSuccess;
}

Handle EmulatedDeviceIo::NewEvent(bool, bool) {
  Handle h = nextHandle_;
  nextHandle_ += 4;
  handles_[h] = Entry{};
  lastError_ = 0;
  return h;
}

bool EmulatedDeviceIo::CloseHandle(Handle handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end()) {
    lastError_ = win::kErrorInvalidHandle;
    return false;
  }
  Entry entry = it->second;
  handles_.erase(it);
  if (entry.device) entry.device->Close(entry.fileId);
  lastError_ = 0;
  return true;
}

void EmulatedDeviceIo::Publish(WStringView dosName, std::shared_ptr<EmulatedDevice> device) {
  devices_[UpperCase(dosName)] = std::move(device);
}

void EmulatedDeviceIo::Withdraw(WStringView dosName) { devices_.erase(UpperCase(dosName)); }

bool EmulatedDeviceIo::IsPublished(WStringView dosName) const {
  return devices_.count(UpperCase(dosName)) != 0;
}

}  // namespace tolven::dev
