// The viewer's windows on Win32: the main window "VarnViewer_main_window"
// with its skin form, source combo box and video windows, and the docked
// panels beside it. Window messages go to the application object.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "viewer/app/viewer_app.h"
#include "viewer/app/viewer_shell.h"
#include "viewer/win32/channel_panel_window.h"
#include "viewer/win32/docked_panel.h"
#include "viewer/win32/remote_window.h"
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
  RemoteView *CreateRemote(int32_t x, int32_t y, WStringView skin) override;
  bool ReloadRemote(WStringView skin) override;
  void DestroyRemote() override;
  void ShowRemote(bool show) override;
  void CreateDockedPanels(const ScreenRect &main) override;
  void DestroyDockedPanels() override;
  void ShowDockedPanels(bool show) override;
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
  Point CursorPosition() override;
  void PostRepaintVideo() override;
  void PumpMessages() override;
  ChannelPanelView *OpenPanelWindow(Panel panel, Point at) override;
  void ClosePanelWindow(Panel panel) override;
  int32_t WorkAreaHeight() override;
  void PlaceVideo(const ScreenRect &window, const ScreenRect &pane) override;
  uint32_t TrackMenu(const std::vector<MenuItem> &items, bool skinned) override;
  void ShowHelp(uint32_t context) override { Help(main_, context); }
  void ShowAbout() override;
  void PostClose() override;

  // The viewer's help at a context (WinHelp on "Viewer.hlp" beside the program).
  static void Help(HWND owner, uint32_t context);
  // Keys pressed in any of the viewer's own windows (from the message loop):
  // true when the viewer took the key.
  bool KeyDown(const MSG &msg);

 private:
  static LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PlaceDockedPanels();
  // Puts the docked panels and the remote above the main window again.
  void RaiseOwnedWindows();
  void FollowClient();
  std::unique_ptr<CChannelPanelWindow> &PanelWindow(Panel panel);

  std::wstring skinFolder_;
  CViewerApp *app_ = nullptr;
  HWND main_ = nullptr;
  HWND combo_ = nullptr;
  WNDPROC created_ = nullptr;     // the procedure the window was made with
  WNDPROC subclassed_ = nullptr;  // the procedure after the skin form's
  CSkinForm form_;
  CVideoWindow video_;
  std::unique_ptr<CDockedPanel> readout_, status_;
  std::unique_ptr<CRemoteWindow> remote_;
  std::unique_ptr<CChannelPanelWindow> editWindow_, newWindow_, scanWindow_;
  std::vector<std::wstring> sourceNames_;
  int sourceCurrent_ = 0;
  HCURSOR savedCursor_ = nullptr;
  bool cursorHidden_ = false;
  bool menuOpen_ = false;
};

// The viewer's private messages.
inline constexpr UINT kToggleDock = WM_USER + 200;
inline constexpr UINT kRepaintVideo = WM_USER + 212;
// The video windows follow the skin's client element after a size change.
inline constexpr UINT kRelayOut = WM_APP + 1;
// The docked panels and the remote go above the main window again.
inline constexpr UINT kRaiseOwned = WM_APP + 2;
// Timers: 3 hides the cursor over full-screen video, 4 clears the hint,
// 7 ends a typed channel number.
inline constexpr UINT_PTR kTimerCursor = 3, kTimerHint = 4, kTimerKeys = 7;

}  // namespace tolven::viewer::win
