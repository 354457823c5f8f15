// The Video Source sheet of the real tolvenu.dll, as a capture application
// opens it: DVM_DIALOG on an opened external-in channel, on the virtual card
// (tolvencard.dll as display stand-in) with the minimal kernel device. A
// second thread plays the user: an automatic tuning, a rename in place, a
// row moved and one removed, then two source switches (each reopening the
// sheet) and OK. Afterwards what the sheet showed is compared with the
// control interface, the channel file, varnctl.exe and the registry.
//
// Pictures (one set per language) are written beside this program as
// source-<page or dialog>-<en-US|en-GB>.bmp.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <prsht.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "driver/control/control_interface.h"
#include "driver/core/vfw_records.h"
#include "driver/link/kernel_link.h"
#include "platform/win32_platform.h"
#include "tests/wine/beside.h"
#include "tests/wine/screenshot.h"

namespace {

using namespace tolven;
using winetest::Beside;

const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";
const wchar_t kUserKey[] = L"Software\\Microsoft\\Multimedia\\Video Capture\\tolvenk";
const wchar_t kSheetCaption[] = L"Video Source Properties";
const wchar_t kAppCaption[] = L"Video Capture for Caldra One";
constexpr int kSourceList = 1058, kChannelList = 1002, kNew = 1060, kRemove = 1063, kModify = 1064,
              kAutomatic = 1003, kAutoProgress = 1010, kDontShow = 1080;
constexpr UINT kBeginRowDrag = WM_APP + 114;  // the list's row drag, as LVN_BEGINDRAG starts it

// Writes what the screen shows where the window is as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring &file) {
  RECT rect;
  return GetWindowRect(window, &rect) && tolven::winetest::SaveScreenArea(rect, file);
}

void Settle(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
}

