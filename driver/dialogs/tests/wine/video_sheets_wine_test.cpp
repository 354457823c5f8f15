// The Video Format and Video Display sheets of tolvenu.dll as a VfW
// application opens them (DVM_DIALOG on the video-in and external-out
// channels), on Windows or Wine under Xvfb, with the virtual card
// (tolvencard.dll) as display stand-in and the minimal test driver as the
// kernel device. A second thread plays the user: it picks the decoder's and
// the video port's video standard (the card's port takes one colour format
// only, so that list stays closed), moves the brightness slider and presses
// its "Default" button, and presses OK or Cancel. The test then reads the stored values,
// the decoder's registers on the card, and what a fresh process that opens
// the card reads back through the control interface.
//
// Pictures of the three pages in both languages are written beside this
// program: video-decoder-page-en-US.bmp, video-port-page-en-US.bmp,
// picture-control-page-en-US.bmp and the same with en-GB.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "driver/control/control_interface.h"
#include "driver/core/vfw_records.h"
// The dialogs' ids; their IDC_YES and IDC_NO (button results) share names
// with two of the system's cursors, which this program does not use.
#pragma push_macro("IDC_NO")
#undef IDC_NO
#include "driver/dialogs/resource_ids.h"
#undef IDC_NO
#pragma pop_macro("IDC_NO")
#include "driver/link/kernel_link.h"
#include "platform/display/escape_blocks.h"
#include "platform/win32_platform.h"
#include "tests/wine/beside.h"
#include "tests/wine/screenshot.h"

namespace {

using namespace tolven;
using namespace tolven::vfw;
using winetest::Beside;

const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";
const wchar_t kUserKey[] = L"Software\\Microsoft\\Multimedia\\Video Capture\\tolvenk";
constexpr uint8_t kDecoderAddress = 0x88;
constexpr int kExitBase = 1000;

// Makes resources load in `language` on this thread (where the system offers it).
void UseLanguage(LANGID language) {
  SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
  using SetUiLanguage = LANGID(WINAPI *)(LANGID);
  auto set = reinterpret_cast<SetUiLanguage>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadUILanguage")));
  if (set) set(language);
}

HDRVR OpenChannel(uint32_t kind) {
  VideoOpenParms parms{};
  parms.dwSize = sizeof parms;
  parms.fccType = mmioFOURCC('v', 'c', 'a', 'p');
  parms.dwVersion = 0x400;
  parms.dwFlags = kind;
  return OpenDriver(Beside(L"tolvenu.dll").c_str(), nullptr, reinterpret_cast<LPARAM>(&parms));
}

// What a client of the control interface reads: the brightness, with the
// card opened through the external-out channel (which applies the stored
// settings first). INT32_MIN when it cannot be read.
int32_t ReadBrightnessThroughTheControlInterface() {
  HDRVR channel = OpenChannel(kVideoExternalOut);
  if (!channel) return INT32_MIN;
  int32_t brightness = INT32_MIN;
  HMODULE module = LoadLibraryW(Beside(L"tolvenu.dll").c_str());
  auto get = module ? reinterpret_cast<void *(WINAPI *)()>(
                          reinterpret_cast<void *>(GetProcAddress(module, "GetVarnInterface")))
                    : nullptr;
  if (auto *factory = get ? static_cast<control::IControlFactory *>(get()) : nullptr) {
    if (control::IControlHub *hub = factory->CreateInterface(1)) {
      int32_t value = 0;
      if (hub->GetProcAmp() && hub->GetProcAmp()->GetValue(control::kBrightness, &value)) brightness = value;
      hub->Release();
    }
    factory->Release();
  }
  if (module) FreeLibrary(module);
  CloseDriver(channel, 0, 0);
  return brightness;
}

// The fresh process: this program started again with --read-brightness
// answers the brightness in its exit code and runs no tests.
struct FreshProcessRole {
  FreshProcessRole() {
    if (wcsstr(GetCommandLineW(), L"--read-brightness"))
      ExitProcess(static_cast<UINT>(ReadBrightnessThroughTheControlInterface() + kExitBase));
  }
} freshProcessRole;

// Starts this program again as a fresh process and answers what it read.
int32_t BrightnessInAFreshProcess() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --read-brightness";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return INT32_MIN;
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int32_t>(code) - kExitBase;
}

