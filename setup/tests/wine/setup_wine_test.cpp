// ardensetup.dll and ardenremove.dll as a setup program uses them, on
// Windows or Wine under Xvfb: the built files are copied into a folder,
// InstallVFW runs from it and meanwhile a second thread drives the Driver
// Settings dialog that DRV_CONFIGURE opens (country, signal type, OK) and
// saves a picture of it; then the service, the registrations and the stored
// choice are checked, the driver is opened through its registration with a
// channel on the virtual card, and UninstInitialize takes everything away.
//
// Pictures of the dialog (one per language) are written beside this program
// as driver-settings-en-US.bmp and driver-settings-en-GB.bmp.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "driver/core/vfw_records.h"
#include "tests/wine/screenshot.h"

namespace {

using InstallVfwProc = BYTE(WINAPI *)(HWND, DWORD, DWORD, LPCSTR, DWORD);
using UninstProc = LONG(WINAPI *)(DWORD, DWORD, DWORD);

const wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
const wchar_t kServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk";
const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";
constexpr int kTypeList = 1008;
constexpr int kOriginList = 1010;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  return system;
}

bool CopyInto(const std::wstring &file, const std::wstring &target) {
  return CopyFileW((ProgramFolder() + L"\\" + file).c_str(), target.c_str(), FALSE) != FALSE;
}

// A value under HKEY_LOCAL_MACHINE; empty with `found` false when missing.
std::wstring StringValue(const std::wstring &path, const wchar_t *name, bool *found) {
  *found = false;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return L"";
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t), type = 0;
  LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buffer), &size);
  RegCloseKey(key);
  *found = status == ERROR_SUCCESS;
  return buffer;
}

bool DwordValue(const std::wstring &path, const wchar_t *name, DWORD *value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = sizeof *value, type = 0;
  LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD;
}

bool ValueExists(const std::wstring &path, const wchar_t *name) {
  bool found = false;
  StringValue(path, name, &found);
  return found;
}

// Writes what the window shows as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring &file) {
  RECT rect;
  return GetWindowRect(window, &rect) && tolven::winetest::SaveScreenArea(rect, file);
}

// Selects the entry with exactly this text and tells the dialog, as a user's
// choice would.
bool Choose(HWND dialog, int id, const wchar_t *text) {
  HWND list = GetDlgItem(dialog, id);
  LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text));
  if (index == CB_ERR) return false;
  SendMessageW(list, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  return true;
}

