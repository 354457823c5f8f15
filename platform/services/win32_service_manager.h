// The service manager port on the real service control manager.
#pragma once
#include "platform/services/service_manager.h"

namespace tolven::svc {

class Win32ServiceManager : public ServiceManager {
 public:
  Handle OpenManager(uint32_t access) override;
  Handle LockDatabase(Handle manager) override;
  bool UnlockDatabase(Handle lock) override;
  Handle Create(Handle manager, const ServiceConfig &config) override;
  Handle Open(Handle manager, WStringView name, uint32_t access) override;
  bool QueryStatus(Handle service, Status *status) override;
  bool ChangeStartType(Handle service, uint32_t startType) override;
  bool Start(Handle service) override;
  bool Control(Handle service, uint32_t control, Status *status) override;
  bool Delete(Handle service) override;
  bool CloseHandle(Handle handle) override;
  uint32_t LastError() const override;

 private:
  bool Done(bool ok);
  uint32_t lastError_ = 0;
};

}  // namespace tolven::svc
