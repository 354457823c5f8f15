#include "viewer/win32/docked_panel.h"
#include "viewer/win32/window_class.h"

namespace tolven::viewer::win {

namespace {
constexpr wchar_t kClass[] = L"VarnViewer_docked_panel";
constexpr int kFormId = 1005;
constexpr LONG kDockedStyle = 4;
// Control ids: the frame panel, then the three rows top to bottom.
constexpr int kReadoutIds[4] = {130, 126, 124, 125};
constexpr int kStatusIds[4] = {131, 128, 129, 127};
constexpr const wchar_t *kReadoutNames[4] = {L"Window", L"Volume", L"Channel", L"Source"};
constexpr const wchar_t *kStatusNames[4] = {L"Window", L"Mute", L"Function", L"Stereo"};
}  // namespace

LRESULT CALLBACK CDockedPanel::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Panels never take the focus from the main window.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(window, message, wParam, lParam);
}

CDockedPanel::~CDockedPanel() {
  for (auto &p : panels_) p.reset();  // the panels go before their form
  form_.Destroy();
  if (window_) DestroyWindow(window_);
}

bool CDockedPanel::Create(HWND owner, POINT topLeft, const std::wstring &skinFolder) {
  HINSTANCE instance = EnsureWindowClass(kClass, &Procedure);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass, L"", WS_POPUP, topLeft.x, topLeft.y, kWidth,
                            kHeight, owner, nullptr, instance, nullptr);
  if (!window_) return false;
  const RECT whole = {0, 0, kWidth, kHeight};
  if (form_.Create(window_, kFormId, whole)) form_.Load(skinFolder + L"panel.skn");
  const bool readout = kind_ == Kind::kReadout;
  const int *ids = readout ? kReadoutIds : kStatusIds;
  for (int row = 0; row <= 3; ++row) {
    // The frame fills the panel; the rows are 57 x 11 at y 3, 16 and 29.
    const RECT r = row == 0 ? whole : RECT{1, 3 + 13 * (row - 1), 1 + 57, 3 + 13 * (row - 1) + 11};
    panels_[row] = std::make_unique<CSkinPanel>();
    panels_[row]->Create(window_, ids[row], r, form_.Object(), kDockedStyle,
                         readout ? kReadoutNames[row] : kStatusNames[row]);
  }
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  return true;
}

void CDockedPanel::MoveTo(POINT topLeft) {
  if (window_)
    SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDockedPanel::SetRow(int row, const std::wstring &text) {
  if (row >= 1 && row <= 3 && panels_[row]) panels_[row]->SetText(text);
}

}  // namespace tolven::viewer::win
