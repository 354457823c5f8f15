// The main window's answers to its skin's events (the element or event
// names the skin fires): source and channel stepping, the channel panels,
// audio, the hint line, the source combo, docking and the window buttons.
// Ignored while the controller is busy.
#pragma once
#include "platform/wide.h"
#include "viewer/app/hint_line.h"
#include "viewer/app/viewer_shell.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

// The two flags a loaded skin sets through its events.
struct SkinFlags {
  bool minSize = false;
  bool menuPopup = false;
};

class CMainWindowEvents {
 public:
  CMainWindowEvents(CViewerController &controller, ViewerShell &shell, SkinFlags &flags)
      : controller_(controller), shell_(shell), flags_(flags) {}

  // Handles one event; false when nothing answered to it.
  bool Handle(WStringView name);
  HintLine &Hint() { return hint_; }

 private:
  bool HandleTuner(WStringView name);
  bool HandleAudio(WStringView name);
  bool HandleHints(WStringView name);
  void ShowHint(uint32_t id);
  void HideHint(uint32_t id);
  uint32_t MuteHint() const;
  uint32_t StereoHint() const;
  void RefreshTexts();

  CViewerController &controller_;
  ViewerShell &shell_;
  SkinFlags &flags_;
  HintLine hint_;
};

}  // namespace tolven::viewer
