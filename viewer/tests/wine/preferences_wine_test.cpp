// The preferences sheet on Windows or under Wine and Xvfb, with the system's
// own property sheet, hotkey control, hotkeys, screensaver flag, shell link
// and registry: open it, tick "Disable Screensaver" and "Place Icon on
// Launch Bar" and apply (the shortcut is placed), bind a hotkey
// and apply (registered with the system), bind a combination another
// window holds (marked as in use on the page), close with OK. Screenshots
// of both pages go beside this program as preferences-*-en-US.bmp.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/hotkeys/win32_system_hotkeys.h"
#include "platform/messagebox/win32_message_boxes.h"
#include "platform/registry/win32_registry.h"
#include "platform/screensaver/win32_screensaver.h"
#include "platform/shelllink/win32_shell_links.h"
#include "tests/wine/beside.h"
#include "tests/wine/screenshot.h"
#include "viewer/app/preference_ids.h"
#include "viewer/app/preferences_sheet.h"
#include "viewer/core/viewer_controller.h"
#include "viewer/win32/win32_sheet_runner.h"

namespace {

using namespace tolven;
using namespace tolven::viewer;

// No driver module here: the controller stays unbound.
class NoLibrary : public ControlLibrary {
 public:
  bool Load() override { return false; }
  bool HasExport() override { return false; }
  control::IControlFactory *GetVarnInterface() override { return nullptr; }
  void Free() override {}
};

class NoView : public ControllerView {
 public:
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void ApplyLayout(int32_t) override {}
  void Show(uint32_t) override {}
  void OpenPanel(Panel, Point) override {}
  bool PanelOpen(Panel) override { return false; }
  Point CursorPosition() override { return {}; }
  bool ReportProgress(int32_t, int32_t) override { return true; }
  void PostRepaintVideo() override {}
};

HWND MakeWindow(const wchar_t *name) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"PreferencesTestWindow";
  RegisterClassW(&cls);
  return CreateWindowExW(0, cls.lpszClassName, name, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         cls.hInstance, nullptr);
}

int64_t Dword(const std::wstring &path, const wchar_t *name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD value = 0, size = sizeof value, type = 0;
  const bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) ==
                      ERROR_SUCCESS && type == REG_DWORD;
  RegCloseKey(key);
  return ok ? static_cast<int64_t>(value) : -1;
}

const std::wstring kApp = L"Software\\Quillon\\Varn\\ViewerApp";

// The steps run one per timer tick inside the sheet's modal loop.
std::vector<std::function<void(HWND sheet)>> *steps = nullptr;
size_t nextStep = 0;
bool sheetSeen = false;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND sheet = FindWindowW(nullptr, L"General Preferences");
  if (!sheet || !IsWindowVisible(sheet) || nextStep >= steps->size()) return;
  sheetSeen = true;
  (*steps)[nextStep++](sheet);
}

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void Click(HWND sheet, int control) { SendMessageW(GetDlgItem(Page(sheet), control), BM_CLICK, 0, 0); }

void Shoot(HWND sheet, const wchar_t *file) {
  RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
  RECT r;
  GetWindowRect(sheet, &r);
  EXPECT_TRUE(winetest::SaveScreenArea(r, winetest::Beside(file)));
}

std::wstring Name(hk::SystemHotkeys &hotkeys, uint32_t key) {
  const WString name = hotkeys.KeyName(key, false);
  return std::wstring(name.begin(), name.end());
}

