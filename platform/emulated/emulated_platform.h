// One emulated machine: registry, service manager, devices and simulated time
// wired together, so that starting a kernel-driver service can create its
// device and write its registry values as on Windows.
#pragma once
#include "platform/clock/clock.h"
#include "platform/device/emulated_device_io.h"
#include "platform/ports.h"
#include "platform/registry/emulated_registry.h"
#include "platform/services/emulated_service_manager.h"
#include "platform/files/emulated_file_system.h"
#include "platform/messagebox/emulated_message_boxes.h"
#include "platform/resources/emulated_resources.h"

namespace tolven {

class EmulatedPlatform {
 public:
  EmulatedPlatform() = default;
  EmulatedPlatform(const EmulatedPlatform &) = delete;
  EmulatedPlatform &operator=(const EmulatedPlatform &) = delete;

  Ports ports() { return Ports{registry, services, devices, clock, resources, files, messageBoxes}; }

  // Declared so that the service manager goes first: unloading its running
  // drivers touches the devices and the registry.
  reg::EmulatedRegistry registry;
  dev::EmulatedDeviceIo devices;
  SimulatedClock clock;
  svc::EmulatedServiceManager services{registry};
  // The driver module's resources (empty until a test adds some) and the
  // files and profile directories of the machine's user.
  res::EmulatedResources resources;
  files::EmulatedFileSystem files;
  // Message boxes are recorded, never shown.
  ui::EmulatedMessageBoxes messageBoxes;
};

// A minimal kernel driver: at load it creates the exclusive device VidCap0
// (or the next free number) with its DOS link and reports "DeviceName" and
// "InstallError" = 0 under the service's Parameters key; at unload it removes
// the device. It stands for any driver file a test installs.
class MinimalVidCapDriver : public svc::KernelDriverImage {
 public:
  explicit MinimalVidCapDriver(EmulatedPlatform &platform) : platform_(platform) {}
  bool Load(WStringView serviceName, WStringView registryPath) override;
  void Unload() override;
  const WString &DeviceName() const { return deviceName_; }
  std::shared_ptr<dev::ExclusiveDevice> Device() const { return device_; }

 private:
  EmulatedPlatform &platform_;
  WString deviceName_;
  std::shared_ptr<dev::ExclusiveDevice> device_;
};

}  // namespace tolven
