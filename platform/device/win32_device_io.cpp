#include "platform/device/win32_device_io.h"

#include <windows.h>

namespace tolven::dev {

Handle Win32DeviceIo::OpenDevice(WStringView path, uint32_t access, uint32_t share,
                                 uint32_t flags) {
  std::wstring z(path.begin(), path.end());
  HANDLE h = CreateFileW(z.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr);
  lastError_ = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  return reinterpret_cast<Handle>(h);
}

bool Win32DeviceIo::Control(Handle device, uint32_t code, const void *in, uint32_t inSize,
                            void *out, uint32_t outSize, uint32_t *returned) {
  // The device may have been opened for overlapped use: give the request its
  // own event and wait for it, so the call is synchronous either way.
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!overlapped.hEvent) {
    lastError_ = GetLastError();
    return false;
  }
  DWORD got = 0;
  BOOL ok = DeviceIoControl(reinterpret_cast<HANDLE>(device), code, const_cast<void *>(in), inSize,
                            out, outSize, &got, &overlapped);
  if (!ok && GetLastError() == ERROR_IO_PENDING)
    ok = GetOverlappedResult(reinterpret_cast<HANDLE>(device), &overlapped, &got, TRUE);
  lastError_ = ok ? 0 : GetLastError();
  ::CloseHandle(overlapped.hEvent);
  if (returned) *returned = got;
  return ok != FALSE;
}

Handle Win32DeviceIo::NewEvent(bool manualReset, bool initialState) {
  HANDLE h = CreateEventW(nullptr, manualReset, initialState, nullptr);
  lastError_ = h ? 0 : GetLastError();
  return reinterpret_cast<Handle>(h);
}

bool Win32DeviceIo::CloseHandle(Handle handle) {
  bool ok = ::CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
  lastError_ = ok ? 0 : GetLastError();
  return ok;
}

}  // namespace tolven::dev
