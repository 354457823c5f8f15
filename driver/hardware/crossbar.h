// The input crossbar switch (kind 4) and the picture controls (kind 16).
// Their register work lives in the video decoder's registers.
#pragma once
#include "driver/hardware/control_bus.h"

namespace tolven {

class CCrossbarSwitch : public CComponentFamily {
 public:
  explicit CCrossbarSwitch(CControlBus &bus) : CComponentFamily(kKindCrossbar), bus_(bus) {}

 protected:
  CControlBus &bus_;
};

class CProcAmp : public CComponentFamily {
 public:
  explicit CProcAmp(CControlBus &bus) : CComponentFamily(kKindProcAmp), bus_(bus) {}

 protected:
  CControlBus &bus_;
};

}  // namespace tolven
