// The uninstaller behind ardenremove.dll's UninstInitialize: stops and
// deletes the kernel service and removes the capture driver's registration.
#pragma once
#include <cstdint>

#include "setup/setup_ports.h"

namespace tolven::setup {

inline constexpr char16_t kServiceKey[] = u"SYSTEM\\CurrentControlSet\\Services\\tolvenk";
inline constexpr char16_t kDriversDescKey[] =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\drivers.desc";
inline constexpr char16_t kDriversDescValue[] = u"tolvenu.dll";
// The keys whose "MSVIDEO" value registers the capture driver.
inline constexpr const char16_t *kRegistrationKeys[] = {
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32",
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\related.desc",
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Userinstallable.drivers",
};
inline constexpr char16_t kRegistrationValue[] = u"MSVIDEO";

inline constexpr char kUninstallTrace[] = "UnRegistering has been called\n";
inline constexpr char16_t kNoAdministratorUninstallText[] =
    u"Uninstall cannot continue.  You do not have Administrative Priviledges.  "
    u"Uninstall of Varn Viewer App must be performed by a Administrative User.";

// 0 when done or when there was nothing to remove (no service key); -1
// after the permission message (service manager, service or drivers.desc
// not available). Steps already done stay done.
int32_t Uninstall(const SetupPorts &ports);

}  // namespace tolven::setup
