// The factory GetVarnInterface hands out and the hub it creates: the hub
// owns one of each component, built in the order decoder, crossbar, tuner,
// picture controls, video port.
#pragma once
#include "driver/control/control_interface.h"
#include "driver/control/control_model.h"

namespace tolven::control {

class CControlHub final : public IControlHub {
 public:
  explicit CControlHub(ControlEnvironment &environment);
  ~CControlHub();
  CControlHub(const CControlHub &) = delete;
  CControlHub &operator=(const CControlHub &) = delete;

  TOLVEN_THISCALL ITunerControl *GetTuner() override;
  TOLVEN_THISCALL ICrossbarControl *GetCrossbar() override;
  TOLVEN_THISCALL IVideoDecoderControl *GetVideoDecoder() override;
  TOLVEN_THISCALL IProcAmpControl *GetProcAmp() override;
  TOLVEN_THISCALL IVideoPortControl *GetVideoPort() override;
  TOLVEN_THISCALL void Release() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;

 private:
  // Owned; any may be null when its allocation failed.
  IVideoDecoderControl *decoder_ = nullptr;
  ICrossbarControl *crossbar_ = nullptr;
  ITunerControl *tuner_ = nullptr;
  IProcAmpControl *procAmp_ = nullptr;
  IVideoPortControl *videoPort_ = nullptr;
};

class CControlFactory final : public IControlFactory {
 public:
  explicit CControlFactory(ControlEnvironment &environment) : env_(environment) {}
  ~CControlFactory() = default;

  TOLVEN_THISCALL int32_t GetInterfaceVersion() override { return 1; }
  TOLVEN_THISCALL int32_t GetInterfaceRevision() override { return 1; }
  TOLVEN_THISCALL IControlHub *CreateInterface(int32_t version) override;
  TOLVEN_THISCALL void Release() override;
  TOLVEN_THISCALL void *DeletingDestructor(uint32_t flags) override;

 private:
  ControlEnvironment &env_;
};

}  // namespace tolven::control