// A stored value of the driver in the user's store; -1000 when absent.
int64_t Stored(const wchar_t *name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1000;
  DWORD value = 0, size = sizeof value, type = 0;
  LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD) return -1000;
  return static_cast<int32_t>(value);
}

// Forgets every stored value of the driver's user store.
void ForgetStoredValues() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  wchar_t name[256];
  for (;;) {
    DWORD length = 256;
    if (RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (RegDeleteValueW(key, name) != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
}

// Reads a decoder register on the card through the stand-in, as the display
// driver would carry the transaction (the stand-in is this process's card,
// loaded by tolvenu.dll from the same file).
int DecoderRegister(uint8_t index);

// The stand-in file tolvenu.dll loads (set by the fixture).
std::wstring g_standIn;

int DecoderRegister(uint8_t index) {
  HMODULE card = GetModuleHandleW(g_standIn.c_str());
  if (!card) return -1;
  using Escape = int(WINAPI *)(int, int, const void *, int, void *);
  auto escape = reinterpret_cast<Escape>(reinterpret_cast<void *>(GetProcAddress(card, "DisplayEscape")));
  if (!escape) return -1;
  auto transfer = [&](uint8_t *write, uint32_t writeLength, uint8_t *read, uint32_t readLength) {
    display::BusTransactionBlock block{};
    block.writeBuffer = reinterpret_cast<uintptr_t>(write);
    block.writeLength = writeLength;
    block.readBuffer = reinterpret_cast<uintptr_t>(read);
    block.readLength = readLength;
    block.transactionCount = 1;
    block.busFlag = 1;
    int32_t result = 0;
    return escape(display::kEscapeBusTransaction, sizeof block, &block, sizeof result, &result) == 1 && result == 1;
  };
  uint8_t select[2] = {kDecoderAddress, index};
  uint8_t address = kDecoderAddress | 1;
  uint8_t value = 0;
  if (!transfer(select, 2, nullptr, 0) || !transfer(&address, 1, &value, 1)) return -1;
  return value;
}

// Writes what the window shows as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring &file) {
  RECT rect;
  return GetWindowRect(window, &rect) && tolven::winetest::SaveScreenArea(rect, file);
}

// The user at a property sheet, on a thread of its own: waits for the sheet,
// runs `act` on it and closes it with OK or Cancel.
class SheetUser {
 public:
  using Act = std::function<void(SheetUser &, HWND sheet)>;
  SheetUser(const wchar_t *caption, Act act, bool ok) : caption_(caption), act_(std::move(act)), ok_(ok) {}

  void Run() {
    HWND sheet = nullptr;
    // Until the request that should show the sheet has returned.
    for (int i = 0; i < 600 && !sheet && !over; ++i) {
      sheet = FindWindowW(nullptr, caption_);
      if (!sheet) Sleep(100);
    }
    if (!sheet) return;
    for (int i = 0; i < 600 && !IsWindowVisible(sheet); ++i) Sleep(100);
    Sleep(300);
    found = true;
    act_(*this, sheet);
    // Posted, as a click would arrive: a modal sheet's loop looks at its end
    // only after a posted message (one sent from this thread ends the sheet
    // without waking its loop).
    PostMessageW(sheet, PSM_PRESSBUTTON, ok_ ? PSBTN_OK : PSBTN_CANCEL, 0);
  }

  // The page shown now, after making page `index` the current one.
  static HWND ShowPage(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, index, 0);
    Sleep(200);
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  static int PageCount(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
  }
  static std::wstring Text(HWND page, int id) {
    wchar_t buffer[256] = {};
    GetDlgItemTextW(page, id, buffer, 256);
    return buffer;
  }
  static std::wstring Selected(HWND page, int id) {
    HWND list = GetDlgItem(page, id);
    LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return L"";
    wchar_t buffer[256] = {};
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  // Picks the list entry reading `text` as a mouse pick does: the selection
  // changes, then it is confirmed.
  static bool Pick(HWND page, int id, const wchar_t *text) {
    HWND list = GetDlgItem(page, id);
    LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index == CB_ERR) return false;
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
    return true;
  }
  // Drags a slider to `position`: the track notifications, then the end.
  static void Drag(HWND page, int id, int position) {
    HWND slider = GetDlgItem(page, id);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider));
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
    Sleep(200);  // the page applies the position from its queue
  }
  static void Click(HWND page, int id) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    Sleep(200);
  }
  static int SliderPosition(HWND page, int id) {
    return static_cast<int>(SendDlgItemMessageW(page, id, TBM_GETPOS, 0, 0));
  }
  static bool Picture(HWND sheet, const std::wstring &file) {
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    return SaveWindowPicture(sheet, Beside(file.c_str()));
  }

  std::atomic<bool> found{false};
  std::atomic<bool> over{false};

 private:
  const wchar_t *caption_;
  Act act_;
  bool ok_;
};

