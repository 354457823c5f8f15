// The undocked remote: a frameless window of 135 x 135 pixels, outlined by
// its skin, with the scroll bar, labels and source combo box its skin's
// elements ask for. Its skin's events and the scroll bar go to the
// application object; it is the remote's view.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "viewer/app/remote_view.h"
#include "viewer/app/viewer_app.h"
#include "viewer/win32/skin_form.h"
#include "viewer/win32/skin_label.h"
#include "viewer/win32/skin_scroll_bar.h"

namespace tolven::viewer::win {

class CRemoteWindow : public RemoteView {
 public:
  static constexpr int kSize = 135;

  CRemoteWindow(CViewerApp &app, HWND main, std::wstring skinFolder)
      : app_(app), main_(main), skinFolder_(std::move(skinFolder)) {}
  ~CRemoteWindow() override;

  // The window at (x, y) with `skin`; false when the skin did not load.
  bool Create(int x, int y, const std::wstring &skin);
  // Another skin: the controls are made again when it loads.
  bool Reload(const std::wstring &skin);
  HWND Window() const { return window_; }
  void FillSources(const std::vector<std::wstring> &names, int current);

  // RemoteView
  bool HasLabel(RemoteLabel label) override;
  void SetLabel(RemoteLabel label, const WString &text) override;
  void SetScrollBars(int32_t position) override;
  void ShowScrollBars(bool show) override;
  void ShowSourceCombo(bool show) override;
  void RunSkinCommand(WStringView command) override;
  void PostToggleDock() override;
  void CloseProgram() override;
  void ShowHelp(uint32_t context) override;
  void ToggleVisible() override;
  bool MainMaximized() override;
  bool BordersHidden() override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void BuildControls();
  void DestroyControls();

  CViewerApp &app_;
  HWND main_;
  std::wstring skinFolder_;
  HWND window_ = nullptr;
  HWND combo_ = nullptr;
  RECT comboRect_{};
  CSkinForm form_;
  std::unique_ptr<CSkinScrollBar> scroll_;
  std::array<std::unique_ptr<CSkinLabel>, 6> labels_;
};

}  // namespace tolven::viewer::win
