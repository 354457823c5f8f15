#include "driver/core/capture_driver.h"

#include <new>

#include "driver/core/vfw_records.h"

namespace tolven {

using namespace vfw;

CCaptureDriver::~CCaptureDriver() {
  // An unload without the closes and DRV_FREE still gives back the device
  // and the service manager.
  for (uintptr_t id : {kVideoExternalIn, kVideoIn, kVideoExternalOut}) delete channels_.TakeChannel(id);
  if (link_) env_.board.CloseHardware(env_.ports, link_);
  if (profile_) CloseServiceProfile(env_.ports, profile_);
}

const char16_t *CCaptureDriver::ServiceName() const {
  return profile_ && profile_->serviceName ? profile_->serviceName : kKernelServiceName;
}

bool CCaptureDriver::DeviceControl(uint32_t code, const void *in, uint32_t inSize, void *out,
                                   uint32_t outSize) {
  return link_ && DeviceLinkControl(env_.ports, link_, code, in, inSize, out, outSize);
}

bool CCaptureDriver::ReadMachineBinary(WStringView name, void *buffer, uint32_t size) {
  return Store().ReadMachineBinary(name, buffer, size);
}
bool CCaptureDriver::ReadUserDword(WStringView name, uint32_t *value) {
  return Store().ReadUserDword(name, value);
}
bool CCaptureDriver::WriteMachineBinary(WStringView name, const void *buffer, uint32_t size) {
  return Store().WriteMachineBinary(name, buffer, size);
}
bool CCaptureDriver::WriteUserDword(WStringView name, uint32_t value) {
  return Store().WriteUserDword(name, value);
}
bool CCaptureDriver::ReadParameterString(WStringView name, WString *value) {
  return Store().ReadParameterString(name, value);
}
bool CCaptureDriver::ReadParameterDword(WStringView name, uint32_t *value) {
  return Store().ReadParameterDword(name, value);
}
bool CCaptureDriver::WriteParameterDword(WStringView name, uint32_t value) {
  return Store().WriteParameterDword(name, value);
}

bool CCaptureDriver::InstallService() {
  if (profile_) return InstallAndStartService(env_.ports, profile_, nullptr, nullptr);
  ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
  if (!profile) return false;
  bool done = InstallAndStartService(env_.ports, profile, nullptr, nullptr);
  CloseServiceProfile(env_.ports, profile);
  return done;
}

intptr_t CCaptureDriver::OnLoad(uintptr_t) {
  if (!profile_) profile_ = OpenServiceProfile(kKernelServiceName);
  return profile_ ? 1 : 0;
}

intptr_t CCaptureDriver::OnEnable(uintptr_t) { return 1; }

intptr_t CCaptureDriver::OnOpen(uintptr_t, intptr_t, intptr_t openParms) {
  auto *parms = reinterpret_cast<VideoOpenParms *>(openParms);
  if (!parms) return static_cast<intptr_t>(kConfigurationInstance);
  parms->dwError = kDvErrOk;
  if (!link_) {
    link_ = env_.board.OpenHardware(env_.ports, kKernelServiceName, 0);
    if (!link_) {
      parms->dwError = kDvErrNotDetected;
      return 0;
    }
  }
  ChannelServices services{env_.gdi, env_.host, env_.dialogs, env_.board};
  CCaptureChannel *channel = nullptr;
  switch (parms->dwFlags) {
    case kVideoExternalIn: channel = new (std::nothrow) CExternalInChannel(link_, services); break;
    case kVideoExternalOut: channel = new (std::nothrow) CExternalOutChannel(link_, services); break;
    case kVideoIn: channel = new (std::nothrow) CVideoInChannel(link_, services); break;
    default: return 0;  // the device link stays open
  }
  if (!channel) return 0;
  channels_.StoreChannel(parms->dwFlags, channel);
  ++openCount_;
  env_.controlModel.EnsureSettingsApplied();
  return static_cast<intptr_t>(parms->dwFlags);
}

intptr_t CCaptureDriver::OnClose(uintptr_t driverId, uintptr_t) {
  if (driverId == 0 || driverId == kConfigurationInstance) return 1;
  delete channels_.TakeChannel(driverId);
  // Guarded: a close without a matching open must not wrap the count.
  if (openCount_ > 0) {
    if (openCount_ == 1 && link_) {
      env_.board.CloseHardware(env_.ports, link_);
      link_ = nullptr;
    }
    --openCount_;
  }
  return 1;
}

intptr_t CCaptureDriver::OnDisable(uintptr_t) { return 1; }

intptr_t CCaptureDriver::OnFree(uintptr_t) {
  CloseServiceProfile(env_.ports, profile_);
  profile_ = nullptr;
  return 1;
}

intptr_t CCaptureDriver::OnInstall(uintptr_t, uintptr_t, intptr_t, intptr_t) { return 1; }
intptr_t CCaptureDriver::OnPnpInstall(uintptr_t, uintptr_t, intptr_t, intptr_t) { return 1; }

intptr_t CCaptureDriver::OnConfigure(uintptr_t, uintptr_t, intptr_t parent, intptr_t) {
  return env_.dialogs.RunDriverSettings(static_cast<uintptr_t>(parent)) ? 1 : 0;
}

bool CCaptureDriver::ServicePresent() {
  if (profile_) return IsServicePresent(env_.ports, profile_);
  // Before DRV_LOAD (or after DRV_FREE) a profile lives for this check only.
  ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
  if (!profile) return false;
  bool present = IsServicePresent(env_.ports, profile);
  CloseServiceProfile(env_.ports, profile);
  return present;
}

intptr_t CCaptureDriver::OnQueryConfigure(uintptr_t, uintptr_t) { return ServicePresent() ? 1 : 0; }

intptr_t CCaptureDriver::OnRemove(uintptr_t, uintptr_t) {
  if (!ServicePresent()) return 0;
  if (profile_) return RemoveService(env_.ports, profile_) ? 1 : 0;
  ServiceProfile *profile = OpenServiceProfile(kKernelServiceName);
  if (!profile) return 0;
  bool removed = RemoveService(env_.ports, profile);
  CloseServiceProfile(env_.ports, profile);
  return removed ? 1 : 0;
}

intptr_t CCaptureDriver::Dispatch(uintptr_t driverId, uintptr_t hDriver, uint32_t message,
                                  intptr_t lParam1, intptr_t lParam2) {
  switch (message) {
    case kDrvLoad: return OnLoad(hDriver);
    case kDrvEnable: return OnEnable(hDriver);
    case kDrvOpen: return OnOpen(hDriver, lParam1, lParam2);
    case kDrvClose: return OnClose(driverId, hDriver);
    case kDrvDisable: return OnDisable(hDriver);
    case kDrvFree: return OnFree(hDriver);
    case kDrvConfigure: return OnConfigure(driverId, hDriver, lParam1, lParam2);
    case kDrvQueryConfigure: return OnQueryConfigure(driverId, hDriver);
    case kDrvInstall: return OnInstall(driverId, hDriver, lParam1, lParam2);
    case kDrvRemove: return OnRemove(driverId, hDriver);
    case kDrvPnpInstall: return OnPnpInstall(driverId, hDriver, lParam1, lParam2);
    default: break;
  }
  if (driverId == 0 || driverId == kConfigurationInstance)
    return env_.host.DefDriverProc(driverId, hDriver, message, lParam1, lParam2);
  CCaptureChannel *channel = channels_.ChannelFor(driverId);
  if (!channel) return kDvErrNotSupported;
  return channel->HandleMessage(hDriver, message, lParam1, lParam2);
}

}  // namespace tolven
