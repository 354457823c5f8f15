#include "viewer/win32/remote_window.h"
#include "viewer/win32/window_class.h"

#include <commctrl.h>

#include "viewer/win32/win32_viewer_shell.h"

namespace tolven::viewer::win {

namespace {
constexpr wchar_t kClass[] = L"VarnViewer_remote";
constexpr int kFormId = 1005;
constexpr int kHorizontalId = 109, kVerticalId = 110, kComboId = 111;
constexpr int kComboListHeight = 110;
// By RemoteLabel: volume, source, channel, mute, stereo, function.
constexpr const wchar_t *kLabelNames[6] = {L"Label.Volume", L"Label.Source", L"Label.Channel",
                                           L"Label.Mute",   L"Label.Stereo", L"Label.Function"};
constexpr int kLabelIds[6] = {121, 122, 120, 119, 118, 117};
std::wstring W(WStringView text) { return std::wstring(text.begin(), text.end()); }
}  // namespace

LRESULT CALLBACK CRemoteWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto *self = reinterpret_cast<CRemoteWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_COMMAND && LOWORD(wParam) == kComboId && HIWORD(wParam) == CBN_SELENDOK) {
    const LRESULT pick = SendMessageW(self->combo_, CB_GETCURSEL, 0, 0);
    if (pick != CB_ERR) self->app_.SourcePicked(static_cast<int32_t>(pick));
    return 0;
  }
  if (self && message == WM_CLOSE) {
    self->CloseProgram();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

CRemoteWindow::~CRemoteWindow() {
  DestroyControls();
  form_.Destroy();
  if (window_) DestroyWindow(window_);
}

bool CRemoteWindow::Create(int x, int y, const std::wstring &skin) {
  HINSTANCE instance = EnsureWindowClass(kClass, &Procedure);
  // "Tuner Remote", owned by the main window so it stays above it.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"Tuner Remote", WS_POPUP | WS_CLIPCHILDREN, x, y, kSize,
                            kSize, main_, nullptr, instance, this);
  if (!window_) return false;
  const RECT whole = {0, 0, kSize, kSize};
  if (!form_.Create(window_, kFormId, whole)) return false;
  form_.OnEvent([this](const std::wstring &name) { app_.RemoteEvent(WString(name.begin(), name.end())); });
  if (!form_.Load(skinFolder_ + skin)) return false;
  BuildControls();
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  return true;
}

bool CRemoteWindow::Reload(const std::wstring &skin) {
  ShowSourceCombo(false);
  if (!form_.Load(skinFolder_ + skin)) return false;
  DestroyControls();
  BuildControls();
  return true;
}

void CRemoteWindow::BuildControls() {
  IDispatch *form = form_.Object();
  RECT r;
  // Only one volume bar: the vertical one where the skin has no horizontal.
  if (form_.ElementRect(L"HScroll.Volume", &r)) {
    scroll_ = std::make_unique<CSkinScrollBar>();
    scroll_->Create(window_, kHorizontalId, r, form, CSkinScrollBar::kHorizontal);
  } else if (form_.ElementRect(L"VScroll.Volume", &r)) {
    scroll_ = std::make_unique<CSkinScrollBar>();
    scroll_->Create(window_, kVerticalId, r, form, CSkinScrollBar::kVertical);
  }
  if (scroll_) scroll_->OnChange([this](LONG position) { app_.RemoteScrolled(position); });
  for (size_t i = 0; i < labels_.size(); ++i) {
    if (!form_.ElementRect(kLabelNames[i], &r)) continue;
    labels_[i] = std::make_unique<CSkinLabel>();
    labels_[i]->Create(window_, kLabelIds[i], r, form, kLabelNames[i]);
  }
  if (form_.ElementRect(L"Source-combo", &comboRect_)) {
    combo_ = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, comboRect_.left,
                             comboRect_.top, comboRect_.right - comboRect_.left,
                             comboRect_.bottom - comboRect_.top + kComboListHeight, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), GetModuleHandleW(nullptr),
                             nullptr);
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
}

void CRemoteWindow::DestroyControls() {
  scroll_.reset();
  for (auto &label : labels_) label.reset();
  if (combo_) DestroyWindow(combo_);
  combo_ = nullptr;
}

void CRemoteWindow::FillSources(const std::vector<std::wstring> &names, int current) {
  if (!combo_) return;
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  for (const std::wstring &name : names) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

bool CRemoteWindow::HasLabel(RemoteLabel label) { return labels_[static_cast<size_t>(label)] != nullptr; }

void CRemoteWindow::SetLabel(RemoteLabel label, const WString &text) {
  if (auto &l = labels_[static_cast<size_t>(label)]) l->SetText(std::wstring(text.begin(), text.end()));
}

void CRemoteWindow::SetScrollBars(int32_t position) {
  if (scroll_) scroll_->SetPosition(position);
}

void CRemoteWindow::ShowScrollBars(bool show) {
  if (scroll_) scroll_->Show(show);
}

void CRemoteWindow::ShowSourceCombo(bool show) {
  if (!combo_) return;
  if (show)
    SetWindowPos(combo_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  else
    ShowWindow(combo_, SW_HIDE);
}

void CRemoteWindow::RunSkinCommand(WStringView command) { form_.Command(W(command)); }

void CRemoteWindow::PostToggleDock() { PostMessageW(main_, kToggleDock, 0, 0); }

void CRemoteWindow::CloseProgram() { PostMessageW(main_, WM_CLOSE, 0, 0); }

void CRemoteWindow::ShowHelp(uint32_t context) { Win32ViewerShell::Help(main_, context); }

void CRemoteWindow::ToggleVisible() { app_.ToggleRemote(); }

bool CRemoteWindow::MainMaximized() { return IsZoomed(main_) != FALSE; }

bool CRemoteWindow::BordersHidden() { return app_.BordersHidden(); }

}  // namespace tolven::viewer::win