class VideoSheets : public ::testing::Test {
 protected:
  void SetUp() override {
    ports_ = std::make_unique<Ports>(Win32Platform::Instance().ports());
    // A run that was cut short may have left the service running from the
    // file that is to be replaced.
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(*ports_, profile);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring target = std::wstring(system) + L"\\drivers\\tolvenk.sys";
    ASSERT_TRUE(CopyFileW(Beside(L"tolvenk.sys").c_str(), target.c_str(), FALSE)) << GetLastError();
    ASSERT_TRUE(InstallAndStartService(*ports_, profile, nullptr, nullptr));
    CloseServiceProfile(*ports_, profile);
    g_standIn = Beside(L"tolvencard.dll");
    SetStandIn(g_standIn);
    ForgetStoredValues();
    UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  }
  void TearDown() override {
    // The next program in this prefix starts from nothing stored.
    ForgetStoredValues();
    SetStandIn(L"");
    ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
    StopKernelService(*ports_, profile);
    CloseServiceProfile(*ports_, profile);
  }
  void SetStandIn(const std::wstring &dll) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return;
    if (!dll.empty()) {
      RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(dll.c_str()),
                     static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key, L"DisplayStandIn");
    }
    RegCloseKey(key);
  }

  // DVM_DIALOG on `channel` while `user` acts on the sheet; answers the
  // message's result.
  LRESULT ShowSheet(HDRVR channel, SheetUser &user) {
    std::thread thread([&user] { user.Run(); });
    LRESULT result = SendDriverMessage(channel, kDvmDialog, 0, 0);
    user.over = true;
    thread.join();
    return result;
  }

  std::unique_ptr<Ports> ports_;
};

TEST_F(VideoSheets, TheQueryShowsNoSheet) {
  HDRVR in = OpenChannel(kVideoIn);
  HDRVR out = OpenChannel(kVideoExternalOut);
  ASSERT_NE(in, nullptr);
  ASSERT_NE(out, nullptr);
  // Both channels test the query bit, whatever else the flags hold.
  for (HDRVR channel : {in, out}) {
    EXPECT_EQ(SendDriverMessage(channel, kDvmDialog, 0, kVideoDialogQuery), 0);
    EXPECT_EQ(SendDriverMessage(channel, kDvmDialog, 0, kVideoDialogQuery | 1), 0);
  }
  EXPECT_EQ(FindWindowW(nullptr, L"Video Format Properties"), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, L"Video Display Properties"), nullptr);
  CloseDriver(out, 0, 0);
  CloseDriver(in, 0, 0);
}

