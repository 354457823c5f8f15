// A controller view that records what the controller asked of it.
#pragma once
#include <utility>
#include <vector>

#include "viewer/core/controller_view.h"

namespace tolven::viewer::testing {

class RecordingView : public ControllerView {
 public:
  void BeginWaitCursor() override { ++waitDepth; ++waits; }
  void EndWaitCursor() override { --waitDepth; }
  void ApplyLayout(int32_t code) override { layouts.push_back(code); }
  void Show(uint32_t what) override { shown.push_back(what); }
  void OpenPanel(Panel panel, Point at) override {
    opened.push_back({panel, at});
    open[static_cast<int>(panel)] = true;
  }
  bool PanelOpen(Panel panel) override { return open[static_cast<int>(panel)]; }
  Point CursorPosition() override { return cursor; }
  bool ReportProgress(int32_t code, int32_t percent) override {
    progress.push_back({code, percent});
    return !(stopAfter >= 0 && static_cast<int>(progress.size()) > stopAfter);
  }
  void PostRepaintVideo() override { ++repaints; }

  int waitDepth = 0;
  int waits = 0;
  std::vector<int32_t> layouts;
  std::vector<uint32_t> shown;
  std::vector<std::pair<Panel, Point>> opened;
  bool open[3] = {false, false, false};
  Point cursor{500, 400};
  std::vector<std::pair<int32_t, int32_t>> progress;
  int stopAfter = -1;  // stop after that many reports; -1 never
  int repaints = 0;
};

}  // namespace tolven::viewer::testing