std::wstring SelectedText(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return L"";
  wchar_t buffer[256] = {};
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

// The user at the Driver Settings dialog, on its own thread.
struct DialogUser {
  DialogUser(const wchar_t *countryName, const wchar_t *typeName, std::wstring pictureFile)
      : country(countryName), type(typeName), picture(std::move(pictureFile)) {}

  const wchar_t *country;
  const wchar_t *type;
  std::wstring picture;
  // What was seen.
  std::atomic<bool> found{false};
  std::atomic<bool> chose{false};
  std::atomic<bool> pictured{false};
  std::wstring openedOnOrigin, openedOnType;
  int originCount = 0;

  void Run() {
    HWND dialog = nullptr;
    for (int i = 0; i < 600 && !dialog; ++i) {
      dialog = FindWindowW(L"#32770", L"Driver Settings");
      if (!dialog) Sleep(100);
    }
    if (!dialog) return;
    // The window exists before WM_INITDIALOG has filled it; a modal dialog
    // shows itself once that is done. (On a slow machine the difference is
    // seen: the lists were read empty.)
    for (int i = 0; i < 600 && !IsWindowVisible(dialog); ++i) Sleep(100);
    found = true;
    openedOnOrigin = SelectedText(dialog, kOriginList);
    openedOnType = SelectedText(dialog, kTypeList);
    originCount = static_cast<int>(SendDlgItemMessageW(dialog, kOriginList, CB_GETCOUNT, 0, 0));
    chose = Choose(dialog, kOriginList, country) && Choose(dialog, kTypeList, type);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    pictured = SaveWindowPicture(dialog, picture);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  }
};

// Makes resources load in `language` on this thread (where the system offers it).
void UseLanguage(LANGID language) {
  SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
  using SetUiLanguage = LANGID(WINAPI *)(LANGID);
  auto set = reinterpret_cast<SetUiLanguage>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadUILanguage")));
  if (set) set(language);
}

class SetupLibraries : public ::testing::Test {
 protected:
  // What the setup program puts in place before it calls InstallVFW; once,
  // as the driver a case opened keeps the stand-in loaded in this process.
  static void SetUpTestSuite() {
    ASSERT_TRUE(CopyInto(L"tolvenk.sys", SystemFolder() + L"\\drivers\\tolvenk.sys"));
    ASSERT_TRUE(CopyInto(L"tolvenu.dll", SystemFolder() + L"\\tolvenu.dll"));
    ASSERT_TRUE(CopyInto(L"tolvencard.dll", SystemFolder() + L"\\tolvencard.dll"));
  }
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"CaldraOneSetup";
    CreateDirectoryW(folder_.c_str(), nullptr);
    for (const wchar_t *file : {L"ardensetup.dll", L"ardenremove.dll", L"vfw.inf", L"tolvenu.dll"})
      ASSERT_TRUE(CopyInto(file, folder_ + L"\\" + file)) << "copying " << file;
    setup_ = LoadLibraryW((folder_ + L"\\ardensetup.dll").c_str());
    remove_ = LoadLibraryW((folder_ + L"\\ardenremove.dll").c_str());
    ASSERT_NE(setup_, nullptr);
    ASSERT_NE(remove_, nullptr);
    install_ = reinterpret_cast<InstallVfwProc>(
        reinterpret_cast<void *>(GetProcAddress(setup_, "InstallVFW")));
    uninstall_ = reinterpret_cast<UninstProc>(
        reinterpret_cast<void *>(GetProcAddress(remove_, "UninstInitialize")));
    uninitialize_ = reinterpret_cast<UninstProc>(
        reinterpret_cast<void *>(GetProcAddress(remove_, "UninstUnInitialize")));
    ASSERT_NE(install_, nullptr);
    ASSERT_NE(uninstall_, nullptr);
    ASSERT_NE(uninitialize_, nullptr);
  }
  void TearDown() override {
    if (uninstall_) uninstall_(0, 0, 0);
    if (setup_) FreeLibrary(setup_);
    if (remove_) FreeLibrary(remove_);
  }

  // InstallVFW from the folder while `user` answers the dialog.
  BYTE InstallAnswering(DialogUser &user) {
    std::thread thread([&user] { user.Run(); });
    std::string folder(folder_.begin(), folder_.end());
    BYTE result = install_(nullptr, 0, 0, folder.c_str(), 0);
    thread.join();
    return result;
  }

  void ExpectInstalled(DWORD country, DWORD type) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = OpenServiceW(manager, L"tolvenk", SERVICE_QUERY_STATUS);
    ASSERT_NE(service, nullptr);
    SERVICE_STATUS status{};
    EXPECT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(status.dwServiceType, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_RUNNING));  // started by OK
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    bool found = false;
    EXPECT_EQ(StringValue(kServiceKey, L"ImagePath", &found),
              L"\\SystemRoot\\SYSTEM32\\DRIVERS\\tolvenk.sys");
    EXPECT_EQ(StringValue(std::wstring(kCurrentVersion) + L"Drivers32", L"MSVIDEO", &found),
              L"tolvenu.dll");
    EXPECT_EQ(StringValue(std::wstring(kCurrentVersion) + L"drivers.desc", L"tolvenu.dll", &found),
              L"Video Capture for Caldra One");
    EXPECT_TRUE(ValueExists(std::wstring(kCurrentVersion) + L"related.desc", L"MSVIDEO"));
    EXPECT_EQ(StringValue(std::wstring(kCurrentVersion) + L"Userinstallable.drivers", L"MSVIDEO",
                          &found),
              L"tolvenu.dll");
    DWORD value = 0;
    EXPECT_TRUE(DwordValue(kParametersKey, L"InstallError", &value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(DwordValue(kParametersKey, L"tune_CountryCode", &value));
    EXPECT_EQ(value, country);
    ASSERT_TRUE(DwordValue(kParametersKey, L"tune_Type", &value));
    EXPECT_EQ(value, type);
  }

  std::wstring folder_;
  HMODULE setup_ = nullptr;
  HMODULE remove_ = nullptr;
  InstallVfwProc install_ = nullptr;
  UninstProc uninstall_ = nullptr;
  UninstProc uninitialize_ = nullptr;
};