// A visible top-level dialog with this caption other than `except`.
HWND WaitForDialog(const wchar_t *caption, HWND except = nullptr, int tenths = 300) {
  for (int i = 0; i < tenths; ++i) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32770", caption)) != nullptr)
      if (window != except && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

bool WaitGone(HWND window, int tenths = 600) {
  for (int i = 0; i < tenths && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(100);
  return !IsWindow(window) || !IsWindowVisible(window);
}

// A button press as the dialog hears it (posted: the handler may run a modal dialog).
void Click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int PageCount(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring TabText(HWND sheet, int index) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 63;
  SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::wstring CellText(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 255;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<std::wstring> Names(HWND list) {
  std::vector<std::wstring> names;
  int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < rows; ++r) names.push_back(CellText(list, r, 0));
  return names;
}

void SelectRow(HWND list, int row) {
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

POINT RowPoint(HWND list, int row) {
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
  return POINT{rect.left + 10, (rect.top + rect.bottom) / 2};
}

// Picks the source list entry whose text starts with `prefix`, as a user's
// confirmed choice (posted: the page asks a question before it returns).
bool PickSource(HWND page, const wchar_t *prefix) {
  HWND list = GetDlgItem(page, kSourceList);
  int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    if (wcsncmp(text, prefix, wcslen(prefix)) == 0) {
      SendMessageW(list, CB_SETCURSEL, i, 0);
      PostMessageW(page, WM_COMMAND, MAKEWPARAM(kSourceList, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
      return true;
    }
  }
  return false;
}

bool Answer(int button) {
  HWND box = WaitForDialog(kAppCaption, nullptr, 100);
  if (!box) return false;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return WaitGone(box);
}

// The user at the sheet, on a thread of its own.
struct SheetUser {
  std::wstring language;  // picture names
  bool full = true;       // the whole walk, or the pictures only
  std::vector<std::wstring> failures;
  std::vector<std::wstring> finalNames;
  std::vector<std::wstring> scanNames;
  int firstPages = 0, secondPages = 0, thirdPages = 0;
  bool secondHasTuner = false;
  std::wstring firstTab, thirdTab;
  int pictures = 0;

  static BOOL CALLBACK ListWindow(HWND window, LPARAM) {
    wchar_t caption[128] = {}, name[64] = {};
    GetWindowTextW(window, caption, 127);
    GetClassNameW(window, name, 63);
    if (IsWindowVisible(window)) fprintf(stderr, "window: %ls \"%ls\"\n", name, caption);
    return TRUE;
  }
  void Fail(const std::wstring &what) {
    failures.push_back(what);
    // What is on the screen, for the log.
    EnumWindows(&ListWindow, 0);
  }
  // Where the user is, for a run that hangs.
  static void Step(const char *what) {
    fprintf(stderr, "user: %s\n", what);
    fflush(stderr);
  }
  void Picture(HWND window, const wchar_t *name) {
    Settle(window);
    if (SaveWindowPicture(window, Beside((std::wstring(L"source-") + name + L"-" + language + L".bmp").c_str())))
      ++pictures;
  }

  HWND TunerList(HWND sheet) { return GetDlgItem(CurrentPage(sheet), kChannelList); }

  // Whatever happened, no sheet stays open (the request would never return).
  void Run() {
    Walk();
    for (int i = 0; i < 5; ++i) {
      HWND sheet = WaitForDialog(kSheetCaption, nullptr, 5);
      if (!sheet) break;
      PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      WaitGone(sheet, 50);
    }
  }

  void Walk() {
    HWND sheet = WaitForDialog(kSheetCaption);
    if (!sheet) return Fail(L"the sheet did not appear");
    Sleep(500);
    firstPages = PageCount(sheet);
    firstTab = TabText(sheet, static_cast<int>(SendMessageW(
                                  reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)),
                                  TCM_GETCURSEL, 0, 0)));
    HWND page = CurrentPage(sheet);
    HWND list = GetDlgItem(page, kChannelList);
    if (!list) return Fail(L"the sheet did not open on the tuner page");

    Step("sheet found");
    // Automatic tuning, pictured mid-scan.
    Click(page, kAutomatic);
    HWND scan = WaitForDialog(L"Automatic tuning");
    if (!scan) return Fail(L"no Automatic tuning dialog");
    for (int i = 0; i < 300; ++i) {
      int at = static_cast<int>(SendDlgItemMessageW(scan, kAutoProgress, PBM_GETPOS, 0, 0));
      if (at >= 30 || !IsWindow(scan)) break;
      Sleep(20);
    }
    if (IsWindow(scan)) Picture(scan, L"automatic-tuning");
    if (!WaitGone(scan, 1200)) return Fail(L"the scan did not end");
    Sleep(300);
    scanNames = Names(list);
    Picture(sheet, L"tuner");

    Step("scan done");
    // New Channel, closed without OK; Modify Channel, cancelled.
    Click(page, kNew);
    if (HWND dialog = WaitForDialog(L"New Channel")) {
      Picture(dialog, L"new-channel");
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      WaitGone(dialog);
    } else {
      Fail(L"no New Channel dialog");
    }
    SelectRow(list, 1);
    Sleep(200);
    Click(page, kModify);
    if (HWND dialog = WaitForDialog(L"Modify Channel")) {
      Picture(dialog, L"modify-channel");
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      WaitGone(dialog);
    } else {
      Fail(L"no Modify Channel dialog");
    }

    Step("dialogs pictured");
    if (full) {
      // Rename row 0 in place.
      SelectRow(list, 0);
      POINT at = RowPoint(list, 0);
      ClientToScreen(list, &at);
      SetCursorPos(at.x, at.y);
      HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
      if (!edit) {
        Fail(L"the name could not be edited in place");
      } else {
        SetWindowTextW(edit, L"Renamed in place");
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
      }
      Sleep(200);
      // Move row 4 to the top.
      SendMessageW(list, kBeginRowDrag, 4, 0);
      POINT top = RowPoint(list, 0);
      SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(top.x, top.y));
      Sleep(300);
    }

    Step("rename and move done");
    // Remove one row, answering the Delete Channel question.
    SelectRow(list, 2);
    Sleep(200);
    Click(page, kRemove);
    if (HWND ask = WaitForDialog(L"Delete Channel")) {
      Picture(ask, L"delete-channel");
      Click(ask, full ? IDYES : IDNO);
      WaitGone(ask);
    } else {
      Fail(L"no Delete Channel dialog");
    }
    Sleep(200);

    Step("removed");
    // The other pages.
    SendMessageW(sheet, PSM_SETCURSEL, 2, 0);
    Picture(sheet, L"tv-audio");
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    finalNames = Names(TunerList(sheet));
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    Picture(sheet, L"crossbar");

    if (!full) {
      PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      WaitGone(sheet);
      return;
    }

    Step("pages pictured");
    // First switch: to the composite input, keeping the changes (Yes).
    if (!PickSource(CurrentPage(sheet), L"Composite")) return Fail(L"no composite source");
    if (!Answer(IDYES)) return Fail(L"no save question for the first switch");
    HWND second = WaitForDialog(kSheetCaption, sheet);
    if (!second) return Fail(L"the sheet did not reopen");
    Sleep(500);
    secondPages = PageCount(second);
    for (int i = 0; i < secondPages; ++i)
      if (TabText(second, i) == L"TV Tuner") secondHasTuner = true;
    Step("reopened once");
    // Second switch: back to the tuner, discarding (No).
    if (!PickSource(CurrentPage(second), L"Tuner")) return Fail(L"no tuner source");
    if (!Answer(IDNO)) return Fail(L"no save question for the second switch");
    HWND third = WaitForDialog(kSheetCaption, second);
    if (!third) return Fail(L"the sheet did not reopen a second time");
    Sleep(500);
    thirdPages = PageCount(third);
    thirdTab = TabText(third, static_cast<int>(SendMessageW(
                                  reinterpret_cast<HWND>(SendMessageW(third, PSM_GETTABCONTROL, 0, 0)),
                                  TCM_GETCURSEL, 0, 0)));
    HWND thirdList = TunerList(third);
    if (thirdList && Names(thirdList) != finalNames) Fail(L"the reopened sheet lists other channels");
    PostMessageW(third, PSM_PRESSBUTTON, PSBTN_OK, 0);
    WaitGone(third);
  }
};

void UseLanguage(LANGID language) {
  SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
  using SetUiLanguage = LANGID(WINAPI *)(LANGID);
  auto set = reinterpret_cast<SetUiLanguage>(
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadUILanguage")));
  if (set) set(language);
}

struct Output {
  DWORD status = 0xFFFFFFFF;
  std::string out;
};

Output Varnctl(const std::wstring &arguments) {
  Output result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return result;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring command = L"\"" + Beside(L"varnctl.exe") + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(read);
    CloseHandle(write);
    return result;
  }
  CloseHandle(write);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) result.out.append(buffer, got);
  CloseHandle(read);
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &result.status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return result;
}

std::string Utf8(const std::wstring &text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

class SourceSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    ports_ = std::make_unique<Ports>(Win32Platform::Instance().ports());
    {  // A run that was cut short may have left the device running.
      ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
      StopKernelService(*ports_, profile);
      CloseServiceProfile(*ports_, profile);
    }
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_TRUE(CopyFileW(Beside(L"tolvenk.sys").c_str(),
                          (std::wstring(system) + L"\\drivers\\tolvenk.sys").c_str(), FALSE));
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    ASSERT_TRUE(InstallAndStartService(*ports_, profile, nullptr, nullptr));
    CloseServiceProfile(*ports_, profile);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    std::wstring standIn = Beside(L"tolvencard.dll");
    RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(standIn.c_str()),
                   static_cast<DWORD>((standIn.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    // A fresh user: no channels, no stored source, the Delete question asked.
    HKEY user = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueW(user, L"tune_DeleteChannelFlag");
    RegCloseKey(user);
    wchar_t home[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"USERPROFILE", home, MAX_PATH))
      DeleteFileW((std::wstring(home) + L"\\TOLVEN0.dat").c_str());
  }
  void TearDown() override {
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(*ports_, profile);
    CloseServiceProfile(*ports_, profile);
  }

  HDRVR OpenExternalIn() {
    vfw::VideoOpenParms parms{};
    parms.dwSize = sizeof parms;
    parms.fccType = mmioFOURCC('v', 'c', 'a', 'p');
    parms.dwVersion = 0x400;
    parms.dwFlags = vfw::kVideoExternalIn;
    parms.dwError = 0xBAD;
    return OpenDriver(Beside(L"tolvenu.dll").c_str(), nullptr, reinterpret_cast<LPARAM>(&parms));
  }

  // The module's control hub, as a client obtains it.
  control::IControlHub *Hub() {
    HMODULE module = GetModuleHandleW(Beside(L"tolvenu.dll").c_str());
    if (!module) return nullptr;
    using GetInterface = void *(WINAPI *)();
    auto get = reinterpret_cast<GetInterface>(reinterpret_cast<void *>(GetProcAddress(module, "GetVarnInterface")));
    auto *factory = get ? static_cast<control::IControlFactory *>(get()) : nullptr;
    if (!factory) return nullptr;
    control::IControlHub *hub = factory->CreateInterface(1);
    factory->Release();
    return hub;
  }
  // Makes the tuner the stored and current input; answers its index.
  int SelectTunerInput() {
    control::IControlHub *hub = Hub();
    if (!hub) return -1;
    control::ICrossbarControl *crossbar = hub->GetCrossbar();
    int tuner = -1;
    for (int32_t i = 0; crossbar && i < crossbar->GetSourceCount(); ++i)
      if (crossbar->GetSourceType(i) == 2 && tuner < 0) tuner = i;
    if (tuner >= 0) {
      crossbar->SetSource(tuner);
      crossbar->SaveSettings();
    }
    hub->Release();
    return tuner;
  }

  // DVM_DIALOG while `user` answers the sheet.
  LRESULT ShowAnswering(HDRVR driver, SheetUser &user, HWND parent) {
    std::thread thread([&user] { user.Run(); });
    LRESULT result = SendDriverMessage(driver, vfw::kDvmDialog, reinterpret_cast<LPARAM>(parent), 0);
    thread.join();
    return result;
  }

  std::unique_ptr<Ports> ports_;
};

TEST_F(SourceSheet, TunesRenamesMovesRemovesAndSwitchesSourceTwice) {
  UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  HDRVR driver = OpenExternalIn();
  ASSERT_NE(driver, nullptr);
  // A query shows nothing.
  EXPECT_EQ(SendDriverMessage(driver, vfw::kDvmDialog, 0, vfw::kVideoDialogQuery), 0);
  int tunerInput = SelectTunerInput();
  ASSERT_GE(tunerInput, 0);

  SheetUser user;
  user.language = L"en-US";
  EXPECT_EQ(ShowAnswering(driver, user, nullptr), 0);
  for (auto &failure : user.failures) ADD_FAILURE() << Utf8(failure);
  EXPECT_EQ(user.firstPages, 3);
  EXPECT_EQ(user.firstTab, L"TV Tuner");
  EXPECT_EQ(user.scanNames.size(), 6u);
  // The composite input: no tuner page (the card's composite input carries audio).
  EXPECT_GE(user.secondPages, 1);
  EXPECT_FALSE(user.secondHasTuner);
  EXPECT_EQ(user.thirdPages, 3);
  EXPECT_EQ(user.thirdTab, L"TV Tuner");
  EXPECT_EQ(user.pictures, 7);
  ASSERT_EQ(user.finalNames.size(), 5u);
  EXPECT_EQ(user.finalNames[0], L"New Channel 5") << "the moved row";
  EXPECT_EQ(user.finalNames[1], L"Renamed in place");

  // Through the control interface of the same module: the channels the page showed, in its order.
  control::IControlHub *hub = Hub();
  ASSERT_NE(hub, nullptr);
  control::ITunerControl *tuner = hub->GetTuner();
  ASSERT_NE(tuner, nullptr);
  ASSERT_EQ(tuner->GetChannelCount(), 5);
  for (int32_t i = 0; i < 5; ++i) {
    std::vector<char16_t> name(static_cast<size_t>(tuner->GetChannelNameLength(i)) + 1, 0);
    tuner->GetChannelName(i, name.data());
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t *>(name.data())), user.finalNames[static_cast<size_t>(i)]);
  }
  control::ICrossbarControl *crossbar = hub->GetCrossbar();
  ASSERT_NE(crossbar, nullptr);
  EXPECT_EQ(crossbar->GetSourceType(crossbar->GetSource()), 2);
  hub->Release();
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);

  // The stored source is the tuner input again, the delete question flag unset.
  DWORD source = 0xFFFF, size = sizeof source, type = 0;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(key, L"xbar_Source", nullptr, &type, reinterpret_cast<BYTE *>(&source), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(source, static_cast<DWORD>(tunerInput));

  // varnctl lists exactly the page's channels, in its order.
  Output listing = Varnctl(L"--json channels");
  EXPECT_EQ(listing.status, 0u) << listing.out;
  size_t at = 0;
  for (auto &name : user.finalNames) {
    size_t found = listing.out.find("\"" + Utf8(name) + "\"", at);
    EXPECT_NE(found, std::string::npos) << Utf8(name) << " in\n" << listing.out;
    if (found != std::string::npos) at = found;
  }
}

TEST_F(SourceSheet, PicturesInBritishEnglish) {
  UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
  HDRVR driver = OpenExternalIn();
  ASSERT_NE(driver, nullptr);
  ASSERT_GE(SelectTunerInput(), 0);
  SheetUser user;
  user.language = L"en-GB";
  user.full = false;
  EXPECT_EQ(ShowAnswering(driver, user, nullptr), 0);
  for (auto &failure : user.failures) ADD_FAILURE() << Utf8(failure);
  EXPECT_EQ(user.pictures, 7);
  EXPECT_EQ(CloseDriver(driver, 0, 0), 1);
  UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

}  // namespace
