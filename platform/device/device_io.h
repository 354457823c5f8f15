// Device port: opening a kernel device by its DOS path (\\.\<name>), device
// control on it, and the unnamed events a device link keeps. Handles are
// opaque; kInvalidHandle or 0 means failure and LastError() holds the
// Windows error code.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::dev {

using Handle = uintptr_t;
inline constexpr Handle kInvalidHandle = ~static_cast<Handle>(0);

enum Access : uint32_t { kGenericRead = 0x80000000u, kGenericWrite = 0x40000000u };
enum Flags : uint32_t { kFlagOverlapped = 0x40000000u };

class DeviceIo {
 public:
  virtual ~DeviceIo() = default;
  // CreateFile with OPEN_EXISTING and no template; share 0 asks for an
  // exclusive open.
  virtual Handle OpenDevice(WStringView path, uint32_t access, uint32_t share, uint32_t flags) = 0;
  // One device-control request, waited for even on an overlapped handle.
  virtual bool Control(Handle device, uint32_t code, const void *in, uint32_t inSize, void *out,
                       uint32_t outSize, uint32_t *returned) = 0;
  virtual Handle NewEvent(bool manualReset, bool initialState) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  virtual uint32_t LastError() const = 0;
};

}  // namespace tolven::dev
