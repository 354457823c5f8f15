#include "platform/display/escape_blocks.h"

namespace tolven::display {

Guid VideoPortTypeGuid(uint32_t code) {
  switch (code) {
    case 1: return kVideoPortTypeCode1;
    case 2: return kVideoPortTypeCode2;
    case 4: return kVideoPortTypeCode4;
    default: return Guid{};
  }
}

uint32_t VideoPortTypeCode(const Guid &guid) {
  if (guid == kVideoPortTypeCode2) return 2;
  if (guid == kVideoPortTypeCode4) return 4;
  return 1;
}

}  // namespace tolven::display
