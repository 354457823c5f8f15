#include "setup/service_removal.h"

#include "platform/win_errors.h"

namespace tolven::setup {

void StopServiceWaiting(const SetupPorts &ports, svc::Handle service) {
  svc::Status status{};
  if (!ports.services.Control(service, svc::kControlInterrogate, &status)) return;
  if (status.currentState == svc::kStopped) return;
  ports.services.Control(service, svc::kControlStop, &status);
  for (int poll = 0; poll < kStopPolls; ++poll) {
    ports.clock.Sleep(kStopPollMs);
    svc::Status now{};
    bool answered = ports.services.Control(service, svc::kControlInterrogate, &now);
    // A stopped service refuses the interrogation as not active and reports
    // its state with the refusal.
    if (now.currentState == svc::kStopped ||
        (!answered && ports.services.LastError() == win::kErrorServiceNotActive))
      return;
  }
}

}  // namespace tolven::setup
