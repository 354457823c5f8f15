#include "viewer/app/screensaver_option.h"

namespace tolven::viewer {

void CScreensaverOption::Apply(bool disable) {
  const PowerManagementState &power = settings_.power;
  if (disable) {
    // Recorded first: a crash right after switching off still restores.
    settings_.RecordSwitchedOff();
    screensaver_.SetActive(false);
    if (power.present) power_.Write(0, 0);
  } else {
    screensaver_.SetActive(true);
    if (power.present) power_.Write(power.shutOffEnabled, power.standbyEnabled);
    settings_.DropSwitchedOffRecord();
  }
}

}  // namespace tolven::viewer
