#include "driver/hardware/video_decoder.h"

namespace tolven {

bool CVideoDecoderChip::Detect() {
  bus_.WriteRegister(kDecoderBusAddress, 0x18, 0x24, 1);
  uint8_t id = 0;
  if (!bus_.ReadRegister(kDecoderBusAddress, 0xFE, &id, 1)) return false;
  return (id >> 4) == 0xA;
}

}  // namespace tolven
