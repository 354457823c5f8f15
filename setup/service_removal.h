// Stopping the kernel service before it is deleted, shared by the installer
// (which replaces an old service) and the uninstaller.
#pragma once
#include "setup/setup_ports.h"

namespace tolven::setup {

// How long a stopping service is given: this many waits of kStopPollMs,
// interrogating the service after each.
inline constexpr int kStopPolls = 11;
inline constexpr uint32_t kStopPollMs = 1000;

// Interrogates the open service; when that succeeds and the service is not
// stopped, sends the stop control and then waits (at most kStopPolls times
// kStopPollMs) until an interrogation reports it stopped. Whether it stopped
// is not reported: deleting a service that still runs marks it for deletion.
void StopServiceWaiting(const SetupPorts &ports, svc::Handle service);

}  // namespace tolven::setup