std::wstring ListLine(HWND sheet, int index) {
  HWND list = GetDlgItem(Page(sheet), IDC_HOTKEY_LIST);
  wchar_t text[256] = {};
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(PreferencesSheet, OpenChangeApplyAndClose) {
  // A fresh start: no hotkeys stored, the screensaver on.
  reg::Win32Registry registry;
  reg::DeleteTree(registry, reg::kCurrentUser, u"Software\\Quillon\\Varn\\ViewerApp");
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0));
  // A Quick Launch folder, as the shell's group conversion records it.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring quickLaunch = std::wstring(temp) + L"Quick Launch";
  CreateDirectoryW(quickLaunch.c_str(), nullptr);
  const std::wstring shortcut = quickLaunch + L"\\Viewer.LNK";
  DeleteFileW(shortcut.c_str());
  HKEY groups = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &groups, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(groups, L"Quick Launch", 0, REG_SZ, reinterpret_cast<const BYTE *>(quickLaunch.c_str()),
                 static_cast<DWORD>((quickLaunch.size() + 1) * sizeof(wchar_t)));

  desk::Win32Screensaver screensaver;
  hk::Win32SystemHotkeys hotkeys;
  lnk::Win32ShellLinks links;
  ui::Win32MessageBoxes messages;
  NoLibrary library;
  NoView view;
  CInterfaceHolder holder(library);
  CViewerController controller(holder, view, messages, nullptr);
  CViewerSettings settings(registry);
  settings.Load();
  ASSERT_TRUE(settings.quickLaunchAvailable);
  CScreensaverOption option(screensaver, registry, settings);
  CHotkeyBindings bindings(registry, hotkeys);

  HWND main = MakeWindow(L"Varn Viewer");
  HWND other = MakeWindow(L"Another program");
  ASSERT_TRUE(main && other);
  // Another program holds Ctrl+Alt+F8.
  ASSERT_TRUE(RegisterHotKey(other, 0x1234, MOD_CONTROL | MOD_ALT, VK_F8));

  CSettingsPage settingsPage(settings, controller, option, links, false);
  CHotkeyPage hotkeyPage(bindings, settings, reinterpret_cast<hk::Window>(main));

  std::vector<std::function<void(HWND)>> script = {
      [](HWND sheet) { Shoot(sheet, L"preferences-settings-en-US.bmp"); },
      [](HWND sheet) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Page(sheet), IDC_SET_LAUNCH_BAR)));
        Click(sheet, IDC_SET_SCREENSAVER);
        Click(sheet, IDC_SET_HIDE_MAX);
        Click(sheet, IDC_SET_LAUNCH_BAR);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, 0x3021)));  // Apply
        SendMessageW(sheet, PSM_APPLY, 0, 0);
      },
      [](HWND sheet) {
        EXPECT_FALSE(desk::Win32Screensaver::IsActive());
        EXPECT_EQ(Dword(kApp, L"Screensaver"), 1);
        EXPECT_EQ(Dword(kApp, L"Hide Max"), 1);
        EXPECT_EQ(Dword(kApp, L"Launch Bar"), 1);
        SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
      },
      [](HWND sheet) {
        HWND page = Page(sheet);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_HOTKEY_ASSIGN)));
        Click(sheet, IDC_HOTKEY_ENABLE);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_HOTKEY_ASSIGN)));
        SendDlgItemMessageW(page, IDC_HOTKEY_COMMANDS, CB_SETCURSEL, kHotkeyMaximize, 0);
        SendDlgItemMessageW(page, IDC_HOTKEY_KEY, HKM_SETHOTKEY, MAKEWORD(VK_F7, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        Click(sheet, IDC_HOTKEY_ASSIGN);
        SendDlgItemMessageW(page, IDC_HOTKEY_COMMANDS, CB_SETCURSEL, kHotkeyMute, 0);
        SendDlgItemMessageW(page, IDC_HOTKEY_KEY, HKM_SETHOTKEY, MAKEWORD(VK_F8, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        Click(sheet, IDC_HOTKEY_ASSIGN);
        // The same combination again, for another command: refused.
        SendDlgItemMessageW(page, IDC_HOTKEY_COMMANDS, CB_SETCURSEL, kHotkeyVolumeUp, 0);
        Click(sheet, IDC_HOTKEY_ASSIGN);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_HOTKEY_LIST, LB_GETCOUNT, 0, 0), 2);
        SendMessageW(sheet, PSM_APPLY, 0, 0);
      },
      [&](HWND sheet) {
        // The keyboard's own key names (Wine names them after the X keys).
        const std::wstring keys = Name(hotkeys, VK_CONTROL) + L" + " + Name(hotkeys, VK_MENU) + L" + ";
        EXPECT_EQ(ListLine(sheet, 0), keys + Name(hotkeys, VK_F8) + L" = Mute volume (in use)");
        EXPECT_EQ(ListLine(sheet, 1), keys + Name(hotkeys, VK_F7) + L" = Maximize/restore ");
        EXPECT_FALSE(Name(hotkeys, VK_F7).empty());
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(Page(sheet), IDC_HOTKEY_NOTE)));
        Shoot(sheet, L"preferences-hotkeys-en-US.bmp");
      },
      [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); },
  };
  steps = &script;
  nextStep = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, Tick);
  CPreferencesSheet sheet(settingsPage, hotkeyPage);
  viewer::win::Win32SheetRunner runner;
  EXPECT_TRUE(sheet.Run(runner, reinterpret_cast<ui::Window>(main)));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(sheetSeen);
  EXPECT_EQ(nextStep, script.size());

  // Stored and registered: Ctrl+Alt+F7 now belongs to the viewer's window.
  const std::wstring hotkeysKey = kApp + L"\\Hotkeys";
  EXPECT_EQ(Dword(kApp, L"Enable hotkeys"), 1);
  EXPECT_EQ(Dword(hotkeysKey + L"\\8", L"VirtualKey"), 0x600 | VK_F7);
  EXPECT_EQ(Dword(hotkeysKey + L"\\8", L"Control"), 1);
  EXPECT_EQ(Dword(hotkeysKey + L"\\8", L"Alt"), 1);
  EXPECT_NE(Dword(hotkeysKey + L"\\8", L"HotKeyAtom"), 0);
  EXPECT_EQ(Dword(hotkeysKey + L"\\4", L"HotKeyAtom"), 0);
  EXPECT_EQ(Dword(hotkeysKey + L"\\0", L"VirtualKey"), 0);
  EXPECT_FALSE(RegisterHotKey(other, 0x1235, MOD_CONTROL | MOD_ALT, VK_F7));
  EXPECT_EQ(bindings.CommandFor(static_cast<uint32_t>(Dword(hotkeysKey + L"\\8", L"HotKeyAtom"))), kHotkeyMaximize);

  // Exit: unregistered, the screensaver back on.
  bindings.Unregister(reinterpret_cast<hk::Window>(main));
  option.Restore();
  EXPECT_TRUE(desk::Win32Screensaver::IsActive());
  EXPECT_EQ(Dword(hotkeysKey + L"\\8", L"HotKeyAtom"), 0);
  EXPECT_TRUE(RegisterHotKey(other, 0x1235, MOD_CONTROL | MOD_ALT, VK_F7));
  UnregisterHotKey(other, 0x1235);
  UnregisterHotKey(other, 0x1234);
  // The shortcut the Settings page placed.
  EXPECT_NE(GetFileAttributesW(shortcut.c_str()), INVALID_FILE_ATTRIBUTES) << "no Viewer.LNK in Quick Launch";
  DeleteFileW(shortcut.c_str());
  RemoveDirectoryW(quickLaunch.c_str());
  RegDeleteValueW(groups, L"Quick Launch");
  RegCloseKey(groups);
  DestroyWindow(main);
  DestroyWindow(other);
}

}  // namespace
