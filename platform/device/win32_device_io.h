// The device port on CreateFile, DeviceIoControl and kernel events.
#pragma once
#include "platform/device/device_io.h"

namespace tolven::dev {

class Win32DeviceIo : public DeviceIo {
 public:
  Handle OpenDevice(WStringView path, uint32_t access, uint32_t share, uint32_t flags) override;
  bool Control(Handle device, uint32_t code, const void *in, uint32_t inSize, void *out,
               uint32_t outSize, uint32_t *returned) override;
  Handle NewEvent(bool manualReset, bool initialState) override;
  bool CloseHandle(Handle handle) override;
  uint32_t LastError() const override { return lastError_; }

 private:
  uint32_t lastError_ = 0;
};

}  // namespace tolven::dev
