// tolvenk.sys as the kernel service "tolvenk" on a real service manager:
// installed and started through the user-mode kernel link, its registry
// values, its device as user mode sees it, and stop and delete.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver/core/config_store.h"
#include "driver/core/kernel_link.h"
#include "kernel/vc/vc_ioctl.h"
#include "platform/win32_platform.h"

namespace tolven {
namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Under Wine a device handle exists before the driver has answered the open.
bool RunningOnWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

class KernelService : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring target = std::wstring(system) + L"\\drivers\\tolvenk.sys";
    profile_ = OpenServiceProfile(kKernelServiceName);
    ASSERT_NE(profile_, nullptr);
    RemoveService(ports(), profile_);  // whatever an earlier run left
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"tolvenk.sys").c_str(), target.c_str(), FALSE))
        << GetLastError();
    ASSERT_TRUE(InstallAndStartService(ports(), profile_, nullptr, nullptr));
  }
  void TearDown() override {
    EXPECT_TRUE(RemoveService(ports(), profile_));
    CloseServiceProfile(ports(), profile_);
  }
  Ports ports() { return Win32Platform::Instance().ports(); }

  HANDLE OpenDevice() {
    return CreateFileW(L"\\\\.\\VidCap0", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED, nullptr);
  }

  ServiceProfile *profile_ = nullptr;
};

// One request on an overlapped handle. Answers the Windows error (0 for
// success), or ERROR_IO_PENDING with the request left running on `ov`.
DWORD Ioctl(HANDLE h, DWORD code, const void *in, DWORD inSize, void *out, DWORD outSize,
            DWORD *returned, OVERLAPPED *ov) {
  *returned = 0;
  if (DeviceIoControl(h, code, const_cast<void *>(in), inSize, out, outSize, returned, ov))
    return 0;
  DWORD error = GetLastError();
  if (error != ERROR_IO_PENDING) return error;
  // Answered at once after all, or really pending.
  if (WaitForSingleObject(ov->hEvent, 0) != WAIT_OBJECT_0) return ERROR_IO_PENDING;
  return GetOverlappedResult(h, ov, returned, FALSE) ? 0 : GetLastError();
}

class Request {
 public:
  Request() { ov_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  ~Request() { CloseHandle(ov_.hEvent); }
  DWORD Send(HANDLE h, DWORD code, DWORD inSize, DWORD outSize) {
    return Ioctl(h, code, in, inSize, out, outSize, &returned, &ov_);
  }
  // The final answer of a pending request, waiting at most five seconds.
  DWORD Finish(HANDLE h) {
    if (WaitForSingleObject(ov_.hEvent, 5000) != WAIT_OBJECT_0) return WAIT_TIMEOUT;
    return GetOverlappedResult(h, &ov_, &returned, FALSE) ? 0 : GetLastError();
  }
  DWORD in[16] = {};
  DWORD out[16] = {};
  DWORD returned = 0;

 private:
  OVERLAPPED ov_ = {};
};

TEST_F(KernelService, StartedServiceReportsItsDevice) {
  EXPECT_TRUE(IsServiceRunning(ports(), profile_));
  ConfigStore store(ports().registry, kKernelServiceName);
  WString name;
  EXPECT_TRUE(store.ReadParameterString(u"DeviceName", &name));
  EXPECT_EQ(name, u"VidCap0");
  uint32_t installError = 1;
  EXPECT_TRUE(store.ReadParameterDword(u"InstallError", &installError));
  EXPECT_EQ(installError, 0u);
}

TEST_F(KernelService, TheDeviceLinkIsExclusive) {
  DeviceLink *first = OpenDeviceLink(ports(), kKernelServiceName, 0);
  ASSERT_NE(first, nullptr);
  DeviceLink *second = OpenDeviceLink(ports(), kKernelServiceName, 0);
  if (second) {
    // Wine hands out the handle; the driver refused the open, so it refuses
    // every request on it, and its close leaves the first holder's claim.
    EXPECT_TRUE(RunningOnWine());
    EXPECT_FALSE(DeviceLinkControl(ports(), second, IOCTL_VC_GET_OVERLAY_MODE, nullptr, 0, nullptr, 0));
    CloseDeviceLink(ports(), second);
    HANDLE third = OpenDevice();
    if (third != INVALID_HANDLE_VALUE) {
      Request r;
      EXPECT_EQ(r.Send(third, IOCTL_VC_GET_OVERLAY_MODE, 0, 4), static_cast<DWORD>(ERROR_INVALID_HANDLE));
      CloseHandle(third);
    }
  } else {
    EXPECT_EQ(ports().devices.LastError(), static_cast<uint32_t>(ERROR_BUSY));
  }
  CloseDeviceLink(ports(), first);
  DeviceLink *again = OpenDeviceLink(ports(), kKernelServiceName, 0);
  ASSERT_NE(again, nullptr);
  CloseDeviceLink(ports(), again);
}

TEST_F(KernelService, DeviceControlAnswers) {
  HANDLE h = OpenDevice();
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
  Request r;
  r.out[0] = 99;
  EXPECT_EQ(r.Send(h, IOCTL_VC_GET_OVERLAY_MODE, 0, 4), 0u);
  EXPECT_EQ(r.returned, 4u);
  EXPECT_EQ(r.out[0], 0u);
  EXPECT_EQ(Request().Send(h, IOCTL_VC_GET_OVERLAY_MODE, 0, 3), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_GET_KEY_COLOUR, 0, 4), 0u);
  EXPECT_EQ(Request().Send(h, IOCTL_VC_GET_POSITION, 0, 4), 0u);

