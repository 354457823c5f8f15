// The undocked remote's window as its presenter sees it: the labels it
// created from its skin, the volume scroll bars, the source combo box, and
// the requests that go to the main window.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::viewer {

enum class RemoteLabel { kVolume, kSource, kChannel, kMute, kStereo, kFunction };

class RemoteView {
 public:
  virtual ~RemoteView() = default;
  // False when the loaded skin has no such label.
  virtual bool HasLabel(RemoteLabel label) = 0;
  virtual void SetLabel(RemoteLabel label, const WString &text) = 0;
  virtual void SetScrollBars(int32_t position) = 0;
  virtual void ShowScrollBars(bool show) = 0;
  virtual void ShowSourceCombo(bool show) = 0;
  virtual void RunSkinCommand(WStringView command) = 0;
  virtual void PostToggleDock() = 0;
  // Closes the remote and with it the main window (the program ends).
  virtual void CloseProgram() = 0;
  virtual void ShowHelp(uint32_t context) = 0;
  virtual void ToggleVisible() = 0;
  virtual bool MainMaximized() = 0;
  virtual bool BordersHidden() = 0;
};

}  // namespace tolven::viewer
