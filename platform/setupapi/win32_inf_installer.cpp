#include "platform/setupapi/win32_inf_installer.h"

#include <windows.h>
#include <setupapi.h>

#include <string>

namespace tolven::inf {

Handle Win32InfInstaller::Open(std::string_view path, uint32_t style) {
  std::string pathZ(path);
  HINF inf = SetupOpenInfFileA(pathZ.c_str(), nullptr, style, nullptr);
  if (inf == INVALID_HANDLE_VALUE) return 0;
  return reinterpret_cast<Handle>(inf);
}

bool Win32InfInstaller::InstallSection(Handle inf, ui::Window owner, std::string_view section,
                                       uint32_t flags) {
  std::string sectionZ(section);
  return SetupInstallFromInfSectionA(reinterpret_cast<HWND>(owner), reinterpret_cast<HINF>(inf),
                                     sectionZ.c_str(), flags, nullptr, nullptr, 0, nullptr,
                                     nullptr, nullptr, nullptr) != FALSE;
}

void Win32InfInstaller::Close(Handle inf) { SetupCloseInfFile(reinterpret_cast<HINF>(inf)); }

}  // namespace tolven::inf
