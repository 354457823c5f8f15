// What the controller asks of the windows that show it: the wait cursor,
// the layout, the texts, the channel panels and the progress of a search
// (which pumps the messages that keep the panels alive).
#pragma once
#include <cstdint>

namespace tolven::viewer {

enum class Panel { kEditChannel, kNewChannel, kAutoTune };

// Which texts changed.
enum Shown : uint32_t {
  kShowVolume = 1,
  kShowChannel = 2,
  kShowSource = 4,
  kShowMute = 8,
  kShowStereo = 16,
  kShowAll = 31,
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

class ControllerView {
 public:
  virtual ~ControllerView() = default;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  // Reloads the remote, or refreshes the main window's labels and layout
  // commands, for a layout code.
  virtual void ApplyLayout(int32_t layoutCode) = 0;
  virtual void Show(uint32_t shown) = 0;
  // Opens a channel panel with its top left corner at a screen point.
  virtual void OpenPanel(Panel panel, Point at) = 0;
  virtual bool PanelOpen(Panel panel) = 0;
  virtual Point CursorPosition() = 0;
  // A search's progress (code 1 the scan's percentage, 2 to 5 a seek's or a
  // step's): shows it, pumps the message queue and idle processing, and
  // answers false when the open panel asked to stop.
  virtual bool ReportProgress(int32_t code, int32_t percent) = 0;
  virtual void PostRepaintVideo() = 0;
};

}  // namespace tolven::viewer
