#include "platform/services/win32_service_manager.h"

#include <windows.h>

namespace tolven::svc {
namespace {
SC_HANDLE S(Handle h) { return reinterpret_cast<SC_HANDLE>(h); }
std::wstring Z(WStringView s) { return std::wstring(s.begin(), s.end()); }
void Copy(const SERVICE_STATUS &from, Status *to) {
  if (!to) return;
  to->serviceType = from.dwServiceType;
  to->currentState = from.dwCurrentState;
  to->controlsAccepted = from.dwControlsAccepted;
  to->win32ExitCode = from.dwWin32ExitCode;
  to->serviceSpecificExitCode = from.dwServiceSpecificExitCode;
  to->checkPoint = from.dwCheckPoint;
  to->waitHint = from.dwWaitHint;
}
}  // namespace

bool Win32ServiceManager::Done(bool ok) {
  lastError_ = ok ? 0 : GetLastError();
  return ok;
}

Handle Win32ServiceManager::OpenManager(uint32_t access) {
  SC_HANDLE h = OpenSCManagerW(nullptr, nullptr, access);
  Done(h != nullptr);
  return reinterpret_cast<Handle>(h);
}

Handle Win32ServiceManager::LockDatabase(Handle manager) {
  SC_LOCK lock = LockServiceDatabase(S(manager));
  Done(lock != nullptr);
  return reinterpret_cast<Handle>(lock);
}

bool Win32ServiceManager::UnlockDatabase(Handle lock) {
  return Done(UnlockServiceDatabase(reinterpret_cast<SC_LOCK>(lock)) != FALSE);
}

Handle Win32ServiceManager::Create(Handle manager, const ServiceConfig &c) {
  std::wstring name = Z(c.name), display = Z(c.displayName), image = Z(c.imagePath),
               group = Z(c.loadOrderGroup);
  static const wchar_t kNoDependencies[2] = {0, 0};
  SC_HANDLE h = CreateServiceW(S(manager), name.c_str(), c.displayName.empty() ? nullptr : display.c_str(),
                               c.access, c.serviceType, c.startType, c.errorControl, image.c_str(),
                               c.loadOrderGroup.empty() ? nullptr : group.c_str(), nullptr,
                               kNoDependencies, nullptr, nullptr);
  Done(h != nullptr);
  return reinterpret_cast<Handle>(h);
}

Handle Win32ServiceManager::Open(Handle manager, WStringView name, uint32_t access) {
  SC_HANDLE h = OpenServiceW(S(manager), Z(name).c_str(), access);
  Done(h != nullptr);
  return reinterpret_cast<Handle>(h);
}

bool Win32ServiceManager::QueryStatus(Handle service, Status *status) {
  SERVICE_STATUS s{};
  bool ok = QueryServiceStatus(S(service), &s) != FALSE;
  if (ok) Copy(s, status);
  return Done(ok);
}

bool Win32ServiceManager::ChangeStartType(Handle service, uint32_t startType) {
  return Done(ChangeServiceConfigW(S(service), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr) != FALSE);
}

bool Win32ServiceManager::Start(Handle service) {
  return Done(StartServiceW(S(service), 0, nullptr) != FALSE);
}

bool Win32ServiceManager::Control(Handle service, uint32_t control, Status *status) {
  SERVICE_STATUS s{};
  bool ok = ControlService(S(service), control, &s) != FALSE;
  DWORD error = ok ? 0 : GetLastError();
  Copy(s, status);
  lastError_ = error;
  return ok;
}

bool Win32ServiceManager::Delete(Handle service) {
  return Done(DeleteService(S(service)) != FALSE);
}

bool Win32ServiceManager::CloseHandle(Handle handle) {
  return Done(CloseServiceHandle(S(handle)) != FALSE);
}

uint32_t Win32ServiceManager::LastError() const { return lastError_; }

}  // namespace tolven::svc
