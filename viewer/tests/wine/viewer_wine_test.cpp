// Viewer.exe as a user starts it, on Windows or under Wine and Xvfb: the
// card installed by setup.exe (driver, kernel service, skin engine), the
// virtual card as the display stand-in, channels found beforehand through
// the control interface. The viewer must show its skinned window with the
// card's picture, change channel on a click of the channel-up button, and
// store its settings when closed. Screenshots go beside this program as
// viewer-*.bmp.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "driver/control/control_interface.h"
#include "platform/capture/capture_driver_records.h"
#include "tests/wine/beside.h"
#include "tests/wine/screenshot.h"
#include "viewer/win32/skin_form.h"

namespace {

using tolven::winetest::Beside;
using tolven::winetest::SaveScreenArea;

const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";
const wchar_t kViewerAppKey[] = L"Software\\Quillon\\Varn\\ViewerApp";

std::wstring TempFolder(const wchar_t *name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name;
}

void RemoveTree(const std::wstring &folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(folder + L"\\" + name);
      else
        DeleteFileW((folder + L"\\" + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

// Runs a program and waits for it; its exit code.
DWORD RunProgram(const std::wstring &command, const std::wstring &folder) {
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  std::wstring line = command;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &start, &process))
    return 0xFFFFFFFF;
  WaitForSingleObject(process.hProcess, 180000);
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  } while (GetTickCount() - start < milliseconds);
}

int64_t StoredDword(const wchar_t *name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kViewerAppKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD value = 0, size = sizeof value, type = 0;
  const bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) ==
                      ERROR_SUCCESS && type == REG_DWORD;
  RegCloseKey(key);
  return ok ? value : -1;
}

// The card's control interface in this process (its own virtual card, the
// channel file shared with the viewer's).
class Controls {
 public:
  Controls() {
    // The video-source channel claims the card, as a capture application
    // would, before the control interface is asked for.
    tolven::cap::VideoOpenParms parms{};
    parms.dwSize = sizeof parms;
    parms.fccType = tolven::cap::kFourccVcap;
    parms.dwVersion = tolven::cap::kVideoApiVersion;
    parms.dwFlags = tolven::cap::kChannelExternalIn;
    driver_ = OpenDriver(L"tolvenu.dll", nullptr, reinterpret_cast<LPARAM>(&parms));
    module_ = LoadLibraryW(L"tolvenu.dll");
    if (!module_) return;
    using Proc = tolven::control::IControlFactory *(WINAPI *)();
    auto proc = reinterpret_cast<Proc>(reinterpret_cast<void *>(GetProcAddress(module_, "GetVarnInterface")));
    factory_ = proc ? proc() : nullptr;
    hub_ = factory_ ? factory_->CreateInterface(1) : nullptr;
  }
  ~Controls() {
    if (hub_) hub_->Release();
    if (factory_) factory_->Release();
    if (module_) FreeLibrary(module_);
    if (driver_) CloseDriver(driver_, 0, 0);
  }
  tolven::control::IControlHub *Hub() { return hub_; }

 private:
  HDRVR driver_ = nullptr;
  HMODULE module_ = nullptr;
  tolven::control::IControlFactory *factory_ = nullptr;
  tolven::control::IControlHub *hub_ = nullptr;
};

// Luma of the pixels of a screen area, averaged, and a coarse signature.
struct Picture {
  double luma = 0;
  std::vector<COLORREF> samples;
};
Picture Look(const RECT &area) {
  Picture p;
  HDC screen = GetDC(nullptr);
  int n = 0;
  for (int y = area.top + 4; y < area.bottom - 4; y += 8)
    for (int x = area.left + 4; x < area.right - 4; x += 8) {
      const COLORREF c = GetPixel(screen, x, y);
      p.samples.push_back(c);
      p.luma += 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c);
      ++n;
    }
  ReleaseDC(nullptr, screen);
  if (n) p.luma /= n;
  return p;
}
int Differences(const Picture &a, const Picture &b) {
  int d = 0;
  for (size_t i = 0; i < a.samples.size() && i < b.samples.size(); ++i) d += a.samples[i] != b.samples[i];
  return d;
}

