#include "driver/hardware/video_port.h"

namespace tolven {

bool CVideoPort::TakeWindow(const BoardRect &window) {
  if (destination_.rect == window) return false;
  destination_.rect = window;
  return true;
}

}  // namespace tolven
