// Our own capture window on the real tolvenu.dll, the way the viewer uses
// it on a system whose AVICap cannot serve (Wine): the adapter chosen at
// start-up, then connect, capabilities, name, overlay on and off, each of
// the driver's three dialogs opened and closed by a second thread, and the
// disconnect. The card is the virtual card, installed as the setup does.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <string>
#include <thread>

#include "driver/core/vfw_records.h"
#include "platform/capture/capture_driver_records.h"
#include "platform/capture/capture_windows_chooser.h"
#include "platform/capture/win32_avicap_capture_windows.h"
#include "platform/capture/win32_driver_capture_windows.h"
#include "platform/debug/debug_output.h"
#include "platform/drivers/win32_installable_drivers.h"
#include "tests/wine/card_machine.h"

namespace {

using namespace tolven;
using winetest::CardMachine;
using winetest::TestFrame;

// What the capture window sends is what the driver reads.
constexpr uint32_t U(uint32_t value) { return value; }
static_assert(U(cap::kDvmDialog) == U(vfw::kDvmDialog) && U(cap::kDvmGetChannelCaps) == U(vfw::kDvmGetChannelCaps) &&
              U(cap::kDvmUpdate) == U(vfw::kDvmUpdate) && U(cap::kDvmDstRect) == U(vfw::kDvmDstRect) &&
              U(cap::kDvmStreamInit) == U(vfw::kDvmStreamInit) && U(cap::kDvmStreamFini) == U(vfw::kDvmStreamFini));
static_assert(U(cap::kChannelIn) == U(vfw::kVideoIn) && U(cap::kChannelExternalIn) == U(vfw::kVideoExternalIn) &&
              U(cap::kChannelExternalOut) == U(vfw::kVideoExternalOut));
static_assert(cap::kVideoDialogQuery == vfw::kVideoDialogQuery && cap::kCapsOverlay == vfw::kCapsOverlay &&
              cap::kConfigureSet == vfw::kConfigureSet);
static_assert(sizeof(cap::VideoOpenParms) == sizeof(vfw::VideoOpenParms) &&
              offsetof(cap::VideoOpenParms, dwFlags) == offsetof(vfw::VideoOpenParms, dwFlags) &&
              offsetof(cap::VideoOpenParms, dwError) == offsetof(vfw::VideoOpenParms, dwError) &&
              offsetof(cap::VideoOpenParms, dnDevNode) == offsetof(vfw::VideoOpenParms, dnDevNode));
static_assert(sizeof(cap::VideoStreamInitParms) == sizeof(vfw::VideoStreamInitParms) &&
              offsetof(cap::VideoStreamInitParms, dwFlags) == offsetof(vfw::VideoStreamInitParms, dwFlags));
static_assert(sizeof(cap::ChannelCaps) == sizeof(vfw::ChannelCaps) && sizeof(cap::ScreenRect) == sizeof(RECT));

// A user at whatever dialog the driver shows, on a thread of its own: waits
// for a visible dialog of this process, notes its caption and closes it.
// Stops looking once the caller says the dialog call has returned.
class DialogCloser {
 public:
  DialogCloser() : thread_([this] { Run(); }) {}
  ~DialogCloser() { Finish(); }
  // The dialog call returned.
  void Finish() {
    returned_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool found() const { return found_; }
  bool closed() const { return closed_; }
  const std::wstring &caption() const { return caption_; }

 private:
  static BOOL CALLBACK Look(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(name) == L"#32770") {
      *reinterpret_cast<HWND *>(context) = window;
      return FALSE;
    }
    return TRUE;
  }
  void Run() {
    HWND dialog = nullptr;
    for (int i = 0; i < 600 && !dialog && !returned_; ++i) {
      EnumWindows(Look, reinterpret_cast<LPARAM>(&dialog));
      if (!dialog) Sleep(50);
    }
    if (!dialog) return;
    found_ = true;
    wchar_t text[256] = {};
    GetWindowTextW(dialog, text, 256);
    caption_ = text;
    // Cancel, as a user closing it would: dialogs and property sheets both
    // take WM_CLOSE as their Cancel.
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(50);
    closed_ = !IsWindow(dialog);
  }

