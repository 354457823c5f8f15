// The installed Viewer.exe's hotkeys and screensaver option, on Windows or
// under Wine and Xvfb: a stored binding is registered at start-up (the
// combination is then the viewer's), WM_HOTKEY with its atom maximizes and
// restores the window, and exit gives the combination back; the
// power-management switches go to 0 while the viewer runs, come back at
// exit, and after the viewer was killed the next start puts them back.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <string>

#include "tests/wine/beside.h"
#include "viewer/demo/viewer_session.h"

namespace {

using tolven::viewer::demo::Pump;
using tolven::viewer::demo::ViewerSession;
using tolven::winetest::Beside;

const std::wstring kApp = L"Software\\Quillon\\Varn\\ViewerApp";
const std::wstring kHotkeys = kApp + L"\\Hotkeys";
const std::wstring kPower = L"Software\\Olvane Software\\Tessary\\Power Management";

std::wstring InstallFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"Caldra One Viewer Options Test";
}

void Put(const std::wstring &path, const wchar_t *name, DWORD value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
  RegCloseKey(key);
}

int64_t Get(const std::wstring &path, const wchar_t *name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD value = 0, size = sizeof value, type = 0;
  const bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) ==
                      ERROR_SUCCESS && type == REG_DWORD;
  RegCloseKey(key);
  return ok ? static_cast<int64_t>(value) : -1;
}

// The viewer's keys and the power-management product's, gone.
void Forget() {
  for (int i = 0; i < 9; ++i) RegDeleteKeyW(HKEY_CURRENT_USER, (kHotkeys + L"\\" + std::to_wstring(i)).c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kHotkeys.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kApp.c_str());
  for (const wchar_t *sub : {L"\\EnablePowerManagement", L"\\ShutOff", L"\\Standby"})
    RegDeleteKeyW(HKEY_CURRENT_USER, (kPower + sub).c_str());
}

HWND MakeWindow() {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"OptionsTestWindow";
  RegisterClassW(&cls);
  return CreateWindowExW(0, cls.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                         cls.hInstance, nullptr);
}

// Pumps until the window is zoomed (or not), at most five seconds.
bool WaitZoomed(HWND window, bool zoomed) {
  for (int i = 0; i < 100; ++i) {
    if ((IsZoomed(window) != FALSE) == zoomed) return true;
    Pump(50);
  }
  return false;
}

// Start-up's last step has run once the ViewerApp key holds `value` as
// `name` (the capture connection before it takes a while); at most 30 s.
bool WaitFor(const std::wstring &path, const wchar_t *name, int64_t value) {
  for (int i = 0; i < 600; ++i) {
    if (Get(path, name) == value) return true;
    Pump(50);
  }
  return false;
}

class ViewerOptionsExe : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Forget();
    ASSERT_EQ(installer_.Install(), 0u);
    ASSERT_TRUE(installer_.UseStandIn(Beside(L"tolvencard.dll")));
  }
  void TearDown() override {
    installer_.Uninstall();
    installer_.ForgetStandIn();
    Forget();
    CoUninitialize();
  }
  ViewerSession installer_{Beside(L""), InstallFolder()};
};

TEST_F(ViewerOptionsExe, HotkeysAndTheScreensaverOptionAcrossAnExitAndACrash) {
  // "Maximize/restore" on Ctrl+Alt+F9; hotkeys and the screensaver option on;
  // the power-management product with its switches on.
  Put(kApp, L"Enable hotkeys", 1);
  Put(kApp, L"Screensaver", 1);
  Put(kHotkeys + L"\\8", L"Hotkey", 8);
  Put(kHotkeys + L"\\8", L"VirtualKey", 0x600 | VK_F9);
  Put(kHotkeys + L"\\8", L"Control", 1);
  Put(kHotkeys + L"\\8", L"Alt", 1);
  Put(kHotkeys + L"\\8", L"Shift", 0);
  Put(kHotkeys + L"\\8", L"Win", 0);
  Put(kPower + L"\\EnablePowerManagement", L"", 0);
  Put(kPower + L"\\ShutOff", L"ShutOffEnabled", 1);
  Put(kPower + L"\\Standby", L"StandbyEnabled", 1);
  HWND other = MakeWindow();
  ASSERT_TRUE(other);

  {
    ViewerSession run{Beside(L""), InstallFolder()};
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(WaitFor(kApp, L"Restore Screensaver", 1)) << "start-up did not switch the screensaver off";
    const int64_t atom = Get(kHotkeys + L"\\8", L"HotKeyAtom");
    EXPECT_GE(atom, 0xC000);
    EXPECT_FALSE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, VK_F9)) << "the viewer holds Ctrl+Alt+F9";
    EXPECT_EQ(Get(kPower + L"\\ShutOff", L"ShutOffEnabled"), 0);
    EXPECT_EQ(Get(kPower + L"\\Standby", L"StandbyEnabled"), 0);
    EXPECT_EQ(Get(kApp, L"Restore Screensaver"), 1);

    PostMessageW(run.Main(), WM_HOTKEY, static_cast<WPARAM>(atom), MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F9));
    EXPECT_TRUE(WaitZoomed(run.Main(), true)) << "the hotkey did not maximize";
    PostMessageW(run.Main(), WM_HOTKEY, static_cast<WPARAM>(atom), MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F9));
    EXPECT_TRUE(WaitZoomed(run.Main(), false)) << "the hotkey did not restore";
    PostMessageW(run.Main(), WM_HOTKEY, 0x1234, 0);  // no command's atom: nothing
    Pump(300);
    EXPECT_FALSE(IsZoomed(run.Main()));

    EXPECT_EQ(run.Close(30000), 0u);
    EXPECT_EQ(Get(kHotkeys + L"\\8", L"HotKeyAtom"), 0);
    EXPECT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, VK_F9)) << "exit gave the combination back";
    UnregisterHotKey(other, 1);
    EXPECT_EQ(Get(kPower + L"\\ShutOff", L"ShutOffEnabled"), 1);
    EXPECT_EQ(Get(kPower + L"\\Standby", L"StandbyEnabled"), 1);
    EXPECT_EQ(Get(kApp, L"Restore Screensaver"), -1);
  }

  {
    // Killed while the switches are off.
    ViewerSession run{Beside(L""), InstallFolder()};
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(WaitFor(kPower + L"\\ShutOff", L"ShutOffEnabled", 0));
    DWORD id = 0;
    GetWindowThreadProcessId(run.Main(), &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    ASSERT_TRUE(process);
    TerminateProcess(process, 9);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
    EXPECT_EQ(Get(kPower + L"\\ShutOff", L"ShutOffEnabled"), 0);
    EXPECT_EQ(Get(kApp, L"Restore Screensaver"), 1);
  }

  {
    // The user turns the option off; the next start restores the switches.
    Put(kApp, L"Screensaver", 0);
    ViewerSession run{Beside(L""), InstallFolder()};
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(WaitFor(kPower + L"\\ShutOff", L"ShutOffEnabled", 1));
    EXPECT_EQ(Get(kPower + L"\\Standby", L"StandbyEnabled"), 1);
    EXPECT_EQ(Get(kApp, L"Restore Screensaver"), -1);
    EXPECT_EQ(run.Close(30000), 0u);
    EXPECT_EQ(Get(kPower + L"\\ShutOff", L"ShutOffEnabled"), 1);
  }
  DestroyWindow(other);
}

}  // namespace
