// How the pages reach the control components: through the module's
// application object, whose hub is replaced before each sheet runs, so a page
// asks again at every use. Each accessor may answer null.
#pragma once
#include "driver/control/control_interface.h"

namespace tolven::dialogs {

class ComponentAccess {
 public:
  virtual ~ComponentAccess() = default;
  virtual control::IVideoDecoderControl *GetVideoDecoder() = 0;
  virtual control::IVideoPortControl *GetVideoPort() = 0;
  virtual control::IProcAmpControl *GetProcAmp() = 0;
};

}  // namespace tolven::dialogs
