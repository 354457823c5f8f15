#include "viewer/win32/win32_viewer_shell.h"

#include <commctrl.h>

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer::win {

namespace {
constexpr wchar_t kMainClass[] = L"VarnViewer_main_window";
constexpr int kFormId = 1000;
constexpr int kSourceComboId = 111;
constexpr int kComboListHeight = 110;
constexpr int kAppIcon = 128;

std::wstring W(WStringView text) { return std::wstring(text.begin(), text.end()); }
std::wstring W(const WString &text) { return std::wstring(text.begin(), text.end()); }
RECT R(const ScreenRect &r) { return RECT{r.left, r.top, r.right, r.bottom}; }
ScreenRect S(const RECT &r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }
std::wstring Text(uint32_t id) { return W(ViewerStrings::Text(id)); }
}  // namespace

Win32ViewerShell::~Win32ViewerShell() {
  readout_.reset();
  status_.reset();
  form_.Destroy();
  if (main_ && IsWindow(main_)) DestroyWindow(main_);
}

LRESULT CALLBACK Win32ViewerShell::MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto *self = reinterpret_cast<Win32ViewerShell *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// Installed over the skin form's procedure: the size limits go to the
// window's own procedure first, then every message to the form's.
LRESULT CALLBACK Win32ViewerShell::FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = reinterpret_cast<Win32ViewerShell *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_GETMINMAXINFO) CallWindowProcW(self->created_, window, message, wParam, lParam);
  return CallWindowProcW(self->subclassed_, window, message, wParam, lParam);
}

LRESULT Win32ViewerShell::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (app_) app_->Close();
      else DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_DISPLAYCHANGE:
      if (app_) app_->DisplayChange();
      return 0;
    case WM_SIZING:
      if (app_) {
        auto *r = reinterpret_cast<RECT *>(lParam);
        ScreenRect rect = S(*r);
        app_->Sizing(static_cast<int32_t>(wParam), &rect);
        *r = R(rect);
        return TRUE;
      }
      break;
    case WM_SIZE:
      // The form lays its skin out for the new size as it handles this
      // message too; the video follows once that is done.
      PostMessageW(main_, kRelayOut, 0, 0);
      PlaceDockedPanels();
      if (!app_) break;
      if (wParam == SIZE_MAXIMIZED) {
        app_->Maximized();
        SetTimer(main_, kTimerCursor, 3000, nullptr);
      } else if (wParam == SIZE_MINIMIZED) {
        app_->Minimized();
      } else if (wParam == SIZE_RESTORED) {
        KillTimer(main_, kTimerCursor);
        app_->Restored();
      }
      break;
    case WM_MOVE:
      PlaceDockedPanels();
      if (app_) app_->Moved();
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MAXIMIZE && app_) app_->BeforeMaximize();
      break;
    case WM_TIMER:
      if (wParam == kTimerCursor && IsZoomed(main_) && !menuOpen_) {
        SetCursor(nullptr);
        cursorHidden_ = true;
      } else if (wParam == kTimerHint) {
        KillTimer(main_, kTimerHint);
        ShowHint(WString());
      } else if (wParam == kTimerKeys && app_) {
        app_->Tick(GetTickCount());
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        PostRepaintVideo();
        PostMessageW(main_, kRaiseOwned, 0, 0);
      }
      break;
    case WM_WINDOWPOSCHANGED:
      // Brought forward (also when a closing panel hands the activation
      // back), the window must not cover its docked panels and remote.
      if (!(reinterpret_cast<const WINDOWPOS *>(lParam)->flags & SWP_NOZORDER)) RaiseOwnedWindows();
      break;
    case WM_HOTKEY:
      if (app_) app_->Hotkey(static_cast<uint32_t>(wParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kSourceComboId && HIWORD(wParam) == CBN_SELENDOK && app_) {
        const LRESULT pick = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        if (pick != CB_ERR) app_->SourcePicked(static_cast<int32_t>(pick));
        return 0;
      }
      break;
    case kRepaintVideo:
      if (app_ && app_->Capture().Window())
        InvalidateRect(reinterpret_cast<HWND>(app_->Capture().Window()), nullptr, FALSE);
      return 0;
    case kRaiseOwned:
      RaiseOwnedWindows();
      return 0;
    case kRelayOut:
      FollowClient();
      PostRepaintVideo();
      return 0;
    case kToggleDock:
      if (app_) app_->ToggleDock();
      return 0;
    case kCloseEdit:
      if (app_) app_->ClosePanel(Panel::kEditChannel);
      return 0;
    case kCloseNew:
      if (app_) app_->ClosePanel(Panel::kNewChannel);
      return 0;
    case kCloseAutoTune:
      if (app_) app_->ClosePanel(Panel::kAutoTune);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32ViewerShell::EnableControlHosting() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
}