class ViewerExe : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    folder_ = TempFolder(L"Caldra One Viewer Test");
    RemoveTree(folder_);
    RegDeleteKeyW(HKEY_CURRENT_USER, kViewerAppKey);  // a first run: the key has no subkeys
    const std::wstring build = Beside(L"");
    ASSERT_EQ(RunProgram(L"\"" + build + L"setup.exe\" /S \"/D=" + folder_ + L"\"", build), 0u);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const std::wstring standIn = Beside(L"tolvencard.dll");
    RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(standIn.c_str()),
                   static_cast<DWORD>((standIn.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  void TearDown() override {
    if (viewer_.hProcess) {
      TerminateProcess(viewer_.hProcess, 9);
      CloseHandle(viewer_.hProcess);
      CloseHandle(viewer_.hThread);
    }
    CoFreeUnusedLibrariesEx(0, 0);  // the skin engine this test measured with
    const std::wstring build = Beside(L"");
    RunProgram(L"\"" + build + L"setup.exe\" /uninstall /S \"/D=" + folder_ + L"\"", build);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, L"DisplayStandIn");
      RegCloseKey(key);
    }
    RemoveTree(folder_);
    CoUninitialize();
  }

  // The stations of the virtual card, found on its tuner input, and one
  // channel more where no station sends.
  void FindChannels() {
    Controls controls;
    ASSERT_TRUE(controls.Hub()) << "the control interface of tolvenu.dll";
    tolven::control::ICrossbarControl *crossbar = controls.Hub()->GetCrossbar();
    for (int32_t i = 0; i < crossbar->GetSourceCount(); ++i)
      if (crossbar->GetSourceType(i) == 2) crossbar->SetSource(i);
    tolven::control::ITunerControl *tuner = controls.Hub()->GetTuner();
    tuner->DeleteAllChannels();
    ASSERT_EQ(tuner->AutoScan(), 1);
    stations_ = tuner->GetChannelCount();
    ASSERT_GE(stations_, 2);
    ASSERT_NE(tuner->AddChannel(u"", 0), 0);
    tuner->TuneChannel(0);
    crossbar->SaveSettings();
    tuner->SaveSettings();
  }

  bool StartViewer() {
    STARTUPINFOW start{};
    start.cb = sizeof start;
    std::wstring line = L"\"" + folder_ + L"\\Viewer.exe\"";
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &start,
                        &viewer_))
      return false;
    for (int i = 0; i < 300 && !main_; ++i) {
      Pump(100);
      HWND w = FindWindowW(L"VarnViewer_main_window", nullptr);
      if (w && IsWindowVisible(w)) main_ = w;
    }
    return main_ != nullptr;
  }

  // The video area (screen) and the channel-up button's centre (in the
  // viewer's skin form), from the same skin loaded in a form of the same size.
  void Measure() {
    form_ = FindWindowExW(main_, nullptr, nullptr, L"SkinForm");
    ASSERT_TRUE(form_);
    RECT client;
    GetClientRect(form_, &client);
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, -4000, -4000, client.right, client.bottom, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    {
      tolven::viewer::win::CSkinForm form;
      ASSERT_TRUE(form.Create(probe, 1000, client));
      ASSERT_TRUE(form.Load(folder_ + L"\\Skins\\Default\\maindocked.skn"));
      RECT up, video;
      ASSERT_TRUE(form.ElementRect(L"chan-up", &up));
      ASSERT_TRUE(form.ElementRect(L"client", &video));
      channelUp_ = POINT{(up.left + up.right) / 2, (up.top + up.bottom) / 2};
      MapWindowPoints(form_, nullptr, reinterpret_cast<POINT *>(&video), 2);
      video_ = video;
    }
    DestroyWindow(probe);
  }

  void Click(POINT p) {
    POINT screen = p;
    ClientToScreen(form_, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(form_, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(form_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(form_, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }

  void Shot(const wchar_t *name) {
    RECT r;
    GetWindowRect(main_, &r);
    r.bottom += 8;  // the docked panels reach a little below the frame
    EXPECT_TRUE(SaveScreenArea(r, Beside(name)));
  }

  std::wstring folder_;
  PROCESS_INFORMATION viewer_{};
  HWND main_ = nullptr;
  HWND form_ = nullptr;
  POINT channelUp_{};
  RECT video_{};
  int32_t stations_ = 0;
};

TEST_F(ViewerExe, ShowsThePictureChangesChannelAndStoresItsSettings) {
  FindChannels();
  ASSERT_TRUE(StartViewer()) << "no main window";
  ASSERT_NO_FATAL_FAILURE(Measure());
  Pump(1500);  // the picture comes at the stand-in's rate
  const Picture first = Look(video_);
  Shot(L"viewer-station-1.bmp");

  Click(channelUp_);
  Pump(1500);
  const Picture second = Look(video_);
  Shot(L"viewer-station-2.bmp");
  EXPECT_GT(Differences(first, second), static_cast<int>(first.samples.size() / 20))
      << "the picture did not change with the channel";

  // Round to the channel where no station sends: snow.
  for (int32_t i = 1; i < stations_; ++i) {
    Click(channelUp_);
    Pump(300);
  }
  Pump(1500);
  const Picture snow = Look(video_);
  Shot(L"viewer-no-station.bmp");
  EXPECT_GT(Differences(second, snow), static_cast<int>(second.samples.size() / 20));

  RECT window;
  GetWindowRect(main_, &window);
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(viewer_.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(viewer_.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(StoredDword(L"Main Left"), window.left);
  EXPECT_EQ(StoredDword(L"Main Bottom"), window.bottom);
  EXPECT_EQ(StoredDword(L"Control Type"), 1);  // docked, standard, on the tuner
  EXPECT_EQ(StoredDword(L"Animate"), 0);
  // The viewer left its channel stored: the last one, where no station sends.
  Controls controls;
  ASSERT_TRUE(controls.Hub());
  EXPECT_EQ(controls.Hub()->GetTuner()->GetCurrentChannel(), stations_);
}

}  // namespace
