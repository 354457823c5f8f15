// In-process service control manager. Services live in the emulated
// registry the way Windows keeps them (under HKLM's service key, one key per
// service with Type, Start, ErrorControl, ImagePath, Group), and a
// kernel driver "loads" by running the KernelDriverImage installed for its
// image file name.
#pragma once
#include <map>
#include <memory>

#include "platform/registry/registry.h"
#include "platform/services/service_manager.h"

namespace tolven::svc {

// What a .sys file does when the service manager loads or unloads it.
class KernelDriverImage {
 public:
  virtual ~KernelDriverImage() = default;
  // DriverEntry; registryPath is "\Registry\Machine\SYSTEM\...\Services\<name>".
  virtual bool Load(WStringView serviceName, WStringView registryPath) = 0;
  virtual void Unload() = 0;
};

class EmulatedServiceManager : public ServiceManager {
 public:
  explicit EmulatedServiceManager(reg::Registry &registry);
  ~EmulatedServiceManager() override;

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
  uint32_t LastError() const override { return lastError_; }

  // Test controls.
  // Makes a driver file available: a service whose image path ends in this
  // file name (case-insensitive) runs `image` when started. Null removes it.
  void InstallDriverImage(WStringView fileName, std::shared_ptr<KernelDriverImage> image);
  void SetManagerAvailable(bool available) { managerAvailable_ = available; }
  // The next `count` lock requests fail as though another program held the lock.
  void RefuseLocks(int count) { refusedLocks_ = count; }
  int LockRequests() const { return lockRequests_; }
  size_t OpenHandleCount() const { return handles_.size(); }
  bool Exists(WStringView name) const;

 private:
  struct Service;
  struct Entry;
  Handle Fail(uint32_t error);
  bool FailBool(uint32_t error);
  std::shared_ptr<Service> ServiceOf(Handle handle);
  void WriteServiceKey(const Service &service);
  void RemoveService(const std::shared_ptr<Service> &service);
  Handle NewHandle(Entry entry);

  reg::Registry &registry_;
  std::map<WString, std::shared_ptr<Service>> services_;  // upper-case name
  std::map<WString, std::shared_ptr<KernelDriverImage>> images_;  // upper-case file name
  std::map<Handle, Entry> handles_;
  Handle nextHandle_ = 0x1000;
  bool managerAvailable_ = true;
  bool locked_ = false;
  int refusedLocks_ = 0;
  int lockRequests_ = 0;
  uint32_t lastError_ = 0;
};

}  // namespace tolven::svc
