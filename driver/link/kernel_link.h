// The user-mode side of the kernel service: keeping the "tolvenk" service
// installed and running through the service manager, and opening its device
// as the driver's claim on the card (the device admits one handle at a time).
#pragma once
#include <cstdint>

#include "platform/device/device_io.h"
#include "platform/ports.h"
#include "platform/services/service_manager.h"

namespace tolven {

inline constexpr char16_t kKernelServiceName[] = u"tolvenk";
inline constexpr char16_t kServicesKeyRoot[] = u"SYSTEM\\CurrentControlSet\\Services\\";
inline constexpr char16_t kParametersSubKey[] = u"Parameters";
inline constexpr char16_t kDeviceNameValue[] = u"DeviceName";
inline constexpr char16_t kDeviceBaseName[] = u"VidCap";

// One per service name in use. The service-manager handle is opened on first
// use and kept open between calls.
struct ServiceProfile {
  svc::Handle serviceManager = 0;
  const char16_t *serviceName = nullptr;  // not owned
};

enum ServiceGroupKind : int { kGroupBase = 1, kGroupSynthesizerDrivers = 2 };

// Called between stopping and restarting the service; false aborts the install.
using InstallHook = bool (*)(void *context);

ServiceProfile *OpenServiceProfile(const char16_t *serviceName);
void CloseServiceProfile(const Ports &ports, ServiceProfile *profile);

bool EnsureService(const Ports &ports, const char16_t *serviceName, int groupKind,
                   ServiceProfile *profile, bool create);
bool IsServicePresent(const Ports &ports, ServiceProfile *profile);
bool IsServiceRunning(const Ports &ports, ServiceProfile *profile);
bool StopKernelService(const Ports &ports, ServiceProfile *profile);
bool StartKernelService(const Ports &ports, ServiceProfile *profile);
bool InstallAndStartService(const Ports &ports, ServiceProfile *profile, InstallHook hook,
                            void *hookContext);
bool RemoveService(const Ports &ports, ServiceProfile *profile);

// One per open device.
struct DeviceLink {
  dev::Handle device = 0;
  // Room for a worker thread; no worker is started in this system.
  uint32_t workerThreadId = 0;
  uint32_t workerThreadHandle = 0;
  uint32_t workerCommand = 0;
  dev::Handle workEvent = 0;
  dev::Handle doneEvent = 0;
};

inline constexpr uint32_t kWorkerCommandRun = 6;
inline constexpr uint32_t kWorkerCommandStop = 3;

// With a service name the device is the one the service reports in its
// "DeviceName" parameter (index must be 0); without one it is VidCap<index>.
DeviceLink *OpenDeviceLink(const Ports &ports, const char16_t *serviceName, uint32_t index);
void CloseDeviceLink(const Ports &ports, DeviceLink *link);
bool DeviceLinkControl(const Ports &ports, DeviceLink *link, uint32_t code, const void *in,
                       uint32_t inSize, void *out, uint32_t outSize);

}  // namespace tolven
