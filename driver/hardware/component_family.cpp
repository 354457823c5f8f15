#include "driver/hardware/component_family.h"

namespace tolven {

uint32_t CComponentFamily::Describe(uint32_t *record) {
  FillDescription(record);
  return 1;
}
uint32_t CComponentFamily::Request(uint32_t *record) { return Dispatch(record); }
uint32_t CComponentFamily::Dispatch(uint32_t *) { return 0; }
void CComponentFamily::FillDescription(uint32_t *) {}

}  // namespace tolven
