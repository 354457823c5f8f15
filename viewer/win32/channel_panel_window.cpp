#include "viewer/win32/channel_panel_window.h"
#include "viewer/win32/window_class.h"

#include <commctrl.h>

#include "skin/win32/skin_ids.h"
#include "viewer/win32/dispatch_call.h"

namespace tolven::viewer::win {

namespace {
constexpr wchar_t kClass[] = L"VarnViewer_channel_panel";
constexpr int kFormId = 1005, kProgressId = 113;
constexpr LONG kFunctionStyle = 5;

struct PanelKind {
  const wchar_t *title;
  const wchar_t *skin;
  int functionId;
  UINT closing;
};
PanelKind KindOf(Panel panel) {
  switch (panel) {
    case Panel::kNewChannel: return {L"New Channel", L"new.skn", 133, kCloseNew};
    case Panel::kEditChannel: return {L"Edit Channel", L"edit.skn", 132, kCloseEdit};
    case Panel::kAutoTune: break;
  }
  return {L"Auto Tune", L"scan.skn", 134, kCloseAutoTune};
}
}  // namespace

LRESULT CALLBACK CChannelPanelWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto *self = reinterpret_cast<CChannelPanelWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self) {
    switch (message) {
      case kStartScan:
        self->app_.StartScan();
        return 0;
      case WM_CHAR:
        self->app_.PanelChar(self->panel_, static_cast<char16_t>(wParam));
        return 0;
      case WM_CLOSE:  // neither Escape nor Alt+F4: the panel's own buttons close it
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

CChannelPanelWindow::~CChannelPanelWindow() {
  function_.reset();
  form_.Destroy();
  if (window_) DestroyWindow(window_);
}

bool CChannelPanelWindow::Create(POINT at, const std::wstring &skinFolder) {
  HINSTANCE instance = EnsureWindowClass(kClass, &Procedure);
  const PanelKind kind = KindOf(panel_);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, kind.title, WS_POPUP | WS_CLIPCHILDREN, at.x, at.y, 64, 64,
                            main_, nullptr, instance, this);
  if (!window_) return false;
  if (!form_.Create(window_, kFormId, RECT{0, 0, 64, 64})) return false;
  form_.OnEvent([this](const std::wstring &name) { app_.PanelEvent(panel_, WString(name.begin(), name.end())); });
  if (!form_.Load(skinFolder + kind.skin)) return false;
  // The window takes the skin's designed size (the root element's).
  IDispatch *root = GetObject(form_.Object(), skin::dispid::kRoot);
  if (root) {
    const LONG width = GetInt(root, skin::dispid::kWidth), height = GetInt(root, skin::dispid::kHeight);
    root->Release();
    if (width > 0 && height > 0)
      SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT r;
  if (form_.ElementRect(L"Slider-frequency", &r)) {
    progress_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressId)),
                                instance, nullptr);
    SendMessageW(progress_, PBM_SETRANGE32, 0, 100);
    SendMessageW(progress_, PBM_SETSTEP, 1, 0);
    SetWindowPos(progress_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (form_.ElementRect(L"Panel", &r)) {
    function_ = std::make_unique<CSkinPanel>();
    function_->Create(window_, kind.functionId, r, form_.Object(), kFunctionStyle, L"Function");
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (panel_ == Panel::kAutoTune) PostMessageW(window_, kStartScan, 0, 0);
  return true;
}

void CChannelPanelWindow::SetProgress(int32_t percent) {
  if (progress_) SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void CChannelPanelWindow::SetFunctionText(const WString &text) {
  if (function_) function_->SetText(std::wstring(text.begin(), text.end()));
}

void CChannelPanelWindow::PostClose() { PostMessageW(main_, KindOf(panel_).closing, 0, 0); }

}  // namespace tolven::viewer::win
