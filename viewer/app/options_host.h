// What the options ask of the application beyond the shell: the remote's
// visibility, the window geometry after the preferences sheet, and whether
// the master volume's mixer opened.
#pragma once

namespace tolven::viewer {

class OptionsHost {
 public:
  virtual ~OptionsHost() = default;
  // Shows the hidden undocked remote, or hides the shown one.
  virtual void ToggleRemote() = 0;
  // After the preferences sheet closed: maximized, the video window refilled;
  // with "Aspect Ratio" on, the window's height set from its width.
  virtual void ReapplyGeometry() = 0;
  virtual bool MasterVolumeAvailable() = 0;
};

}  // namespace tolven::viewer
