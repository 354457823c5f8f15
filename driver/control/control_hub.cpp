#include "driver/control/control_hub.h"

#include <new>

#include "driver/control/component_base.h"
#include "driver/control/crossbar_control.h"
#include "driver/control/proc_amp_control.h"
#include "driver/control/tuner_control.h"
#include "driver/control/video_decoder_control.h"
#include "driver/control/video_port_control.h"

namespace tolven::control {

namespace {

// Allocation failure leaves a null component rather than ending the hub.
template <class T>
T *Create(ControlEnvironment &environment) {
  return new (std::nothrow) T(environment);
}

template <class I>
void Destroy(I *&component) {
  if (component) component->DeletingDestructor(1);
  component = nullptr;
}

}  // namespace

IControlFactory *CreateControlFactory(ControlEnvironment *environment) {
  if (!environment) return nullptr;
  return new (std::nothrow) CControlFactory(*environment);
}

CControlHub::CControlHub(ControlEnvironment &environment)
    : decoder_(Create<CVideoDecoderControl>(environment)),
      crossbar_(Create<CCrossbarControl>(environment)),
      tuner_(Create<CTunerControl>(environment)),
      procAmp_(Create<CProcAmpControl>(environment)),
      videoPort_(Create<CVideoPortControl>(environment)) {}

CControlHub::~CControlHub() {
  Destroy(decoder_);
  Destroy(crossbar_);
  Destroy(tuner_);
  Destroy(procAmp_);
  Destroy(videoPort_);
}

ITunerControl *CControlHub::GetTuner() { return tuner_; }
ICrossbarControl *CControlHub::GetCrossbar() { return crossbar_; }
IVideoDecoderControl *CControlHub::GetVideoDecoder() { return decoder_; }
IProcAmpControl *CControlHub::GetProcAmp() { return procAmp_; }
IVideoPortControl *CControlHub::GetVideoPort() { return videoPort_; }
void CControlHub::Release() { delete this; }
void *CControlHub::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

IControlHub *CControlFactory::CreateInterface(int32_t version) {
  if (version != 1) return nullptr;
  return new (std::nothrow) CControlHub(env_);
}

void CControlFactory::Release() { delete this; }
void *CControlFactory::DeletingDestructor(uint32_t flags) { return DeleteWithFlags(this, flags); }

void ControlModelStartup::EnsureSettingsApplied() {
  if (applied_) return;
  IControlFactory *factory = CreateControlFactory(&env_);
  if (!factory) return;
  applied_ = true;
  IControlHub *hub = factory->CreateInterface(1);
  factory->Release();
  if (!hub) return;
  if (IVideoDecoderControl *d = hub->GetVideoDecoder(); d && d->GetVideoStandardCount() >= 1)
    d->LoadSettings();
  if (IVideoPortControl *p = hub->GetVideoPort(); p && p->GetVideoFormatCount() >= 1) p->LoadSettings();
  if (ICrossbarControl *x = hub->GetCrossbar(); x && x->GetSourceCount() >= 1) x->LoadSettings();
  if (ITunerControl *t = hub->GetTuner(); t && t->GetInputCount() >= 1) t->LoadSettings();
  if (IProcAmpControl *a = hub->GetProcAmp()) a->LoadSettings();
  hub->Release();
}

}  // namespace tolven::control
