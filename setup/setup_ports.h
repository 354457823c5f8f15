// The ports the setup libraries reach the system through. ardensetup.dll and
// ardenremove.dll bind them to the win32 adapters; native tests bind them to
// the emulated ones.
#pragma once
#include "platform/clock/clock.h"
#include "platform/debug/debug_output.h"
#include "platform/drivers/installable_drivers.h"
#include "platform/messagebox/message_box.h"
#include "platform/registry/registry.h"
#include "platform/services/service_manager.h"
#include "platform/setupapi/inf_installer.h"

namespace tolven::setup {

struct SetupPorts {
  reg::Registry &registry;
  svc::ServiceManager &services;
  Clock &clock;
  ui::MessageBoxes &messageBoxes;
  inf::InfInstaller &inf;
  drv::InstallableDrivers &drivers;
  dbg::DebugOutput &debug;
};

// The kernel service both libraries manage.
inline constexpr char16_t kServiceName[] = u"tolvenk";
// The caption of every message box of the setup libraries.
inline constexpr char16_t kSetupCaption[] = u"Varn Viewer App Uninstall";

}  // namespace tolven::setup
