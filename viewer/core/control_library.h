// How the viewer reaches the driver module's control interface: load the
// module, find its export "GetVarnInterface" and call it.
#pragma once
#include "driver/control/control_interface.h"

namespace tolven::viewer {

class ControlLibrary {
 public:
  virtual ~ControlLibrary() = default;
  // Loads "tolvenu.dll" (a loaded module stays loaded until Free).
  virtual bool Load() = 0;
  // Whether the loaded module exports "GetVarnInterface".
  virtual bool HasExport() = 0;
  // Calls the export: the factory, or null.
  virtual control::IControlFactory *GetVarnInterface() = 0;
  virtual void Free() = 0;
};

}  // namespace tolven::viewer
