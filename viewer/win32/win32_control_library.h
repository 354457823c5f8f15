// The driver module as the viewer loads it: "tolvenu.dll" from the system's
// search path, and its export "GetVarnInterface".
#pragma once
#include <windows.h>

#include "viewer/core/control_library.h"

namespace tolven::viewer::win {

class Win32ControlLibrary : public ControlLibrary {
 public:
  bool Load() override;
  bool HasExport() override;
  control::IControlFactory *GetVarnInterface() override;
  void Free() override;

 private:
  HMODULE module_ = nullptr;
};

}  // namespace tolven::viewer::win
