#include "viewer/demo/viewer_session.h"

#include <cwchar>

#include <mmsystem.h>

#include <vector>

#include "driver/control/control_interface.h"
#include "platform/capture/capture_driver_records.h"
#include "tests/wine/screenshot.h"
#include "viewer/win32/skin_form.h"

namespace tolven::viewer::demo {

namespace {

const wchar_t kParametersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\tolvenk\\Parameters";
const wchar_t kViewerAppKey[] = L"Software\\Quillon\\Varn\\ViewerApp";
constexpr COLORREF kFrameColour = RGB(0, 0, 0);

// The card's control interface in this process: its own virtual card, and
// the channel file it shares with the viewer.
class Controls {
 public:
  Controls() {
    // The video-source channel claims the card, as a capture application
    // would, before the control interface is asked for.
    cap::VideoOpenParms parms{};
    parms.dwSize = sizeof parms;
    parms.fccType = cap::kFourccVcap;
    parms.dwVersion = cap::kVideoApiVersion;
    parms.dwFlags = cap::kChannelExternalIn;
    driver_ = OpenDriver(L"tolvenu.dll", nullptr, reinterpret_cast<LPARAM>(&parms));
    module_ = LoadLibraryW(L"tolvenu.dll");
    if (!module_) return;
    using Proc = control::IControlFactory *(WINAPI *)();
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
  Controls(const Controls &) = delete;
  Controls &operator=(const Controls &) = delete;
  control::IControlHub *Hub() { return hub_; }

 private:
  HDRVR driver_ = nullptr;
  HMODULE module_ = nullptr;
  control::IControlFactory *factory_ = nullptr;
  control::IControlHub *hub_ = nullptr;
};

}  // namespace

int Picture::Differences(const Picture &other) const {
  int d = 0;
  for (size_t i = 0; i < samples.size() && i < other.samples.size(); ++i) d += samples[i] != other.samples[i];
  return d;
}

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

ViewerSession::~ViewerSession() { EndViewer(); }

void ViewerSession::EndViewer() {
  if (!viewer_.hProcess) return;
  if (WaitForSingleObject(viewer_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(viewer_.hProcess, 9);
    WaitForSingleObject(viewer_.hProcess, 10000);
  }
  CloseHandle(viewer_.hProcess);
  CloseHandle(viewer_.hThread);
  viewer_ = PROCESS_INFORMATION{};
}

DWORD ViewerSession::Install() {
  return RunProgram(L"\"" + package_ + L"setup.exe\" /S \"/D=" + folder_ + L"\"", package_);
}

DWORD ViewerSession::Uninstall() {
  EndViewer();  // a viewer left running would hold its files
  // The skin engine this program measured with must not stay loaded here.
  CoFreeUnusedLibrariesEx(0, 0);
  return RunProgram(L"\"" + package_ + L"setup.exe\" /uninstall /S \"/D=" + folder_ + L"\"", package_);
}

bool ViewerSession::UseStandIn(const std::wstring &standIn) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LSTATUS status =
      RegSetValueExW(key, L"DisplayStandIn", 0, REG_SZ, reinterpret_cast<const BYTE *>(standIn.c_str()),
                     static_cast<DWORD>((standIn.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void ViewerSession::ForgetStandIn() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, L"DisplayStandIn");
  RegCloseKey(key);
}

void ViewerSession::ForgetViewerSettings() { RegDeleteKeyW(HKEY_CURRENT_USER, kViewerAppKey); }

ViewerSession::Channels ViewerSession::FindChannels() {
  Channels result;
  Controls controls;
  if (!controls.Hub()) return result;
  control::ICrossbarControl *crossbar = controls.Hub()->GetCrossbar();
  for (int32_t i = 0; i < crossbar->GetSourceCount(); ++i)
    if (crossbar->GetSourceType(i) == 2) crossbar->SetSource(i);
  control::ITunerControl *tuner = controls.Hub()->GetTuner();
  tuner->DeleteAllChannels();
  if (tuner->AutoScan() != 1 || tuner->GetChannelCount() < 1) return result;
  std::vector<int32_t> stations;
  for (int32_t i = 0; i < tuner->GetChannelCount(); ++i) stations.push_back(tuner->GetChannelNumber(i));
  if (tuner->AddChannel(u"", 0) == 0) return result;
  result.count = tuner->GetChannelCount();
  // The list keeps its channels in order; the new number is the empty one.
  for (int32_t i = 0; i < result.count; ++i) {
    const int32_t number = tuner->GetChannelNumber(i);
    bool station = false;
    for (int32_t s : stations) station = station || s == number;
    if (!station) result.empty = i;
    else if (result.first < 0) result.first = i;
  }
  tuner->TuneChannel(result.first);
  crossbar->SaveSettings();
  tuner->SaveSettings();
  return result;
}

bool ViewerSession::SelectSource(bool tuner) {
  Controls controls;
  if (!controls.Hub()) return false;
  control::ICrossbarControl *crossbar = controls.Hub()->GetCrossbar();
  for (int32_t i = 0; i < crossbar->GetSourceCount(); ++i)
    if ((crossbar->GetSourceType(i) == 2) == tuner) {
      crossbar->SetSource(i);
      crossbar->SaveSettings();
      return true;
    }
  return false;
}

int32_t ViewerSession::StoredChannel() {
  Controls controls;
  return controls.Hub() ? controls.Hub()->GetTuner()->GetCurrentChannel() : -2;
}

int32_t ViewerSession::StoredChannelCount() {
  Controls controls;
  return controls.Hub() ? controls.Hub()->GetTuner()->GetChannelCount() : -1;
}

void ViewerSession::StoreViewerValue(const wchar_t *name, DWORD value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kViewerAppKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
  RegCloseKey(key);
}

HWND ViewerSession::WaitForWindow(const wchar_t *windowClass, DWORD timeout) {
  const DWORD begin = GetTickCount();
  do {
    HWND w = FindWindowW(windowClass, nullptr);
    if (w && IsWindowVisible(w)) return w;
    Pump(50);
  } while (GetTickCount() - begin < timeout);
  return nullptr;
}

namespace {
struct Area {
  DWORD process;
  RECT rect;
};
BOOL CALLBACK AddWindow(HWND window, LPARAM data) {
  auto *area = reinterpret_cast<Area *>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  RECT r;
  if (process == area->process && IsWindowVisible(window) && GetWindowRect(window, &r))
    UnionRect(&area->rect, &area->rect, &r);
  return TRUE;
}
}  // namespace

namespace {
struct DialogSearch {
  DWORD process;
  HWND found;
};
BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto *search = reinterpret_cast<DialogSearch *>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (process == search->process && IsWindowVisible(window) && wcscmp(name, L"#32770") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ViewerSession::WaitForDialog(DWORD timeout) {
  const DWORD begin = GetTickCount();
  do {
    DialogSearch search{viewer_.dwProcessId, nullptr};
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Pump(50);
  } while (GetTickCount() - begin < timeout);
  return nullptr;
}

bool ViewerSession::ChooseFromMenu(uint32_t position) {
  HWND video = FindWindowExW(main_, nullptr, L"VarnViewer_video", nullptr);
  if (!video) return false;
  RECT r;
  GetClientRect(video, &r);
  PostMessageW(video, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
  HWND menu = WaitForWindow(L"#32768", 5000);
  if (!menu) return false;
  // The menu's loop reads the keys its thread is sent: the first Down
  // selects the first item.
  for (uint32_t i = 0; i <= position; ++i) {
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    Pump(30);
  }
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  for (int i = 0; i < 100 && IsWindowVisible(menu); ++i) Pump(50);
  return !IsWindowVisible(menu);
}

bool ViewerSession::ShotAll(const std::wstring &file) {
  if (!main_) return false;
  Area area{viewer_.dwProcessId, {}};
  GetWindowRect(main_, &area.rect);
  EnumWindows(&AddWindow, reinterpret_cast<LPARAM>(&area));
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&area.rect, &area.rect, &screen);
  return winetest::SaveScreenArea(area.rect, file);
}

bool ViewerSession::Start() {
  EndViewer();
  main_ = nullptr;
  form_ = nullptr;
  SetCursorPos(0, 0);  // no button of the new window starts hovered
  STARTUPINFOW start{};
  start.cb = sizeof start;
  std::wstring line = L"\"" + folder_ + L"\\Viewer.exe\"";
  started_ = GetTickCount();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &start, &viewer_))
    return false;
  for (int i = 0; i < 600 && !main_; ++i) {
    Pump(50);
    HWND w = FindWindowW(L"VarnViewer_main_window", nullptr);
    if (w && IsWindowVisible(w)) main_ = w;
  }
  if (main_) form_ = FindWindowExW(main_, nullptr, nullptr, L"SkinForm");
  return main_ != nullptr && form_ != nullptr;
}

int32_t ViewerSession::WaitForVideo(DWORD timeout) {
  const DWORD begin = GetTickCount();
  while (GetTickCount() - begin < timeout) {
    // The video area shows the frame colour until the overlay is on. A grid
    // of points, as the picture itself has black parts (a test card's text
    // box) that one point may fall on.
    bool shows = false;
    HDC screen = GetDC(nullptr);
    for (int row = 1; row <= 5 && !shows; ++row)
      for (int column = 1; column <= 5 && !shows; ++column) {
        const int x = video_.left + (video_.right - video_.left) * column / 6;
        const int y = video_.top + (video_.bottom - video_.top) * row / 6;
        const COLORREF c = GetPixel(screen, x, y);
        shows = c != kFrameColour && c != CLR_INVALID;
      }
    ReleaseDC(nullptr, screen);
    if (shows) return static_cast<int32_t>(GetTickCount() - started_);
    Sleep(5);
  }
  return -1;
}

bool ViewerSession::ElementCentre(const std::wstring &skin, const std::wstring &element, POINT *centre) {
  return ElementCentreIn(form_, skin, element, centre);
}

bool ViewerSession::ElementCentreIn(HWND formWindow, const std::wstring &skin, const std::wstring &element,
                                    POINT *centre) {
  if (!formWindow) return false;
  RECT client;
  GetClientRect(formWindow, &client);
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, -4000, -4000, client.right, client.bottom, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  bool found = false;
  {
    win::CSkinForm form;
    RECT r, video;
    if (form.Create(probe, 1000, client) && form.Load(folder_ + L"\\Skins\\Default\\" + skin) &&
        form.ElementRect(element, &r)) {
      *centre = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      found = true;
      if (formWindow == form_ && form.ElementRect(L"client", &video)) {
        MapWindowPoints(form_, nullptr, reinterpret_cast<POINT *>(&video), 2);
        video_ = video;
      }
    }
  }
  DestroyWindow(probe);
  return found;
}

void ViewerSession::Click(POINT p) { ClickIn(form_, p); }

void ViewerSession::ClickIn(HWND form, POINT p) {
  POINT screen = p;
  ClientToScreen(form, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  // The pointer leaves the button again (to the middle of the form), so no
  // hover look stays in a picture.
  RECT client;
  GetClientRect(form, &client);
  SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
}

bool ViewerSession::Shot(const std::wstring &file) {
  RECT r;
  if (!main_ || !GetWindowRect(main_, &r)) return false;
  return winetest::SaveScreenArea(r, file);
}

DWORD ViewerSession::Close(DWORD timeout) {
  if (!main_) return 0xFFFFFFFF;
  PostMessageW(main_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(viewer_.hProcess, timeout) != WAIT_OBJECT_0) return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(viewer_.hProcess, &code);
  return code;
}

}  // namespace tolven::viewer::demo
