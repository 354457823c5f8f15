// The ports bound to the real Windows APIs, one set per process.
#pragma once
#include "platform/clock/win32_clock.h"
#include "platform/device/win32_device_io.h"
#include "platform/ports.h"
#include "platform/registry/win32_registry.h"
#include "platform/services/win32_service_manager.h"
#include "platform/files/win32_file_system.h"
#include "platform/messagebox/win32_message_boxes.h"
#include "platform/resources/win32_resources.h"

namespace tolven {

class Win32Platform {
 public:
  Ports ports() { return Ports{registry, services, devices, clock, resources, files, messageBoxes}; }
  static Win32Platform &Instance() {
    static Win32Platform platform;
    return platform;
  }

  reg::Win32Registry registry;
  svc::Win32ServiceManager services;
  dev::Win32DeviceIo devices;
  Win32Clock clock;
  res::Win32Resources resources;
  files::Win32FileSystem files;
  ui::Win32MessageBoxes messageBoxes;
};

}  // namespace tolven
