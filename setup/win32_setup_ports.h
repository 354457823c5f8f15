// The setup libraries' ports bound to the real system.
#pragma once
#include "platform/clock/win32_clock.h"
#include "platform/debug/win32_debug_output.h"
#include "platform/drivers/win32_installable_drivers.h"
#include "platform/messagebox/win32_message_boxes.h"
#include "platform/registry/win32_registry.h"
#include "platform/services/win32_service_manager.h"
#include "platform/setupapi/win32_inf_installer.h"
#include "setup/setup_ports.h"

namespace tolven::setup {

struct Win32SetupPorts {
  reg::Win32Registry registry;
  svc::Win32ServiceManager services;
  Win32Clock clock;
  ui::Win32MessageBoxes messageBoxes;
  inf::Win32InfInstaller inf;
  drv::Win32InstallableDrivers drivers;
  dbg::Win32DebugOutput debug;

  SetupPorts ports() {
    return SetupPorts{registry, services, clock, messageBoxes, inf, drivers, debug};
  }
};

}  // namespace tolven::setup
