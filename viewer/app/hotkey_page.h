// The "Hotkeys" page of the preferences sheet: binds key combinations to the
// nine commands. A combination already bound, or a command already bound,
// is refused; applying stores the bindings and registers them again, and a
// combination the system refused is marked in the list.
#pragma once
#include "platform/hotkeys/system_hotkeys.h"
#include "viewer/app/hotkey_bindings.h"
#include "viewer/app/page_view.h"
#include "viewer/app/viewer_settings.h"

namespace tolven::viewer {

class CHotkeyPage : public PagePresenter {
 public:
  CHotkeyPage(CHotkeyBindings &bindings, CViewerSettings &settings, hk::Window window)
      : bindings_(bindings), settings_(settings), window_(window) {}

  void OnInit(PageView &view) override;
  void OnCommand(PageView &view, int control, int notification) override;
  void OnApply(PageView &view) override;

  bool Modified() const { return modified_; }

 private:
  void EnableControls(PageView &view, bool enabled);
  void FillList(PageView &view);
  WString Line(int32_t command, uint32_t value);
  void Assign(PageView &view);
  void Modify(PageView &view);

  CHotkeyBindings &bindings_;
  CViewerSettings &settings_;
  hk::Window window_;
  bool modified_ = false;
};

}  // namespace tolven::viewer
