// Service control manager port, shaped after the SCM calls the driver and the
// setup libraries make. Handles are opaque; 0 means failure, and LastError()
// then holds the Windows error code, as GetLastError would.
#pragma once
#include <cstdint>

#include "platform/wide.h"

namespace tolven::svc {

using Handle = uintptr_t;

enum ServiceType : uint32_t { kKernelDriver = 1, kFileSystemDriver = 2, kOwnProcess = 0x10 };
enum StartType : uint32_t {
  kBootStart = 0,
  kSystemStart = 1,
  kAutoStart = 2,
  kDemandStart = 3,
  kDisabled = 4,
};
enum ErrorControl : uint32_t { kErrorIgnore = 0, kErrorNormal = 1 };
enum State : uint32_t {
  kStopped = 1,
  kStartPending = 2,
  kStopPending = 3,
  kRunning = 4,
};
enum Control : uint32_t { kControlStop = 1, kControlInterrogate = 4 };
enum Access : uint32_t {
  kManagerCreateService = 0x0002,
  kManagerAllAccess = 0xF003F,
  kServiceAllAccess = 0xF01FF,
};

struct Status {
  uint32_t serviceType = 0;
  uint32_t currentState = 0;
  uint32_t controlsAccepted = 0;
  uint32_t win32ExitCode = 0;
  uint32_t serviceSpecificExitCode = 0;
  uint32_t checkPoint = 0;
  uint32_t waitHint = 0;
};

struct ServiceConfig {
  WString name;
  WString displayName;  // empty: none
  uint32_t access = kServiceAllAccess;
  uint32_t serviceType = kKernelDriver;
  uint32_t startType = kDemandStart;
  uint32_t errorControl = kErrorNormal;
  WString imagePath;
  WString loadOrderGroup;  // empty: none
  // The driver asks for an empty dependency list and no account or password.
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;

  virtual Handle OpenManager(uint32_t access) = 0;
  virtual Handle LockDatabase(Handle manager) = 0;
  virtual bool UnlockDatabase(Handle lock) = 0;
  virtual Handle Create(Handle manager, const ServiceConfig &config) = 0;
  virtual Handle Open(Handle manager, WStringView name, uint32_t access) = 0;
  virtual bool QueryStatus(Handle service, Status *status) = 0;
  // ChangeServiceConfig changing only the start type.
  virtual bool ChangeStartType(Handle service, uint32_t startType) = 0;
  virtual bool Start(Handle service) = 0;
  virtual bool Control(Handle service, uint32_t control, Status *status) = 0;
  virtual bool Delete(Handle service) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  virtual uint32_t LastError() const = 0;
};

}  // namespace tolven::svc