TEST_F(SetupLibraries, InstallConfigureOpenAndRemove) {
  // English (United States): a German cable user.
  UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  DialogUser american{L"Germany", L"Cable Video", ProgramFolder() + L"\\driver-settings-en-US.bmp"};
  EXPECT_EQ(InstallAnswering(american), 1);
  ASSERT_TRUE(american.found) << "the Driver Settings dialog did not appear";
  EXPECT_TRUE(american.chose);
  EXPECT_TRUE(american.pictured);
  EXPECT_EQ(american.originCount, 218);
  EXPECT_EQ(american.openedOnType, L"Broadcast Terrestrial Video");  // nothing stored yet
  ExpectInstalled(49, 32);

  // English (United Kingdom), installing again over the first installation:
  // the dialog opens on what was stored.
  UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
  DialogUser british{L"United Kingdom (UK)", L"Broadcast Terrestrial Video",
                     ProgramFolder() + L"\\driver-settings-en-GB.bmp"};
  EXPECT_EQ(InstallAnswering(british), 1);
  ASSERT_TRUE(british.found);
  EXPECT_TRUE(british.pictured);
  // The service was replaced, so the values stored under it went with it.
  EXPECT_EQ(british.openedOnType, L"Broadcast Terrestrial Video");
  ExpectInstalled(44, 2);

  // The driver opens through its registration, with a channel on the virtual card.
  {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    std::wstring standIn = SystemFolder() + L"\\tolvencard.dll";
    RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(standIn.c_str()),
                   static_cast<DWORD>((standIn.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    tolven::vfw::VideoOpenParms parms{};
    parms.dwSize = sizeof parms;
    parms.fccType = mmioFOURCC('v', 'c', 'a', 'p');
    parms.dwVersion = 0x400;
    parms.dwFlags = tolven::vfw::kVideoExternalOut;
    parms.dwError = 0xBAD;
    HDRVR driver = OpenDriver(L"MSVIDEO", L"Drivers32", reinterpret_cast<LPARAM>(&parms));
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(parms.dwError, 0u);
    EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
  }

  // Removal: the service and every registration value go.
  EXPECT_EQ(uninstall_(0, 0, 0), 0);
  EXPECT_EQ(uninitialize_(0, 0, 0), 0);
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  ASSERT_NE(manager, nullptr);
  SC_HANDLE service = OpenServiceW(manager, L"tolvenk", SERVICE_QUERY_STATUS);
  EXPECT_EQ(service, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  EXPECT_FALSE(ValueExists(std::wstring(kCurrentVersion) + L"Drivers32", L"MSVIDEO"));
  EXPECT_FALSE(ValueExists(std::wstring(kCurrentVersion) + L"drivers.desc", L"tolvenu.dll"));
  EXPECT_FALSE(ValueExists(std::wstring(kCurrentVersion) + L"related.desc", L"MSVIDEO"));
  EXPECT_FALSE(ValueExists(std::wstring(kCurrentVersion) + L"Userinstallable.drivers", L"MSVIDEO"));
  // Nothing left to remove: a second run answers 0 as well.
  EXPECT_EQ(uninstall_(0, 0, 0), 0);
}

TEST_F(SetupLibraries, TheExportsAreFoundByTheirPlainNames) {
  EXPECT_NE(GetProcAddress(setup_, "InstallVFW"), nullptr);
  EXPECT_NE(GetProcAddress(remove_, "UninstInitialize"), nullptr);
  EXPECT_NE(GetProcAddress(remove_, "UninstUnInitialize"), nullptr);
  EXPECT_EQ(GetProcAddress(setup_, "InstallVFW@20"), nullptr);
}

}  // namespace
