// What the page tests share: the components through a hub (as the module's
// application object hands them out), on the virtual card or on scripted
// hardware.
#pragma once
#include "driver/control/tests/control_rig.h"
#include "driver/dialogs/component_access.h"
#include "driver/dialogs/tests/fake_page_view.h"

namespace tolven::dialogs::testing {

// The components of one hub; a null hub has none.
class HubComponents : public ComponentAccess {
 public:
  explicit HubComponents(control::IControlHub *hub = nullptr) : hub_(hub) {}
  ~HubComponents() override { Reset(nullptr); }
  void Reset(control::IControlHub *hub) {
    if (hub_) hub_->Release();
    hub_ = hub;
  }
  control::IVideoDecoderControl *GetVideoDecoder() override { return hub_ ? hub_->GetVideoDecoder() : nullptr; }
  control::IVideoPortControl *GetVideoPort() override { return hub_ ? hub_->GetVideoPort() : nullptr; }
  control::IProcAmpControl *GetProcAmp() override { return hub_ ? hub_->GetProcAmp() : nullptr; }

 private:
  control::IControlHub *hub_;
};

// A stored user value of the driver ("vDec_...", "vip_...", "vpa_..."), or
// -1000 when there is none.
inline int64_t Stored(control::ControlEnvironment &env, const char16_t *name) {
  uint32_t value = 0;
  if (!env.Store().ReadUserDword(name, &value)) return -1000;
  return static_cast<int32_t>(value);
}

}  // namespace tolven::dialogs::testing
