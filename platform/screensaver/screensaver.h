// Screensaver port: the system's "screensaver active" flag, switched for
// this session and announced to the other programs (SPI_SETSCREENSAVEACTIVE
// with SPIF_SENDWININICHANGE).
#pragma once

namespace tolven::desk {

class Screensaver {
 public:
  virtual ~Screensaver() = default;
  // True when the system took the new state.
  virtual bool SetActive(bool active) = 0;
};

}  // namespace tolven::desk
