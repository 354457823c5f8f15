#include "platform/contract/contract_environment.h"

#include "platform/win_errors.h"

namespace tolven::contract {

void ResetMachine(const Ports &ports) {
  svc::Handle manager = ports.services.OpenManager(svc::kManagerAllAccess);
  if (manager) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      svc::Handle service = ports.services.Open(manager, kServiceName, svc::kServiceAllAccess);
      if (!service) break;
      svc::Status status;
      ports.services.Control(service, svc::kControlStop, &status);
      ports.services.Delete(service);
      ports.services.CloseHandle(service);
      ports.clock.Sleep(50);
    }
    ports.services.CloseHandle(manager);
  }
  reg::DeleteTree(ports.registry, reg::kCurrentUser, kScratchKey);
  reg::DeleteTree(ports.registry, reg::kLocalMachine, kScratchKey);
  reg::DeleteTree(ports.registry, reg::kLocalMachine,
                  WString(u"SYSTEM\\CurrentControlSet\\Services\\") + kServiceName);
}

}  // namespace tolven::contract