ScreenRect Win32ViewerShell::MaximizedSize() {
  return ScreenRect{0, 0, GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
}

bool Win32ViewerShell::CreateMainWindow(const ScreenRect &rect, WStringView caption) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &MainProcedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIcon));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kMainClass;
  RegisterClassExW(&wc);
  const std::wstring title = W(caption);
  main_ = CreateWindowExW(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, kMainClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          rect.left, rect.top, rect.Width(), rect.Height(), nullptr, nullptr, instance, this);
  if (!main_) return false;
  created_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main_, GWLP_WNDPROC));
  SetTimer(main_, kTimerKeys, 100, nullptr);
  combo_ = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 10, 10, main_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSourceComboId)), instance, nullptr);
  SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return true;
}

void Win32ViewerShell::CreateSkinForm() {
  form_.Create(main_, kFormId, RECT{10, 10, 30, 30});
  form_.OnEvent([this](const std::wstring &name) {
    if (app_) app_->SkinEvent(WString(name.begin(), name.end()));
  });
}

bool Win32ViewerShell::LoadMainSkin(WStringView file) { return form_.Load(skinFolder_ + W(file)); }

bool Win32ViewerShell::ElementRect(WStringView name, ScreenRect *rect) {
  RECT r;
  if (!form_.ElementRect(W(name), &r)) return false;
  *rect = S(r);
  return true;
}

void Win32ViewerShell::RunSkinCommand(WStringView command) { form_.Command(W(command)); }

void Win32ViewerShell::TrimSystemMenu() {
  HMENU menu = GetSystemMenu(main_, FALSE);
  if (!menu) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[64] = {};
    if (GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION) > 0 &&
        std::wstring(text) == L"&About skin...") {
      DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
      DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);  // the separator after it
      return;
    }
  }
}

ScreenRect Win32ViewerShell::MainWindowRect() {
  RECT r = {};
  GetWindowRect(main_, &r);
  return S(r);
}

void Win32ViewerShell::CreateVideoWindows(const ScreenRect &client) {
  video_.Create(main_, R(client), Text(kStrOverlayWindow).c_str());
  SetWindowPos(video_.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  video_.OnContextMenu([this](POINT) {
    if (app_) app_->ContextMenu();
  });
  video_.OnMouseMove([this] {
    if (cursorHidden_) {
      cursorHidden_ = false;
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
    if (IsZoomed(main_)) SetTimer(main_, kTimerCursor, 3000, nullptr);
  });
}

void Win32ViewerShell::PlaceMainWindow(const ScreenRect &rect) {
  SetWindowPos(main_, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_FRAMECHANGED);
  SetWindowLongW(main_, GWL_STYLE, GetWindowLongW(main_, GWL_STYLE) | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  SetWindowPos(main_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  subclassed_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main_, GWLP_WNDPROC));
  SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProcedure));
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
}

void Win32ViewerShell::FillVideoWindow() { video_.Fill(); }

RemoteView *Win32ViewerShell::CreateRemote(int32_t x, int32_t y, WStringView skin) {
  remote_ = std::make_unique<CRemoteWindow>(*app_, main_, skinFolder_);
  if (!remote_->Create(x, y, W(skin))) {
    remote_.reset();
    return nullptr;
  }
  remote_->FillSources(sourceNames_, sourceCurrent_);
  return remote_.get();
}

bool Win32ViewerShell::ReloadRemote(WStringView skin) {
  if (!remote_ || !remote_->Reload(W(skin))) return false;
  remote_->FillSources(sourceNames_, sourceCurrent_);
  return true;
}

