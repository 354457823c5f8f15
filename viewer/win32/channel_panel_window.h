// The window of a channel panel (New Channel, Edit Channel, Auto Tune): a
// frameless window sized by its skin, with the progress bar at
// "Slider-frequency" and the "Function" panel at "Panel". Its skin's events
// and typed characters go to the application object; Escape does not close
// it. The Auto Tune window posts itself the start of the scan.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "viewer/app/channel_panel.h"
#include "viewer/app/viewer_app.h"
#include "viewer/win32/skin_form.h"
#include "viewer/win32/skin_panel.h"

namespace tolven::viewer::win {

class CChannelPanelWindow : public ChannelPanelView {
 public:
  CChannelPanelWindow(CViewerApp &app, HWND main, Panel panel) : app_(app), main_(main), panel_(panel) {}
  ~CChannelPanelWindow() override;

  bool Create(POINT at, const std::wstring &skinFolder);
  HWND Handle() const { return window_; }

  // ChannelPanelView
  void SetProgress(int32_t percent) override;
  void SetFunctionText(const WString &text) override;
  void PostClose() override;
  ui::Window Window() override { return reinterpret_cast<ui::Window>(window_); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  CViewerApp &app_;
  HWND main_;
  Panel panel_;
  HWND window_ = nullptr;
  HWND progress_ = nullptr;
  CSkinForm form_;
  std::unique_ptr<CSkinPanel> function_;
};

// The viewer's messages about the channel panels.
inline constexpr UINT kCloseEdit = WM_USER + 213;
inline constexpr UINT kCloseNew = WM_USER + 215;
inline constexpr UINT kCloseAutoTune = WM_USER + 216;
inline constexpr UINT kStartScan = WM_USER + 217;

}  // namespace tolven::viewer::win