TEST_F(VideoSheets, FormatSheetPicksStandardsOnBothPagesAndOkStoresThem) {
  HDRVR in = OpenChannel(kVideoIn);
  ASSERT_NE(in, nullptr);
  std::wstring standardBefore, standardPicked, portPicked, colourText;
  int pages = 0, standards = 0, colours = -1;
  bool pictured = false, colourEnabled = true;
  SheetUser user(
      L"Video Format Properties",
      [&](SheetUser &, HWND sheet) {
        pages = SheetUser::PageCount(sheet);
        HWND decoder = SheetUser::ShowPage(sheet, 0);
        pictured = SheetUser::Picture(sheet, L"video-decoder-page-en-US.bmp");
        standardBefore = SheetUser::Selected(decoder, IDC_DEC_VIDEO_STANDARD);
        standards = static_cast<int>(SendDlgItemMessageW(decoder, IDC_DEC_VIDEO_STANDARD, CB_GETCOUNT, 0, 0));
        standardPicked = standardBefore == L"NTSC" ? L"PAL" : L"NTSC";
        if (!SheetUser::Pick(decoder, IDC_DEC_VIDEO_STANDARD, standardPicked.c_str())) standardPicked.clear();
        HWND port = SheetUser::ShowPage(sheet, 1);
        pictured = SheetUser::Picture(sheet, L"video-port-page-en-US.bmp") && pictured;
        portPicked = SheetUser::Selected(port, IDC_VIP_VIDEO_STANDARD) == L"NTSC" ? L"PAL/SECAM" : L"NTSC";
        if (!SheetUser::Pick(port, IDC_VIP_VIDEO_STANDARD, portPicked.c_str())) portPicked.clear();
        // The card's display side takes one colour format: one entry, and
        // the list cannot be opened.
        HWND list = GetDlgItem(port, IDC_VIP_COLOUR_FORMAT);
        colours = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        colourEnabled = IsWindowEnabled(list);
        colourText = SheetUser::Selected(port, IDC_VIP_COLOUR_FORMAT);
      },
      true);
  EXPECT_EQ(ShowSheet(in, user), 0);
  ASSERT_TRUE(user.found) << "the Video Format sheet did not appear";
  EXPECT_EQ(pages, 2);
  EXPECT_TRUE(pictured);
  EXPECT_GE(standards, 2);
  ASSERT_FALSE(standardPicked.empty());
  ASSERT_FALSE(portPicked.empty());
  EXPECT_EQ(colours, 1);
  EXPECT_FALSE(colourEnabled);
  // "UYVY" read from its most significant byte.
  EXPECT_EQ(colourText, L"YVYU");

  // Stored, and on the card: the decoder's timing register 0x1A is 127 for
  // PAL and 104 for NTSC.
  EXPECT_EQ(DecoderRegister(0x1A), standardPicked == L"PAL" ? 127 : 104);
  EXPECT_NE(Stored(L"vDec_VideoStandard"), -1000);
  EXPECT_EQ(Stored(L"vip_Video"), portPicked == L"NTSC" ? 0 : 1);
  EXPECT_EQ(Stored(L"vip_Colour"), 0);

  // A second sheet opens on what was chosen; Cancel there keeps it.
  std::wstring reopenedStandard, reopenedPort;
  SheetUser again(
      L"Video Format Properties",
      [&](SheetUser &, HWND sheet) {
        reopenedStandard = SheetUser::Selected(SheetUser::ShowPage(sheet, 0), IDC_DEC_VIDEO_STANDARD);
        reopenedPort = SheetUser::Selected(SheetUser::ShowPage(sheet, 1), IDC_VIP_VIDEO_STANDARD);
      },
      false);
  EXPECT_EQ(ShowSheet(in, again), 0);
  EXPECT_EQ(reopenedStandard, standardPicked);
  EXPECT_EQ(reopenedPort, portPicked);
  CloseDriver(in, 0, 0);
}

// Brightness by slider and by its "Default" button, then OK or Cancel; a
// fresh process reads back what was stored.
class DisplaySheet : public VideoSheets {
 protected:
  struct Seen {
    int afterDrag = -1, afterDefault = -1, afterSecondDrag = -1, sliderAfterDefault = -1;
    bool colourEnableEnabled = true, colourEnableChecked = false, pictured = false;
    std::wstring status;
  };
  Seen Run(bool ok, const wchar_t *picture) {
    Seen seen;
    HDRVR out = OpenChannel(kVideoExternalOut);
    EXPECT_NE(out, nullptr);
    if (!out) return seen;
    SheetUser user(
        L"Video Display Properties",
        [&](SheetUser &, HWND sheet) {
          HWND page = SheetUser::ShowPage(sheet, 0);
          if (picture) seen.pictured = SheetUser::Picture(sheet, picture);
          HWND colour = GetDlgItem(page, IDC_VPA_COLOUR_ENABLE);
          seen.colourEnableEnabled = IsWindowEnabled(colour);
          seen.colourEnableChecked = SendMessageW(colour, BM_GETCHECK, 0, 0) == BST_CHECKED;
          // The card cannot switch colour off: clicking the box changes nothing.
          SendMessageW(colour, BM_CLICK, 0, 0);
          seen.status = SheetUser::Text(page, IDC_VPA_STATUS);
          SheetUser::Drag(page, IDC_VPA_BRIGHTNESS_SLIDER, 90);
          seen.afterDrag = DecoderRegister(0x10);
          SheetUser::Click(page, IDC_VPA_BRIGHTNESS_DEFAULT);
          seen.afterDefault = DecoderRegister(0x10);
          seen.sliderAfterDefault = SheetUser::SliderPosition(page, IDC_VPA_BRIGHTNESS_SLIDER);
          SheetUser::Drag(page, IDC_VPA_BRIGHTNESS_SLIDER, 64);
          seen.afterSecondDrag = DecoderRegister(0x10);
        },
        ok);
    EXPECT_EQ(ShowSheet(out, user), 0);
    EXPECT_TRUE(user.found) << "the Video Display sheet did not appear";
    CloseDriver(out, 0, 0);
    return seen;
  }
};

