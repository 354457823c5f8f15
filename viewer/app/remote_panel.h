// The undocked remote: its event table (sources, channels, the channel
// panels, audio, docking, the scroll bars, hiding, closing and the hints)
// and the texts of its labels. Ignores the skin while the controller is
// busy.
#pragma once
#include <cstdint>

#include "platform/wide.h"
#include "viewer/app/hint_line.h"
#include "viewer/app/remote_view.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

class CRemotePanel {
 public:
  static constexpr uint32_t kHelpContext = 1000;

  CRemotePanel(CViewerController &controller, RemoteView &view) : controller_(controller), view_(view) {}

  // After the skin loaded: the scroll bars, every label and the audio state.
  void Refresh();
  bool Event(WStringView name);
  // A volume scroll bar moved to `position` (ignored during construction
  // and while a hotkey is handled).
  void ScrollBarMoved(int32_t position);
  void SetConstructing(bool constructing) { constructing_ = constructing; }
  // The labels the controller's texts change.
  void ShowTexts();
  const HintLine &Hint() const { return hint_; }

 private:
  bool Tuner() const;
  bool Audio();
  void ShowHint(uint32_t id);
  void HideHint(uint32_t id);
  void ClearHint();
  void ShowChannel();
  uint32_t MuteHint() const;
  uint32_t StereoHint() const;

  CViewerController &controller_;
  RemoteView &view_;
  HintLine hint_;
  bool constructing_ = false;
  bool swallowNext_ = false;
};

}  // namespace tolven::viewer
