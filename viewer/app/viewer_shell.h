// What the application object asks of the windowing system: the main
// window with its skin form, the video windows, the panels beside it and the
// few system calls of start-up and exit. The Win32 program implements it;
// tests record the calls.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/capture/capture_windows.h"
#include "platform/messagebox/message_box.h"
#include "platform/wide.h"
#include "viewer/app/channel_panel.h"
#include "viewer/app/context_menu.h"
#include "viewer/app/remote_view.h"
#include "viewer/app/viewer_settings.h"
#include "viewer/core/capture_link.h"
#include "viewer/core/controller_view.h"

namespace tolven::viewer {

class ViewerShell {
 public:
  virtual ~ViewerShell() = default;

  // ActiveX hosting and 3-D dialog controls.
  virtual void EnableControlHosting() = 0;
  // The size of a maximized window (its right and bottom).
  virtual ScreenRect MaximizedSize() = 0;
  // Registers the main window's class and creates it at `rect` (screen) with
  // its caption; false when it could not be made.
  virtual bool CreateMainWindow(const ScreenRect &rect, WStringView caption) = 0;
  // Creates the skin form in the main window.
  virtual void CreateSkinForm() = 0;
  // Puts a skin file of "Skins\Default" into the form and reads the path
  // back: true when it loaded.
  virtual bool LoadMainSkin(WStringView file) = 0;
  // An element's rectangle in the main window's client coordinates; false
  // when the loaded skin has no such element.
  virtual bool ElementRect(WStringView name, ScreenRect *rect) = 0;
  virtual void RunSkinCommand(WStringView command) = 0;
  // Removes "&About skin..." and the item after it from the system menu.
  virtual void TrimSystemMenu() = 0;
  // The main window's rectangle (screen).
  virtual ScreenRect MainWindowRect() = 0;
  // The video window over `client` (main-window client coordinates) and
  // the pane covering it.
  virtual void CreateVideoWindows(const ScreenRect &client) = 0;
  // Moves the main window to `rect`, adds the minimize and maximize boxes,
  // subclasses it for WM_GETMINMAXINFO and shows it.
  virtual void PlaceMainWindow(const ScreenRect &rect) = 0;
  // Fills the video window with the window-frame colour.
  virtual void FillVideoWindow() = 0;
  // The undocked remote at (x, y) with its skin: its window's view, or null
  // when it could not be made (the skin did not load).
  virtual RemoteView *CreateRemote(int32_t x, int32_t y, WStringView skin) = 0;
  // Another skin for the remote (a layout change while undocked); false when
  // it did not load (the remote keeps its controls).
  virtual bool ReloadRemote(WStringView skin) = 0;
  virtual void DestroyRemote() = 0;
  virtual void ShowRemote(bool show) = 0;
  virtual void CreateDockedPanels(const ScreenRect &main) = 0;
  virtual void DestroyDockedPanels() = 0;
  virtual void ShowDockedPanels(bool show) = 0;
  // The remote's top left corner, when there is a remote.
  virtual bool RemotePosition(int32_t *x, int32_t *y) = 0;
  // Every panel window (remote, docked and channel panels).
  virtual void DestroyPanels() = 0;
  virtual cap::Window VideoPane() = 0;
  virtual Rect VideoPaneClient() = 0;
  virtual ui::Window MainWindow() = 0;
  // The source list (names, the current one selected).
  virtual void FillSources(const std::vector<WString> &names, int32_t current) = 0;
  // The texts of the panels: volume, channel, source, mute, stereo.
  virtual void ShowTexts(const WString &volume, const WString &channel, const WString &source, const WString &mute,
                         const WString &stereo) = 0;
  virtual void SetArrowCursor() = 0;
  virtual bool IsMaximized() = 0;
  // The window rectangle before maximizing, while maximized.
  virtual ScreenRect RestoredRect() = 0;
  virtual void PostRestore() = 0;
  virtual void DestroyMainWindow() = 0;

  // Main-window actions of the skin's events.
  virtual void PostToggleDock() = 0;
  virtual void PostSysCommand(uint32_t command) = 0;  // SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE
  virtual void ShowSourceCombo(bool show, const ScreenRect &element) = 0;
  // The hint line (the "Function" panel of the docked status panel).
  virtual void ShowHint(const WString &text) = 0;

  // What the controller asks for (see ControllerView).
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  virtual Point CursorPosition() = 0;
  virtual void PostRepaintVideo() = 0;
  // Handles the waiting messages (a search keeps its panel alive).
  virtual void PumpMessages() = 0;

  // A channel panel's window with its skin, at a screen point: its view, or
  // null when it could not be made.
  virtual ChannelPanelView *OpenPanelWindow(Panel panel, Point at) = 0;
  virtual void ClosePanelWindow(Panel panel) = 0;

  // Geometry.
  virtual int32_t WorkAreaHeight() = 0;
  // The video window over the whole client element and the pane in it.
  virtual void PlaceVideo(const ScreenRect &window, const ScreenRect &pane) = 0;

  // The context menu at the cursor (the skin's menu object when `skinned`):
  // the command chosen, or 0.
  virtual uint32_t TrackMenu(const std::vector<MenuItem> &items, bool skinned) = 0;
  virtual void ShowHelp(uint32_t context) = 0;
  virtual void ShowAbout() = 0;
  virtual void PostClose() = 0;
};

// System commands the skin posts.
inline constexpr uint32_t kScMinimize = 0xF020;
inline constexpr uint32_t kScMaximize = 0xF030;
inline constexpr uint32_t kScRestore = 0xF120;

}  // namespace tolven::viewer