void Win32ViewerShell::DestroyRemote() { remote_.reset(); }

void Win32ViewerShell::ShowRemote(bool show) {
  if (remote_) ShowWindow(remote_->Window(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool Win32ViewerShell::RemotePosition(int32_t *x, int32_t *y) {
  RECT r;
  if (!remote_ || !GetWindowRect(remote_->Window(), &r)) return false;
  *x = r.left;
  *y = r.top;
  return true;
}

void Win32ViewerShell::DestroyDockedPanels() {
  readout_.reset();
  status_.reset();
}

void Win32ViewerShell::RaiseOwnedWindows() {
  const HWND owned[] = {readout_ ? readout_->Window() : nullptr, status_ ? status_->Window() : nullptr,
                        remote_ ? remote_->Window() : nullptr};
  // Only while the viewer is the user's foreground program: its windows on
  // top then, never above another program's.
  if (GetForegroundWindow() != main_) return;
  for (HWND w : owned)
    if (w && IsWindowVisible(w)) SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32ViewerShell::ShowDockedPanels(bool show) {
  for (CDockedPanel *p : {readout_.get(), status_.get()}) {
    if (!p) continue;
    if (!show) {
      ShowWindow(p->Window(), SW_HIDE);
      continue;
    }
    // Shown again above the main window, the panel and its rows paint anew.
    SetWindowPos(p->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(p->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

void Win32ViewerShell::CreateDockedPanels(const ScreenRect &) {
  readout_ = std::make_unique<CDockedPanel>(CDockedPanel::Kind::kReadout);
  status_ = std::make_unique<CDockedPanel>(CDockedPanel::Kind::kStatus);
  const ScreenRect m = MainWindowRect();
  readout_->Create(main_, POINT{m.left + 34, m.bottom - 64}, skinFolder_);
  status_->Create(main_, POINT{m.right - 95, m.bottom - 64}, skinFolder_);
}

void Win32ViewerShell::PlaceDockedPanels() {
  if (!readout_ || !status_) return;
  const ScreenRect m = MainWindowRect();
  readout_->MoveTo(POINT{m.left + 34, m.bottom - 64});
  status_->MoveTo(POINT{m.right - 95, m.bottom - 64});
}

// The video windows follow the skin's "client" element as the form lays
// itself out anew.
void Win32ViewerShell::FollowClient() {
  if (app_) app_->LayOutVideo();
}

void Win32ViewerShell::DestroyPanels() {
  readout_.reset();
  status_.reset();
  remote_.reset();
  editWindow_.reset();
  newWindow_.reset();
  scanWindow_.reset();
}

cap::Window Win32ViewerShell::VideoPane() { return reinterpret_cast<cap::Window>(video_.Pane()); }

Rect Win32ViewerShell::VideoPaneClient() {
  RECT r = {};
  if (video_.Pane()) {
    GetWindowRect(video_.Pane(), &r);
    MapWindowPoints(nullptr, video_.Pane(), reinterpret_cast<POINT *>(&r), 2);
  }
  return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32ViewerShell::FillSources(const std::vector<WString> &names, int32_t current) {
  sourceNames_.clear();
  for (const WString &name : names) sourceNames_.push_back(W(name));
  sourceCurrent_ = current;
  if (remote_) remote_->FillSources(sourceNames_, current);
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  for (const WString &name : names) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name).c_str()));
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

void Win32ViewerShell::ShowTexts(const WString &volume, const WString &channel, const WString &source,
                                 const WString &mute, const WString &stereo) {
  if (readout_) {
    readout_->SetRow(1, W(volume));
    readout_->SetRow(2, W(channel));
    readout_->SetRow(3, W(source));
  }
  if (status_) {
    status_->SetRow(1, W(mute));
    status_->SetRow(3, W(stereo));
  }
}

void Win32ViewerShell::ShowHint(const WString &text) {
  if (status_) status_->SetRow(2, W(text));
  // A hint goes again after two seconds.
  if (!text.empty()) SetTimer(main_, kTimerHint, 2000, nullptr);
}

void Win32ViewerShell::SetArrowCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

bool Win32ViewerShell::IsMaximized() { return main_ && IsZoomed(main_); }

ScreenRect Win32ViewerShell::RestoredRect() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  GetWindowPlacement(main_, &placement);
  return S(placement.rcNormalPosition);
}

void Win32ViewerShell::PostRestore() { PostSysCommand(SC_RESTORE); }

void Win32ViewerShell::DestroyMainWindow() {
  ShowWindow(main_, SW_HIDE);
  DestroyPanels();
  DestroyWindow(main_);
}

void Win32ViewerShell::PostToggleDock() { PostMessageW(main_, kToggleDock, 0, 0); }

void Win32ViewerShell::PostSysCommand(uint32_t command) { PostMessageW(main_, WM_SYSCOMMAND, command, 0); }

void Win32ViewerShell::ShowSourceCombo(bool show, const ScreenRect &element) {
  if (!show) {
    ShowWindow(combo_, SW_HIDE);
    return;
  }
  SetWindowPos(combo_, HWND_TOP, element.left, element.top, element.Width(), element.Height() + kComboListHeight,
               SWP_SHOWWINDOW);
}

void Win32ViewerShell::BeginWaitCursor() { savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

void Win32ViewerShell::EndWaitCursor() { SetCursor(savedCursor_ ? savedCursor_ : LoadCursorW(nullptr, IDC_ARROW)); }

Point Win32ViewerShell::CursorPosition() {
  POINT p = {};
  GetCursorPos(&p);
  return Point{p.x, p.y};
}

void Win32ViewerShell::PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::unique_ptr<CChannelPanelWindow> &Win32ViewerShell::PanelWindow(Panel panel) {
  switch (panel) {
    case Panel::kEditChannel: return editWindow_;
    case Panel::kNewChannel: return newWindow_;
    case Panel::kAutoTune: break;
  }
  return scanWindow_;
}

ChannelPanelView *Win32ViewerShell::OpenPanelWindow(Panel panel, Point at) {
  auto &window = PanelWindow(panel);
  window = std::make_unique<CChannelPanelWindow>(*app_, main_, panel);
  if (!window->Create(POINT{at.x, at.y}, skinFolder_)) {
    window.reset();
    return nullptr;
  }
  return window.get();
}

void Win32ViewerShell::ClosePanelWindow(Panel panel) {
  PanelWindow(panel).reset();
  // The activation passes back to the main window, which the system then
  // brings forward: the owned windows go above it once that is done.
  PostMessageW(main_, kRaiseOwned, 0, 0);
}

int32_t Win32ViewerShell::WorkAreaHeight() {
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area.bottom - area.top;
}

void Win32ViewerShell::PlaceVideo(const ScreenRect &window, const ScreenRect &pane) {
  video_.Move(R(window), R(pane));
}

uint32_t Win32ViewerShell::TrackMenu(const std::vector<MenuItem> &items, bool) {
  HMENU menu = CreatePopupMenu();
  for (const MenuItem &item : items) {
    if (item.command == 0)
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : 0), item.command, Text(item.text).c_str());
  }
  POINT at = {};
  GetCursorPos(&at);
  SetForegroundWindow(main_);
  menuOpen_ = true;
  const auto chosen = static_cast<uint32_t>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, main_, nullptr));
  menuOpen_ = false;
  DestroyMenu(menu);
  return chosen;
}

void Win32ViewerShell::Help(HWND owner, uint32_t context) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, length);
  if (file.size() < 3) return;
  file.replace(file.size() - 3, 3, L"hlp");
  WinHelpW(owner, file.c_str(), HELP_CONTEXT, context);
}

void Win32ViewerShell::ShowAbout() {
  MessageBoxW(main_, L"Viewer Version 1.1.0.0", Text(kStrAppTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}

void Win32ViewerShell::PostClose() { PostMessageW(main_, WM_CLOSE, 0, 0); }

bool Win32ViewerShell::KeyDown(const MSG &msg) {
  if (!app_ || msg.message != WM_KEYDOWN) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root != main_ && !(remote_ && root == remote_->Window())) return false;
  return app_->Key(static_cast<uint32_t>(msg.wParam), GetTickCount());
}

void Win32ViewerShell::PostRepaintVideo() { PostMessageW(main_, kRepaintVideo, 0, 0); }

}  // namespace tolven::viewer::win
