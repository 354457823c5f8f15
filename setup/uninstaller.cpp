#include "setup/uninstaller.h"

#include "platform/win_errors.h"
#include "setup/service_removal.h"

namespace tolven::setup {

namespace {

// Raised by any step that needs administrative rights and did not get them.
struct ERegError {};

void RemoveService(const SetupPorts &ports) {
  svc::Handle manager = ports.services.OpenManager(svc::kManagerCreateService);
  if (!manager) throw ERegError{};
  svc::Handle service = ports.services.Open(manager, kServiceName, svc::kServiceAllAccess);
  if (!service) {
    ports.services.CloseHandle(manager);
    throw ERegError{};
  }
  StopServiceWaiting(ports, service);
  ports.services.Delete(service);
  ports.services.CloseHandle(service);
  ports.services.CloseHandle(manager);
}

void RemoveRegistration(const SetupPorts &ports) {
  reg::Key key = 0;
  if (ports.registry.OpenKey(reg::kLocalMachine, kDriversDescKey, reg::kAllAccess, &key) !=
      win::kErrorSuccess)
    throw ERegError{};
  ports.registry.DeleteValue(key, kDriversDescValue);
  ports.registry.CloseKey(key);
  for (const char16_t *path : kRegistrationKeys) {
    if (ports.registry.OpenKey(reg::kLocalMachine, path, reg::kAllAccess, &key) !=
        win::kErrorSuccess)
      continue;
    ports.registry.DeleteValue(key, kRegistrationValue);
    ports.registry.CloseKey(key);
  }
}

}  // namespace

int32_t Uninstall(const SetupPorts &ports) {
  ports.debug.Write(kUninstallTrace);
  reg::Key key = 0;
  if (ports.registry.OpenKey(reg::kLocalMachine, kServiceKey, reg::kRead, &key) !=
      win::kErrorSuccess)
    return 0;
  ports.registry.CloseKey(key);
  try {
    RemoveService(ports);
    RemoveRegistration(ports);
  } catch (const ERegError &) {
    ports.messageBoxes.Show(ports.messageBoxes.FocusWindow(), kNoAdministratorUninstallText,
                            kSetupCaption, ui::kMbIconError);
    return -1;
  }
  return 0;
}

}  // namespace tolven::setup
