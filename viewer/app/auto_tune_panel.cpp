#include "viewer/app/auto_tune_panel.h"

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

void CAutoTunePanel::Open() { view_.SetFunctionText(ViewerStrings::Text(kStrAutoTuning)); }

void CAutoTunePanel::Run() {
  if (scanning_ || closed_) return;
  scanning_ = true;
  controller_.AutoScan();
  scanning_ = false;
  if (cancelled_) {
    // Cancel came during the scan: its steps wait until the tuner is free.
    FinishCancel();
    return;
  }
  controller_.Commit();
  closed_ = true;
  view_.PostClose();
}

bool CAutoTunePanel::Event(WStringView name) {
  if (name == u"Cancel") {
    cancelled_ = true;
    if (!scanning_) FinishCancel();
  } else if (name == u"Show-cancel-label") {
    view_.SetFunctionText(ViewerStrings::Text(140));
  } else if (name == u"Hide-cancel-label") {
    view_.SetFunctionText(ViewerStrings::Text(kStrAutoTuning));
  } else {
    return false;
  }
  return true;
}

bool CAutoTunePanel::Progress(int32_t code, int32_t percent) {
  if (code == 1) view_.SetProgress(percent);
  return code == 1 && !cancelled_;
}

void CAutoTunePanel::FinishCancel() {
  if (closed_) return;
  closed_ = true;
  if (controller_.ChannelCount() >= 1) controller_.ChannelUp();
  view_.PostClose();
}

}  // namespace tolven::viewer
