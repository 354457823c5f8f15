// The hotkey, screensaver and shell-link ports' contract cases over the
// Win32 adapters, on Windows or under Wine and Xvfb.
#include <windows.h>

#include "platform/contract/desktop_contract_cases.h"
#include "platform/hotkeys/win32_system_hotkeys.h"
#include "platform/screensaver/win32_screensaver.h"
#include "platform/shelllink/win32_shell_links.h"

namespace tolven::contract {
namespace {

HWND MakeWindow() {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"DesktopContractWindow";
  RegisterClassW(&cls);
  return CreateWindowExW(0, cls.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                         cls.hInstance, nullptr);
}

class Win32Desk {
 public:
  Win32Desk() : a_(MakeWindow()), b_(MakeWindow()) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"desktop contract";
    CreateDirectoryW(folder_.c_str(), nullptr);
    saved_ = desk::Win32Screensaver::IsActive();
  }
  ~Win32Desk() {
    DeleteFileW((folder_ + L"\\Contract.LNK").c_str());
    RemoveDirectoryW(folder_.c_str());
    screensaver_.SetActive(saved_);
    DestroyWindow(a_);
    DestroyWindow(b_);
  }
  hk::SystemHotkeys &Hotkeys() { return hotkeys_; }
  hk::Window WindowA() { return reinterpret_cast<hk::Window>(a_); }
  hk::Window WindowB() { return reinterpret_cast<hk::Window>(b_); }
  desk::Screensaver &Screensaver() { return screensaver_; }
  bool ScreensaverActive() { return desk::Win32Screensaver::IsActive(); }
  lnk::ShellLinks &Links() { return links_; }
  WString Folder() { return WString(reinterpret_cast<const char16_t *>(folder_.c_str())); }
  bool LinkExists(const WString &path) {
    return GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.c_str())) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  HWND a_, b_;
  std::wstring folder_;
  bool saved_ = true;
  hk::Win32SystemHotkeys hotkeys_;
  desk::Win32Screensaver screensaver_;
  lnk::Win32ShellLinks links_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DesktopContract, Win32Desk);

}  // namespace
}  // namespace tolven::contract
