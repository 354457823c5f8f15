// "Disable screensaver during use": switches the system screensaver, and the
// power-management product's standby and shut-off when it is present, off
// while the viewer runs and back on at exit. The ViewerApp key records the
// switched-off state so that the next start restores after a crash.
#pragma once
#include "platform/registry/registry.h"
#include "platform/screensaver/screensaver.h"
#include "viewer/app/viewer_settings.h"

namespace tolven::viewer {

class CScreensaverOption {
 public:
  CScreensaverOption(desk::Screensaver &screensaver, reg::Registry &registry, CViewerSettings &settings)
      : screensaver_(screensaver), power_(registry), settings_(settings) {}

  // on: screensaver inactive, standby and shut-off 0; off: screensaver
  // active, the standby and shut-off values read at start written back.
  void Apply(bool disable);
  // The exit's step: always the "off" branch.
  void Restore() { Apply(false); }

 private:
  desk::Screensaver &screensaver_;
  CPowerManagement power_;
  CViewerSettings &settings_;
};

}  // namespace tolven::viewer
