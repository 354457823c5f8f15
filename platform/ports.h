// The set of platform ports a component of this system reaches the operating
// system through. The Windows build binds them to the win32 adapters
// (Win32Platform); native tests and tools bind them to the emulated ones
// (EmulatedPlatform).
#pragma once
#include "platform/clock/clock.h"
#include "platform/device/device_io.h"
#include "platform/files/files.h"
#include "platform/messagebox/message_box.h"
#include "platform/registry/registry.h"
#include "platform/resources/resources.h"
#include "platform/services/service_manager.h"

namespace tolven {

struct Ports {
  reg::Registry &registry;
  svc::ServiceManager &services;
  dev::DeviceIo &devices;
  Clock &clock;
  res::ModuleResources &resources;
  files::FileSystem &files;
  ui::MessageBoxes &messageBoxes;
};

}  // namespace tolven
