// A machine with the Caldra One installed for a Windows test program: the
// driver files in the system folders, the kernel service "tolvenk" running,
// the capture driver registered with Video for Windows as the setup's INF
// registers it (Drivers32 "MSVIDEO" = "tolvenu.dll"), and the virtual card
// (tolvencard.dll) named by "DisplayStandIn" in place of a display driver.
// Everything it added is taken away again when it ends.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "driver/link/kernel_link.h"
#include "platform/win32_platform.h"
#include "tests/wine/beside.h"

namespace tolven::winetest {

inline constexpr wchar_t kDrivers32Key[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";
inline constexpr wchar_t kTolvenkParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";

class CardMachine {
 public:
  CardMachine() : ports_(Win32Platform::Instance().ports()) {
    const std::wstring system = SystemFolder();
    ready_ = CopyFileW(Beside(L"tolvenk.sys").c_str(), (system + L"\\drivers\\tolvenk.sys").c_str(), FALSE) &&
             CopyFileW(Beside(L"tolvenu.dll").c_str(), (system + L"\\tolvenu.dll").c_str(), FALSE) &&
             CopyFileW(Beside(L"tolvencard.dll").c_str(), (system + L"\\tolvencard.dll").c_str(), FALSE);
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    ready_ = ready_ && InstallAndStartService(ports_, profile, nullptr, nullptr);
    CloseServiceProfile(ports_, profile);
    ready_ = ready_ && SetString(kTolvenkParametersKey, L"DisplayStandIn", system + L"\\tolvencard.dll") &&
             SetString(kDrivers32Key, L"MSVIDEO", L"tolvenu.dll");
  }
  ~CardMachine() {
    DeleteValue(kDrivers32Key, L"MSVIDEO");
    DeleteValue(kTolvenkParametersKey, L"DisplayStandIn");
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(ports_, profile);
    CloseServiceProfile(ports_, profile);
  }
  CardMachine(const CardMachine &) = delete;
  CardMachine &operator=(const CardMachine &) = delete;

  bool Ready() const { return ready_; }

  static std::wstring SystemFolder() {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return system;
  }
  static bool SetString(const wchar_t *path, const wchar_t *name, const std::wstring &value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return false;
    const LONG status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }
  static void DeleteValue(const wchar_t *path, const wchar_t *name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
  }

 private:
  Ports ports_;
  bool ready_ = false;
};

// A visible top-level window for capture windows to live in.
class TestFrame {
 public:
  TestFrame() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = L"TolvenTestFrame";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, L"TolvenTestFrame", L"Capture window test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                              40, 480, 360, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump();
  }
  ~TestFrame() {
    if (window_) DestroyWindow(window_);
  }
  TestFrame(const TestFrame &) = delete;
  TestFrame &operator=(const TestFrame &) = delete;
  HWND window() const { return window_; }
  // Delivers what is waiting for this thread's windows.
  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace tolven::winetest