  Request format;
  format.in[0] = 4;
  EXPECT_EQ(format.Send(h, IOCTL_VC_CONFIG_FORMAT, 4, 0), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  format.in[0] = 8;
  EXPECT_EQ(format.Send(h, IOCTL_VC_CONFIG_FORMAT, 4, 0), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_OVERLAY_ON, 0, 0), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_OVERLAY_RECTS, 19, 0), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  EXPECT_EQ(Request().Send(h, IOCTL_VC_STREAM_START, 0, 0), static_cast<DWORD>(ERROR_BAD_COMMAND));
  Request init;
  init.in[0] = 33333;
  EXPECT_EQ(init.Send(h, IOCTL_VC_STREAM_INIT, 4, 0), static_cast<DWORD>(ERROR_IO_DEVICE));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_STREAM_START, 0, 0), static_cast<DWORD>(ERROR_IO_DEVICE));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_STREAM_RESET, 0, 0), 0u);
  EXPECT_EQ(Request().Send(h, IOCTL_VC_STREAM_FINI, 0, 0), static_cast<DWORD>(ERROR_IO_DEVICE));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_DRAW_FRAME, 32, 0), static_cast<DWORD>(ERROR_IO_DEVICE));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_ADD_BUFFER, 39, 40), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_PARTIAL_START, 0, 0), static_cast<DWORD>(ERROR_IO_DEVICE));
  EXPECT_EQ(Request().Send(h, IOCTL_VC_PARTIAL_END, 0, 0), 0u);
  EXPECT_EQ(Request().Send(h, 0x1D0868, 0, 0), static_cast<DWORD>(ERROR_INVALID_FUNCTION));
  CloseHandle(h);
}

TEST_F(KernelService, PendingRequestsAreCancelled) {
  HANDLE h = OpenDevice();
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
  static BYTE frame[64];
  Request buffer, waiter;
  buffer.in[0] = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(frame));
  buffer.in[1] = sizeof frame;
  ASSERT_EQ(buffer.Send(h, IOCTL_VC_ADD_BUFFER, 40, 40), static_cast<DWORD>(ERROR_IO_PENDING));
  ASSERT_EQ(waiter.Send(h, IOCTL_VC_WAIT_ERROR, 0, 4), static_cast<DWORD>(ERROR_IO_PENDING));
  EXPECT_TRUE(CancelIo(h));
  EXPECT_EQ(buffer.Finish(h), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
  EXPECT_EQ(waiter.Finish(h), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
  CloseHandle(h);
}

TEST_F(KernelService, PendingRequestsCompleteWhenTheHandleCloses) {
  // Windows sends the close only once no request holds the file, and cancels
  // a thread's requests when it exits; Wine sends it with the last handle.
  if (!RunningOnWine()) GTEST_SKIP() << "the close waits for the pending requests here";
  HANDLE h = OpenDevice();
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
  static BYTE frame[64];
  Request buffer, waiter;
  buffer.in[0] = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(frame));
  buffer.in[1] = sizeof frame;
  ASSERT_EQ(buffer.Send(h, IOCTL_VC_ADD_BUFFER, 40, 40), static_cast<DWORD>(ERROR_IO_PENDING));
  ASSERT_EQ(waiter.Send(h, IOCTL_VC_WAIT_ERROR, 0, 4), static_cast<DWORD>(ERROR_IO_PENDING));
  CloseHandle(h);
  EXPECT_EQ(buffer.Finish(h), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
  EXPECT_EQ(waiter.Finish(h), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
  // The device is free again.
  HANDLE again = OpenDevice();
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  if (again != INVALID_HANDLE_VALUE) {
    EXPECT_EQ(Request().Send(again, IOCTL_VC_GET_OVERLAY_MODE, 0, 4), 0u);
    CloseHandle(again);
  }
}

TEST_F(KernelService, StopAndDeleteTakeTheDeviceAway) {
  EXPECT_TRUE(RemoveService(ports(), profile_));
  EXPECT_FALSE(IsServiceRunning(ports(), profile_));
  EXPECT_EQ(OpenDeviceLink(ports(), kKernelServiceName, 0), nullptr);
  HANDLE h = OpenDevice();
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  // TearDown removes it again: removing an absent service answers true.
}

}  // namespace
}  // namespace tolven
