// The video window in the main window's "client" area and the pane over it
// that parents the capture window. The window paints the window-frame
// colour; the pane paints nothing (the overlay shows through the capture
// window) and has the capture window repainted when it moves.
#pragma once
#include <windows.h>

#include <functional>

namespace tolven::viewer::win {

class CVideoWindow {
 public:
  // A right button press on either window (screen coordinates).
  using ContextHandler = std::function<void(POINT)>;

  bool Create(HWND main, const RECT &rect, const wchar_t *name);
  // The window over `rect` (main-window client coordinates) and the pane at
  // `pane` inside it (the capture window fills the pane).
  void Move(const RECT &rect, const RECT &pane);
  void Fill();
  HWND Window() const { return window_; }
  HWND Pane() const { return pane_; }
  void OnContextMenu(ContextHandler handler) { context_ = std::move(handler); }
  void OnMouseMove(std::function<void()> handler) { mouseMove_ = std::move(handler); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND pane_ = nullptr;
  ContextHandler context_;
  std::function<void()> mouseMove_;
};

}  // namespace tolven::viewer::win
