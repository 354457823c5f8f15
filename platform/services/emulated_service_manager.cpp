#include "platform/services/emulated_service_manager.h"

#include "platform/win_errors.h"

namespace tolven::svc {

namespace {
const WString kServicesKey = u"SYSTEM\\CurrentControlSet\\Services\\";

WString FileNameOf(WStringView path) {
  size_t slash = path.find_last_of(u"\\/");
  return UpperCase(slash == WStringView::npos ? path : path.substr(slash + 1));
}
}  // namespace

struct EmulatedServiceManager::Service {
  ServiceConfig config;
  uint32_t state = kStopped;
  bool markedForDelete = false;
  bool removed = false;
  std::shared_ptr<KernelDriverImage> running;
};

struct EmulatedServiceManager::Entry {
  enum Kind { kManager, kService, kLock } kind;
  std::shared_ptr<Service> service;
};

EmulatedServiceManager::EmulatedServiceManager(reg::Registry &registry) : registry_(registry) {}

EmulatedServiceManager::~EmulatedServiceManager() {
  for (auto &[name, service] : services_)
    if (service->running) service->running->Unload();
}

Handle EmulatedServiceManager::Fail(uint32_t error) {
  lastError_ = error;
  return 0;
}

bool EmulatedServiceManager::FailBool(uint32_t error) {
  lastError_ = error;
  return false;
}

Handle EmulatedServiceManager::NewHandle(Entry entry) {
  Handle h = nextHandle_;
  nextHandle_ += 8;
  handles_.emplace(h, std::move(entry));
  lastError_ = 0;
  return h;
}

std::shared_ptr<EmulatedServiceManager::Service> EmulatedServiceManager::ServiceOf(Handle handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end() || it->second.kind != Entry::kService) {
    lastError_ = win::kErrorInvalidHandle;
    return nullptr;
  }
  return it->second.service;
}

Handle EmulatedServiceManager::OpenManager(uint32_t) {
  if (!managerAvailable_) return Fail(win::kErrorAccessDenied);
  return NewHandle({Entry::kManager, nullptr});
}

Handle EmulatedServiceManager::LockDatabase(Handle manager) {
  ++lockRequests_;
  auto it = handles_.find(manager);
  if (it == handles_.end() || it->second.kind != Entry::kManager)
    return Fail(win::kErrorInvalidHandle);
  if (refusedLocks_ > 0) {
    --refusedLocks_;
    return Fail(win::kErrorServiceDatabaseLocked);
  }
  if (locked_) return Fail(win::kErrorServiceDatabaseLocked);
  locked_ = true;
  return NewHandle({Entry::kLock, nullptr});
}

bool EmulatedServiceManager::UnlockDatabase(Handle lock) {
  auto it = handles_.find(lock);
  if (it == handles_.end() || it->second.kind != Entry::kLock)
    return FailBool(win::kErrorInvalidHandle);
  handles_.erase(it);
  locked_ = false;
  lastError_ = 0;
  return true;
}

void EmulatedServiceManager::WriteServiceKey(const Service &service) {
  reg::Key key = 0;
  if (registry_.CreateKey(reg::kLocalMachine, kServicesKey + service.config.name, reg::kAllAccess,
                          &key) != win::kErrorSuccess)
    return;
  reg::SetDword(registry_, key, u"Type", service.config.serviceType);
  reg::SetDword(registry_, key, u"Start", service.config.startType);
  reg::SetDword(registry_, key, u"ErrorControl", service.config.errorControl);
  reg::SetString(registry_, key, u"ImagePath", service.config.imagePath, reg::kExpandSz);
  if (!service.config.loadOrderGroup.empty())
    reg::SetString(registry_, key, u"Group", service.config.loadOrderGroup);
  if (!service.config.displayName.empty())
    reg::SetString(registry_, key, u"DisplayName", service.config.displayName);
  registry_.CloseKey(key);
}

Handle EmulatedServiceManager::Create(Handle manager, const ServiceConfig &config) {
  auto it = handles_.find(manager);
  if (it == handles_.end() || it->second.kind != Entry::kManager)
    return Fail(win::kErrorInvalidHandle);
  if (config.name.empty() || config.imagePath.empty()) return Fail(win::kErrorInvalidParameter);
  auto existing = services_.find(UpperCase(config.name));
  if (existing != services_.end())
    return Fail(existing->second->markedForDelete ? win::kErrorServiceMarkedForDelete
                                                  : win::kErrorServiceExists);
  auto service = std::make_shared<Service>();
  service->config = config;
  services_[UpperCase(config.name)] = service;
  WriteServiceKey(*service);
  return NewHandle({Entry::kService, service});
}

