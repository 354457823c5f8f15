// The screensaver port over SystemParametersInfoW.
#pragma once
#include "platform/screensaver/screensaver.h"

namespace tolven::desk {

class Win32Screensaver : public Screensaver {
 public:
  bool SetActive(bool active) override;
  // SPI_GETSCREENSAVEACTIVE, for tests.
  static bool IsActive();
};

}  // namespace tolven::desk