  std::atomic<bool> returned_{false}, found_{false}, closed_{false};
  std::wstring caption_;
  std::thread thread_;
};

struct DialogCase {
  cap::Dialog dialog;
  uint32_t channel;
  const char *name;
};
const DialogCase kDialogs[] = {
    {cap::Dialog::kVideoSource, vfw::kVideoExternalIn, "Video Source"},
    {cap::Dialog::kVideoFormat, vfw::kVideoIn, "Video Format"},
    {cap::Dialog::kVideoDisplay, vfw::kVideoExternalOut, "Video Display"},
};

// The driver's own answer to showing a channel's dialog, asked directly
// through its registration with a closer standing by: 0 when it has the
// sheet (and showed it), 17 while it has none.
LRESULT DriverDialogAnswer(uint32_t channel, HWND parent, bool *shown) {
  vfw::VideoOpenParms parms{};
  parms.dwSize = sizeof parms;
  parms.fccType = mmioFOURCC('v', 'c', 'a', 'p');
  parms.dwVersion = 0x400;
  parms.dwFlags = channel;
  HDRVR driver = OpenDriver(L"MSVIDEO", L"Drivers32", reinterpret_cast<LPARAM>(&parms));
  if (!driver) return -1;
  DialogCloser closer;
  const LRESULT answer = SendDriverMessage(driver, vfw::kDvmDialog, reinterpret_cast<LPARAM>(parent), 0);
  closer.Finish();
  *shown = closer.found() && closer.closed();
  CloseDriver(driver, 0, 0);
  return answer;
}

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// The closer itself, on a modal dialog run by this thread as the driver's
// sheets are: it finds it, and closing it ends the modal loop with Cancel.
TEST(DialogCloserCheck, ClosesAModalDialogOfThisThread) {
  TestFrame frame;
  DialogCloser closer;
  const int answer = MessageBoxW(frame.window(), L"Close me", L"Closer check", MB_OKCANCEL);
  closer.Finish();
  EXPECT_TRUE(closer.found());
  EXPECT_TRUE(closer.closed());
  EXPECT_EQ(closer.caption(), L"Closer check");
  EXPECT_EQ(answer, IDCANCEL);
}

TEST(CaptureWindowChoice, WineGetsOurOwnCaptureWindow) {
  CardMachine machine;
  ASSERT_TRUE(machine.Ready());
  drv::Win32InstallableDrivers drivers;
  cap::Win32AvicapCaptureWindows system;
  cap::Win32DriverCaptureWindows own(Win32Platform::Instance().registry, drivers);
  dbg::EmulatedDebugOutput debug;
  cap::CaptureWindows &chosen = cap::ChooseCaptureWindows(system, own, u"tolvenu.dll", debug);
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  if (wine) {
    // Wine's AVICap lists no Drivers32 registrations.
    EXPECT_EQ(&chosen, &own);
    EXPECT_EQ(debug.Text(), "Capture window: our own; the system's AVICap lists no tolvenu.dll\n");
  }
  // One line, whichever was chosen.
  EXPECT_EQ(debug.Text().find('\n'), debug.Text().size() - 1) << debug.Text();
}

TEST(CaptureWindow, ConnectCapabilitiesNameOverlayDialogsDisconnect) {
  CardMachine machine;
  ASSERT_TRUE(machine.Ready());
  drv::Win32InstallableDrivers drivers;
  cap::Win32DriverCaptureWindows windows(Win32Platform::Instance().registry, drivers);
  TestFrame frame;
  ASSERT_NE(frame.window(), nullptr);

  // What the driver itself answers for each dialog, before the capture
  // window holds its channels: each sheet shows.
  for (int i = 0; i < 3; ++i) {
    bool shown = false;
    EXPECT_EQ(DriverDialogAnswer(kDialogs[i].channel, frame.window(), &shown), 0) << kDialogs[i].name;
    EXPECT_TRUE(shown) << kDialogs[i].name;
  }

  // The viewer's discovery and window.
  int32_t index = -1;
  for (int32_t i = 0; i < 10 && index < 0; ++i) {
    WString name, version;
    if (windows.DriverDescription(i, &name, &version) && EqualsNoCase(name, u"tolvenu.dll")) index = i;
  }
  ASSERT_EQ(index, 0);
  const cap::Window window =
      windows.Create(u"OverlayWnd", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, reinterpret_cast<cap::Window>(frame.window()), index);
  ASSERT_NE(window, 0u);
  HWND hwnd = reinterpret_cast<HWND>(window);
  EXPECT_EQ(GetParent(hwnd), frame.window());
  EXPECT_EQ(GetDlgCtrlID(hwnd), index);
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  EXPECT_STREQ(className, L"TolvenCaptureWindow");

  ASSERT_EQ(windows.Connect(window, index), 1);
  cap::DriverCaps caps;
  ASSERT_EQ(windows.GetCaps(window, &caps), 1);
  EXPECT_TRUE(caps.hasOverlay);
  EXPECT_TRUE(caps.hasVideoSourceDialog);
  EXPECT_TRUE(caps.hasVideoFormatDialog);
  EXPECT_TRUE(caps.hasVideoDisplayDialog);
  // The record as AVICap gives it: the channels' handles included.
  CAPDRIVERCAPS record{};
  ASSERT_TRUE(SendMessageW(hwnd, WM_CAP_DRIVER_GET_CAPS, sizeof record, reinterpret_cast<LPARAM>(&record)));
  EXPECT_NE(record.hVideoIn, nullptr);
  EXPECT_NE(record.hVideoExtIn, nullptr);
  EXPECT_NE(record.hVideoExtOut, nullptr);
  EXPECT_EQ(record.hVideoOut, nullptr);
  // A record shorter than the full one is not overrun.
  BYTE shortRecord[8];
  memset(shortRecord, 0xAB, sizeof shortRecord);
  ASSERT_TRUE(SendMessageW(hwnd, WM_CAP_DRIVER_GET_CAPS, 4, reinterpret_cast<LPARAM>(shortRecord)));
  EXPECT_EQ(shortRecord[4], 0xAB);

  WString name;
  ASSERT_EQ(windows.GetName(window, &name), 1);
  EXPECT_TRUE(EqualsNoCase(name, u"tolvenu.dll")) << Narrow(name);
  // A buffer of 8 bytes takes three characters and the terminator.
  wchar_t small[8] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#'};
  ASSERT_TRUE(SendMessageW(hwnd, WM_CAP_DRIVER_GET_NAMEW, 8, reinterpret_cast<LPARAM>(small)));
  EXPECT_EQ(std::wstring(small), std::wstring(L"tol"));
  EXPECT_EQ(small[4], L'#');

  // Overlay on: the driver paints the key colour over the window's black;
  // off: the window's own background is back.
  const COLORREF black = RGB(0, 0, 0);
  ASSERT_EQ(windows.SetOverlay(window, true), 1);
  UpdateWindow(hwnd);
  const COLORREF key = PixelAt(hwnd, 160, 120);
  EXPECT_NE(key, black);
  EXPECT_NE(key, CLR_INVALID);
  std::printf("overlay on: the window shows 0x%06lX\n", static_cast<unsigned long>(key));
  TestFrame::Pump();
  ASSERT_EQ(windows.SetOverlay(window, false), 1);
  UpdateWindow(hwnd);
  EXPECT_EQ(PixelAt(hwnd, 160, 120), black);
  ASSERT_EQ(windows.SetOverlay(window, true), 1);

  // Each dialog from the window, shown and closed by a second thread.
  for (int i = 0; i < 3; ++i) {
    DialogCloser closer;
    const intptr_t result = windows.ShowDialog(window, kDialogs[i].dialog);
    closer.Finish();
    EXPECT_EQ(result, 1) << kDialogs[i].name;
    EXPECT_TRUE(closer.found()) << kDialogs[i].name;
    EXPECT_TRUE(closer.closed()) << kDialogs[i].name;
    EXPECT_TRUE(IsWindow(hwnd));
  }

  ASSERT_EQ(windows.Disconnect(window), 1);
  EXPECT_EQ(windows.GetCaps(window, &caps), 0);
  EXPECT_EQ(windows.SetOverlay(window, true), 0);
  UpdateWindow(hwnd);
  EXPECT_EQ(PixelAt(hwnd, 160, 120), black);
  EXPECT_TRUE(windows.Destroy(window));
}

}  // namespace
