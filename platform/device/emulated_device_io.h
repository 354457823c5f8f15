// In-process devices. A kernel driver model publishes a device under its DOS
// name ("VidCap0"); opens, closes and device-control requests reach it with a
// per-open file id, so the model can refuse a second open the way a driver
// that admits one handle does.
#pragma once
#include <map>
#include <memory>

#include "platform/device/device_io.h"

namespace tolven::dev {

class EmulatedDevice {
 public:
  virtual ~EmulatedDevice() = default;
  // Each answers a Windows error code (0 success).
  virtual uint32_t Open(uint64_t fileId) = 0;
  virtual void Close(uint64_t fileId) = 0;
  virtual uint32_t Control(uint64_t fileId, uint32_t code, const void *in, uint32_t inSize,
                           void *out, uint32_t outSize, uint32_t *returned) = 0;
};

// A device that admits one open handle at a time and knows no control codes.
class ExclusiveDevice : public EmulatedDevice {
 public:
  uint32_t Open(uint64_t fileId) override;
  void Close(uint64_t fileId) override;
  uint32_t Control(uint64_t fileId, uint32_t code, const void *in, uint32_t inSize, void *out,
                   uint32_t outSize, uint32_t *returned) override;
  bool IsOpen() const { return holder_ != 0; }

 private:
  uint64_t holder_ = 0;
};

class EmulatedDeviceIo : public DeviceIo {
 public:
  Handle OpenDevice(WStringView path, uint32_t access, uint32_t share, uint32_t flags) override;
  bool Control(Handle device, uint32_t code, const void *in, uint32_t inSize, void *out,
               uint32_t outSize, uint32_t *returned) override;
  Handle NewEvent(bool manualReset, bool initialState) override;
  bool CloseHandle(Handle handle) override;
  uint32_t LastError() const override { return lastError_; }

  // The DOS link: "VidCap0" makes the device openable as \\.\VidCap0.
  void Publish(WStringView dosName, std::shared_ptr<EmulatedDevice> device);
  void Withdraw(WStringView dosName);
  bool IsPublished(WStringView dosName) const;
  size_t OpenHandleCount() const { return handles_.size(); }

 private:
  struct Entry {
    std::shared_ptr<EmulatedDevice> device;  // null for an event
    uint64_t fileId = 0;
  };
  std::map<WString, std::shared_ptr<EmulatedDevice>> devices_;  // upper-case name
  std::map<Handle, Entry> handles_;
  Handle nextHandle_ = 0x40;
  uint64_t nextFileId_ = 1;
  uint32_t lastError_ = 0;
};

}  // namespace tolven::dev
