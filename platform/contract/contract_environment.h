// What the port contract cases run against. The same cases are compiled into
// a native test program (emulated adapters) and a Windows test program run
// under Wine (win32 adapters); each build supplies MakeContractEnvironment.
#pragma once
#include <memory>

#include "platform/ports.h"

namespace tolven::contract {

// The service and scratch keys the cases use.
inline constexpr char16_t kServiceName[] = u"tolvenk";
inline constexpr char16_t kScratchKey[] = u"Software\\Quillon\\PortContract";

class ContractEnvironment {
 public:
  virtual ~ContractEnvironment() = default;
  virtual Ports ports() = 0;
  // Makes the kernel service's driver available as "<service>.SYS" in the
  // system driver folder. Once started it creates \Device\VidCap0 and its
  // DOS link, admits one open at a time, and writes "DeviceName" = "VidCap0"
  // and "InstallError" = 0 under its Parameters key.
  virtual bool ProvideDriverFile(WStringView serviceName) = 0;
  // Wine hands out a device handle before the driver answers the open, so
  // an exclusive open cannot be shown there.
  virtual bool ShowsExclusiveOpen() const = 0;
};

std::unique_ptr<ContractEnvironment> MakeContractEnvironment();

// Stops and deletes the service if it exists and waits until it is gone;
// removes the scratch keys. Leaves the machine as the cases expect to find it.
void ResetMachine(const Ports &ports);

}  // namespace tolven::contract
