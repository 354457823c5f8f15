// Base of every chip component: requests are records of 32-bit words whose
// first word is an operation code (requests.h), dispatched to the family's
// operations.
#pragma once
#include "driver/hardware/hardware_component.h"

namespace tolven {

class CComponentFamily : public CHardwareComponent {
 public:
  using CHardwareComponent::CHardwareComponent;
  uint32_t Describe(uint32_t *record) final;  // FillDescription, answers 1
  uint32_t Request(uint32_t *record) final;   // Dispatch
  // 1 for a known operation code, 0 (record untouched) for an unknown one.
  virtual uint32_t Dispatch(uint32_t *record);          // 8
  virtual void FillDescription(uint32_t *record);       // 9
};

}  // namespace tolven
