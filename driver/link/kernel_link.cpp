#include "driver/link/kernel_link.h"

#include <cstring>
#include <new>

#include "platform/win_errors.h"

namespace tolven {

namespace {

constexpr char16_t kImagePathPrefix[] = u"\\SystemRoot\\SYSTEM32\\DRIVERS\\";
constexpr char16_t kImagePathSuffix[] = u".SYS";
constexpr char16_t kGroupNameBase[] = u"Base";
constexpr char16_t kGroupNameSynthesizer[] = u"Synthesizer Drivers";
constexpr uint32_t kLockRetryMilliseconds = 100;
constexpr uint32_t kDeviceNameBufferBytes = 44;  // 21 characters and a terminator

bool EnsureManager(const Ports &ports, ServiceProfile *profile) {
  if (!profile->serviceManager)
    profile->serviceManager = ports.services.OpenManager(svc::kManagerAllAccess);
  return profile->serviceManager != 0;
}

// Waits for the service database lock, polling. Only a lock held by someone
// else is worth waiting for; any other refusal would never clear.
svc::Handle LockDatabase(const Ports &ports, svc::Handle manager) {
  for (;;) {
    svc::Handle lock = ports.services.LockDatabase(manager);
    if (lock) return lock;
    if (ports.services.LastError() != win::kErrorServiceDatabaseLocked) return 0;
    ports.clock.Sleep(kLockRetryMilliseconds);
  }
}

WString ServiceKeyPath(const char16_t *serviceName) {
  return WString(kServicesKeyRoot) + serviceName;
}

}  // namespace

ServiceProfile *OpenServiceProfile(const char16_t *serviceName) {
  auto *profile = new (std::nothrow) ServiceProfile{};
  if (profile) profile->serviceName = serviceName;
  return profile;
}

void CloseServiceProfile(const Ports &ports, ServiceProfile *profile) {
  if (!profile) return;
  if (profile->serviceManager) ports.services.CloseHandle(profile->serviceManager);
  delete profile;
}

bool EnsureService(const Ports &ports, const char16_t *serviceName, int groupKind,
                   ServiceProfile *profile, bool create) {
  profile->serviceName = serviceName;
  if (!EnsureManager(ports, profile)) return false;

  svc::Handle service =
      ports.services.Open(profile->serviceManager, serviceName, svc::kServiceAllAccess);
  if (!service) {
    if (ports.services.LastError() != win::kErrorServiceDoesNotExist || !create) return false;
    svc::Handle lock = LockDatabase(ports, profile->serviceManager);
    if (!lock) return false;
    svc::ServiceConfig config;
    config.name = serviceName;
    config.access = svc::kServiceAllAccess;
    config.serviceType = svc::kKernelDriver;
    config.startType = svc::kDemandStart;
    config.errorControl = svc::kErrorNormal;
    config.imagePath = WString(kImagePathPrefix) + serviceName + kImagePathSuffix;
    config.loadOrderGroup = groupKind == kGroupSynthesizerDrivers ? kGroupNameSynthesizer : kGroupNameBase;
    service = ports.services.Create(profile->serviceManager, config);
    ports.services.UnlockDatabase(lock);
    if (!service) return false;
  }

  svc::Status status;
  if (ports.services.QueryStatus(service, &status) && status.serviceType == svc::kKernelDriver) {
    ports.services.CloseHandle(service);
    return true;
  }
  ports.services.CloseHandle(profile->serviceManager);
  profile->serviceManager = 0;
  ports.services.CloseHandle(service);
  return false;
}

bool IsServicePresent(const Ports &ports, ServiceProfile *profile) {
  EnsureService(ports, profile->serviceName, kGroupBase, profile, false);
  return profile->serviceManager != 0;
}

bool IsServiceRunning(const Ports &ports, ServiceProfile *profile) {
  if (!EnsureManager(ports, profile)) return false;
  svc::Handle service = ports.services.Open(profile->serviceManager, profile->serviceName,
                                                   svc::kServiceAllAccess);
  if (!service) return false;
  svc::Status status;
  bool running = ports.services.QueryStatus(service, &status) &&
                 status.serviceType == svc::kKernelDriver && status.currentState == svc::kRunning;
  ports.services.CloseHandle(service);
  return running;
}

bool StopKernelService(const Ports &ports, ServiceProfile *profile) {
  if (!EnsureManager(ports, profile)) return false;
  svc::Handle service = ports.services.Open(profile->serviceManager, profile->serviceName,
                                                   svc::kServiceAllAccess);
  if (!service) return ports.services.LastError() == win::kErrorServiceDoesNotExist;
  bool result = ports.services.ChangeStartType(service, svc::kDemandStart);
  if (result) {
    svc::Status status;
    if (ports.services.QueryStatus(service, &status) && status.currentState == svc::kRunning)
      result = ports.services.Control(service, svc::kControlStop, &status);
  }
  ports.services.CloseHandle(service);
  return result;
}

bool StartKernelService(const Ports &ports, ServiceProfile *profile) {
  if (!EnsureManager(ports, profile)) return false;
  svc::Handle service = ports.services.Open(profile->serviceManager, profile->serviceName,
                                                   svc::kServiceAllAccess);
  if (!service) return false;
  bool result = ports.services.Start(service);
  if (result) result = ports.services.ChangeStartType(service, svc::kSystemStart);
  ports.services.CloseHandle(service);
  return result;
}

bool InstallAndStartService(const Ports &ports, ServiceProfile *profile, InstallHook hook,
                            void *hookContext) {
  if (!EnsureService(ports, profile->serviceName, kGroupBase, profile, true)) return false;
  StopKernelService(ports, profile);
  if (hook && !hook(hookContext)) return false;
  return StartKernelService(ports, profile);
}

bool RemoveService(const Ports &ports, ServiceProfile *profile) {
  if (IsServiceRunning(ports, profile) && !StopKernelService(ports, profile)) return false;

  reg::Key serviceKey = 0;
  if (ports.registry.OpenKey(reg::kLocalMachine, ServiceKeyPath(profile->serviceName),
                             reg::kAllAccess, &serviceKey) == win::kErrorSuccess) {
    ports.registry.DeleteKey(serviceKey, kParametersSubKey);
    ports.registry.FlushKey(serviceKey);
    ports.registry.CloseKey(serviceKey);
  }

  if (!EnsureManager(ports, profile)) return false;
  svc::Handle service = ports.services.Open(profile->serviceManager, profile->serviceName,
                                                   svc::kServiceAllAccess);
  if (!service) return ports.services.LastError() == win::kErrorServiceDoesNotExist;
  svc::Handle lock = LockDatabase(ports, profile->serviceManager);
  bool deleted = ports.services.Delete(service);
  if (lock) ports.services.UnlockDatabase(lock);
  ports.services.CloseHandle(service);
  return deleted;
}

DeviceLink *OpenDeviceLink(const Ports &ports, const char16_t *serviceName, uint32_t index) {
  WString deviceName;
  if (serviceName) {
    if (index != 0) return nullptr;
    reg::Key key = 0;
    WString path = ServiceKeyPath(serviceName) + u"\\" + kParametersSubKey;
    if (ports.registry.OpenKey(reg::kLocalMachine, path, reg::kQueryValue, &key) !=
        win::kErrorSuccess)
      return nullptr;
    char16_t buffer[kDeviceNameBufferBytes / 2] = {};
    uint32_t type = 0;
    uint32_t size = kDeviceNameBufferBytes;
    reg::Status status = ports.registry.QueryValue(key, kDeviceNameValue, &type, buffer, &size);
    ports.registry.CloseKey(key);
    if (status != win::kErrorSuccess || type != reg::kSz) return nullptr;
    // The value may lack its terminator; never read past the buffer.
    size_t length = 0;
    while (length < size / 2 && length < 21 && buffer[length]) ++length;
    if (length == 0) return nullptr;
    deviceName.assign(buffer, length);
  } else {
    deviceName = WString(kDeviceBaseName) + DecimalW(index);
  }

  auto *link = new (std::nothrow) DeviceLink{};
  if (!link) return nullptr;
  link->workerCommand = kWorkerCommandRun;
  link->device = ports.devices.OpenDevice(u"\\\\.\\" + deviceName, dev::kGenericRead, 0,
                                          dev::kFlagOverlapped);
  if (link->device == dev::kInvalidHandle) {
    delete link;
    return nullptr;
  }
  link->workEvent = ports.devices.NewEvent(false, false);
  link->doneEvent = ports.devices.NewEvent(false, false);
  if (!link->workEvent || !link->doneEvent) {
    if (link->workEvent) ports.devices.CloseHandle(link->workEvent);
    if (link->doneEvent) ports.devices.CloseHandle(link->doneEvent);
    ports.devices.CloseHandle(link->device);
    delete link;
    return nullptr;
  }
  return link;
}

void CloseDeviceLink(const Ports &ports, DeviceLink *link) {
  if (!link) return;
  link->workerCommand = kWorkerCommandStop;  // no worker is ever started
  ports.devices.CloseHandle(link->device);
  ports.devices.CloseHandle(link->workEvent);
  ports.devices.CloseHandle(link->doneEvent);
  delete link;
}

bool DeviceLinkControl(const Ports &ports, DeviceLink *link, uint32_t code, const void *in,
                       uint32_t inSize, void *out, uint32_t outSize) {
  if (!link) return false;
  uint32_t returned = 0;
  return ports.devices.Control(link->device, code, in, inSize, out, outSize, &returned);
}

}  // namespace tolven
