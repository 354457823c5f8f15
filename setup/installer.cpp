#include "setup/installer.h"

#include <cstring>
#include <string>

#include "setup/service_removal.h"

namespace tolven::setup {

namespace {

void Refuse(const SetupPorts &ports, const char16_t *text) {
  ports.messageBoxes.Show(ports.messageBoxes.FocusWindow(), text, kSetupCaption, ui::kMbIconError);
}

void RemoveOldService(const SetupPorts &ports, svc::Handle manager) {
  svc::Handle old = ports.services.Open(manager, kServiceName, svc::kServiceAllAccess);
  if (!old) return;
  StopServiceWaiting(ports, old);
  ports.services.Delete(old);
  ports.services.CloseHandle(old);
}

void RegisterCaptureDriver(const SetupPorts &ports, ui::Window owner, const std::string &folder) {
  std::string infPath = folder + kInfFileName;
  inf::Handle inf = ports.inf.Open(infPath, inf::kInfStyleWin4);
  if (inf) {
    ports.inf.InstallSection(inf, owner, kInfSection,
                             inf::kInstallIniFiles | inf::kInstallRegistry);
    ports.inf.Close(inf);
  }
  drv::Handle driver = ports.drivers.Open(kCaptureDriverName, u"", 0);
  if (driver) {
    ports.drivers.Send(driver, drv::kDrvConfigure, 0, 0);
    ports.drivers.Close(driver, 0, 0);
  }
}

}  // namespace

bool InstallVfw(const SetupPorts &ports, ui::Window owner, const char *folder) {
  // The folder and "\vfw.inf" must fit the path buffer with the terminator.
  if (!folder ||
      std::strlen(folder) + std::strlen(kInfFileName) + 1 > kFolderBufferBytes) {
    Refuse(ports, kFolderTooLongText);
    return false;
  }
  std::string folderPath(folder);

  svc::Handle manager = ports.services.OpenManager(svc::kManagerCreateService);
  if (!manager) {
    Refuse(ports, kNoAdministratorInstallText);
    return false;
  }
  RemoveOldService(ports, manager);

  svc::ServiceConfig config;
  config.name = kServiceName;
  config.access = svc::kServiceAllAccess;
  config.serviceType = svc::kKernelDriver;
  config.startType = svc::kDemandStart;
  config.errorControl = svc::kErrorNormal;
  config.imagePath = kImagePath;
  config.loadOrderGroup = kLoadOrderGroup;
  svc::Handle service = ports.services.Create(manager, config);
  if (service) {
    RegisterCaptureDriver(ports, owner, folderPath);
    ports.services.CloseHandle(service);
  }
  ports.services.CloseHandle(manager);
  return true;
}

}  // namespace tolven::setup