TEST_F(DisplaySheet, OkKeepsTheNewBrightnessForAFreshProcess) {
  const int32_t before = BrightnessInAFreshProcess();
  ASSERT_EQ(before, 0) << "the card's brightness before any change";
  Seen seen = Run(true, L"picture-control-page-en-US.bmp");
  EXPECT_TRUE(seen.pictured);
  EXPECT_EQ(seen.afterDrag, 90);
  EXPECT_EQ(seen.afterDefault, 0);  // the card's default brightness
  EXPECT_EQ(seen.sliderAfterDefault, 0);
  EXPECT_EQ(seen.afterSecondDrag, 64);
  EXPECT_FALSE(seen.colourEnableEnabled);
  EXPECT_TRUE(seen.colourEnableChecked);  // colour is on, and the box says so
  EXPECT_EQ(seen.status, L"");
  EXPECT_EQ(Stored(L"vpa_Brightness"), 64);
  EXPECT_EQ(Stored(L"vpa_Colour_Enable"), 1);
  EXPECT_EQ(BrightnessInAFreshProcess(), 64);
}

TEST_F(DisplaySheet, CancelLeavesTheOldBrightnessForAFreshProcess) {
  Seen first = Run(true, nullptr);
  ASSERT_EQ(BrightnessInAFreshProcess(), 64);
  Seen seen = Run(false, nullptr);
  EXPECT_EQ(seen.afterSecondDrag, 64);
  EXPECT_EQ(seen.afterDrag, 90);
  EXPECT_EQ(Stored(L"vpa_Brightness"), 64);
  EXPECT_EQ(BrightnessInAFreshProcess(), 64);
  // And from a different value than the one last stored.
  HDRVR out = OpenChannel(kVideoExternalOut);
  ASSERT_NE(out, nullptr);
  SheetUser user(
      L"Video Display Properties",
      [&](SheetUser &, HWND sheet) { SheetUser::Drag(SheetUser::ShowPage(sheet, 0), IDC_VPA_BRIGHTNESS_SLIDER, 12); },
      false);
  EXPECT_EQ(ShowSheet(out, user), 0);
  EXPECT_EQ(DecoderRegister(0x10), 64);  // Cancel put the old value back on the card
  CloseDriver(out, 0, 0);
  EXPECT_EQ(Stored(L"vpa_Brightness"), 64);
  EXPECT_EQ(BrightnessInAFreshProcess(), 64);
}

TEST_F(VideoSheets, BritishPicturesOfThePages) {
  UseLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
  bool decoderPictured = false, portPictured = false, pagePictured = false;
  std::wstring depthLabel;
  HDRVR in = OpenChannel(kVideoIn);
  ASSERT_NE(in, nullptr);
  SheetUser format(
      L"Video Format Properties",
      [&](SheetUser &, HWND sheet) {
        SheetUser::ShowPage(sheet, 0);
        decoderPictured = SheetUser::Picture(sheet, L"video-decoder-page-en-GB.bmp");
        SheetUser::ShowPage(sheet, 1);
        portPictured = SheetUser::Picture(sheet, L"video-port-page-en-GB.bmp");
      },
      false);
  EXPECT_EQ(ShowSheet(in, format), 0);
  CloseDriver(in, 0, 0);
  HDRVR out = OpenChannel(kVideoExternalOut);
  ASSERT_NE(out, nullptr);
  std::wstring balance;
  SheetUser display(
      L"Video Display Properties",
      [&](SheetUser &, HWND sheet) {
        HWND page = SheetUser::ShowPage(sheet, 0);
        balance = SheetUser::Text(page, IDC_VPA_COLOUR_BALANCE_LABEL);
        pagePictured = SheetUser::Picture(sheet, L"picture-control-page-en-GB.bmp");
      },
      false);
  EXPECT_EQ(ShowSheet(out, display), 0);
  CloseDriver(out, 0, 0);
  EXPECT_TRUE(format.found);
  EXPECT_TRUE(display.found);
  EXPECT_TRUE(decoderPictured);
  EXPECT_TRUE(portPictured);
  EXPECT_TRUE(pagePictured);
  EXPECT_EQ(balance, L"C&olour Balance");
}

}  // namespace
