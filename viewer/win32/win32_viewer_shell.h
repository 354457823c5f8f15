// The viewer's windows on Win32: the main window "VarnViewer_main_window"
// with its skin form, source combo box and video windows, and the docked
// panels beside it. Window messages go to the application object.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "viewer/app/viewer_app.h"
#include "viewer/app/viewer_shell.h"
#include "viewer/win32/docked_panel.h"
#include "viewer/win32/skin_form.h"
#include "viewer/win32/video_window.h"

namespace tolven::viewer::win {

class Win32ViewerShell : public ViewerShell {
 public:
  // `skinFolder` ends with a backslash.
  explicit Win32ViewerShell(std::wstring skinFolder) : skinFolder_(std::move(skinFolder)) {}
  ~Win32ViewerShell() override;
  void Attach(CViewerApp *app) { app_ = app; }
  HWND Main() const { return main_; }

  void EnableControlHosting() override;
  ScreenRect MaximizedSize() override;
  bool CreateMainWindow(const ScreenRect &rect, WStringView caption) override;
  void CreateSkinForm() override;
  bool LoadMainSkin(WStringView file) override;
  bool ElementRect(WStringView name, ScreenRect *rect) override;
  void RunSkinCommand(WStringView command) override;
  void TrimSystemMenu() override;
  ScreenRect MainWindowRect() override;
  void CreateVideoWindows(const ScreenRect &client) override;
  void PlaceMainWindow(const ScreenRect &rect) override;
  void FillVideoWindow() override;
  void CreateRemote(int32_t x, int32_t y, WStringView skin) override;
  void CreateDockedPanels(const ScreenRect &main) override;
  bool RemotePosition(int32_t *x, int32_t *y) override;
  void DestroyPanels() override;
  cap::Window VideoPane() override;
  Rect VideoPaneClient() override;
  ui::Window MainWindow() override { return reinterpret_cast<ui::Window>(main_); }
  void FillSources(const std::vector<WString> &names, int32_t current) override;
  void ShowTexts(const WString &volume, const WString &channel, const WString &source, const WString &mute,
                 const WString &stereo) override;
  void SetArrowCursor() override;
  bool IsMaximized() override;
  ScreenRect RestoredRect() override;
  void PostRestore() override;
  void DestroyMainWindow() override;
  void PostToggleDock() override;
  void PostSysCommand(uint32_t command) override;
  void ShowSourceCombo(bool show, const ScreenRect &element) override;
  void ShowHint(const WString &text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void OpenPanel(Panel panel, Point at) override;
  bool PanelOpen(Panel panel) override;
  Point CursorPosition() override;
  bool ReportProgress(int32_t code, int32_t percent) override;
  void PostRepaintVideo() override;

 private:
  static LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PlaceDockedPanels();
  void FollowClient();
  void ContextMenu(POINT at);

  std::wstring skinFolder_;
  CViewerApp *app_ = nullptr;
  HWND main_ = nullptr;
  HWND combo_ = nullptr;
  WNDPROC created_ = nullptr;     // the procedure the window was made with
  WNDPROC subclassed_ = nullptr;  // the procedure after the skin form's
  CSkinForm form_;
  CVideoWindow video_;
  std::unique_ptr<CDockedPanel> readout_, status_;
  HCURSOR savedCursor_ = nullptr;
};

// The viewer's private messages.
inline constexpr UINT kToggleDock = WM_USER + 200;
inline constexpr UINT kRepaintVideo = WM_USER + 212;

}  // namespace tolven::viewer::win