Handle EmulatedServiceManager::Open(Handle manager, WStringView name, uint32_t) {
  auto it = handles_.find(manager);
  if (it == handles_.end() || it->second.kind != Entry::kManager)
    return Fail(win::kErrorInvalidHandle);
  auto found = services_.find(UpperCase(name));
  if (found == services_.end()) return Fail(win::kErrorServiceDoesNotExist);
  return NewHandle({Entry::kService, found->second});
}

bool EmulatedServiceManager::QueryStatus(Handle handle, Status *status) {
  auto service = ServiceOf(handle);
  if (!service) return false;
  if (status) {
    *status = Status{};
    status->serviceType = service->config.serviceType;
    status->currentState = service->state;
    status->controlsAccepted = service->state == kRunning ? 1u : 0u;
  }
  lastError_ = 0;
  return true;
}

bool EmulatedServiceManager::ChangeStartType(Handle handle, uint32_t startType) {
  auto service = ServiceOf(handle);
  if (!service) return false;
  if (service->markedForDelete) return FailBool(win::kErrorServiceMarkedForDelete);
  service->config.startType = startType;
  reg::Key key = 0;
  if (registry_.OpenKey(reg::kLocalMachine, kServicesKey + service->config.name, reg::kSetValue,
                        &key) == win::kErrorSuccess) {
    reg::SetDword(registry_, key, u"Start", startType);
    registry_.CloseKey(key);
  }
  lastError_ = 0;
  return true;
}

bool EmulatedServiceManager::Start(Handle handle) {
  auto service = ServiceOf(handle);
  if (!service) return false;
  if (service->markedForDelete) return FailBool(win::kErrorServiceMarkedForDelete);
  if (service->state == kRunning) return FailBool(win::kErrorServiceAlreadyRunning);
  if (service->config.startType == kDisabled) return FailBool(win::kErrorServiceDisabled);
  auto image = images_.find(FileNameOf(service->config.imagePath));
  if (image == images_.end()) return FailBool(win::kErrorFileNotFound);
  WString registryPath = u"\\Registry\\Machine\\" + kServicesKey + service->config.name;
  if (!image->second->Load(service->config.name, registryPath))
    return FailBool(win::kErrorGenFailure);
  service->running = image->second;
  service->state = kRunning;
  lastError_ = 0;
  return true;
}

void EmulatedServiceManager::RemoveService(const std::shared_ptr<Service> &service) {
  reg::DeleteTree(registry_, reg::kLocalMachine, kServicesKey + service->config.name);
  services_.erase(UpperCase(service->config.name));
  service->removed = true;
}

bool EmulatedServiceManager::Control(Handle handle, uint32_t control, Status *status) {
  auto service = ServiceOf(handle);
  if (!service) return false;
  if (control != kControlStop && control != kControlInterrogate)
    return FailBool(win::kErrorInvalidServiceControl);
  if (service->state != kRunning) {
    QueryStatus(handle, status);
    return FailBool(win::kErrorServiceNotActive);
  }
  if (control == kControlStop) {
    auto image = std::move(service->running);
    service->running.reset();
    image->Unload();
    service->state = kStopped;
    if (service->markedForDelete) RemoveService(service);
  }
  QueryStatus(handle, status);
  lastError_ = 0;
  return true;
}

bool EmulatedServiceManager::Delete(Handle handle) {
  auto service = ServiceOf(handle);
  if (!service) return false;
  if (service->markedForDelete || service->removed)
    return FailBool(win::kErrorServiceMarkedForDelete);
  if (service->state == kRunning) {
    service->markedForDelete = true;
  } else {
    RemoveService(service);
  }
  lastError_ = 0;
  return true;
}

bool EmulatedServiceManager::CloseHandle(Handle handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end() || it->second.kind == Entry::kLock)
    return FailBool(win::kErrorInvalidHandle);
  handles_.erase(it);
  lastError_ = 0;
  return true;
}

void EmulatedServiceManager::InstallDriverImage(WStringView fileName,
                                                std::shared_ptr<KernelDriverImage> image) {
  if (image)
    images_[FileNameOf(fileName)] = std::move(image);
  else
    images_.erase(FileNameOf(fileName));
}

bool EmulatedServiceManager::Exists(WStringView name) const {
  return services_.count(UpperCase(name)) != 0;
}

}  // namespace tolven::svc
