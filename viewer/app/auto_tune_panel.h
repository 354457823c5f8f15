// The Auto Tune panel: runs the tuner's automatic scan once it is shown,
// moving its bar with the scan's reports, and closes itself when the scan
// ends. Cancel stops the scan at its next report; with channels found the
// viewer then steps to the next channel.
#pragma once
#include <cstdint>

#include "platform/wide.h"
#include "viewer/app/channel_panel.h"
#include "viewer/core/viewer_controller.h"

namespace tolven::viewer {

class CAutoTunePanel {
 public:
  CAutoTunePanel(CViewerController &controller, ChannelPanelView &view) : controller_(controller), view_(view) {}

  // Shows "Auto-tuning..." (the window then posts itself the start).
  void Open();
  // The posted start: the whole scan.
  void Run();
  bool Event(WStringView name);
  bool Progress(int32_t code, int32_t percent);
  bool Cancelled() const { return cancelled_; }
  bool Scanning() const { return scanning_; }

 private:
  void FinishCancel();

  CViewerController &controller_;
  ChannelPanelView &view_;
  bool scanning_ = false;
  bool cancelled_ = false;
  bool closed_ = false;
};

}  // namespace tolven::viewer
