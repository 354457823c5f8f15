// ardenremove.dll: the uninstall program calls UninstInitialize to remove the
// kernel service and the capture driver's registration, and
// UninstUnInitialize when it is done. The work is done by the portable
// uninstaller.
#include <windows.h>

#include "setup/uninstaller.h"
#include "setup/win32_setup_ports.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

extern "C" LONG WINAPI UninstInitialize(DWORD, DWORD, DWORD) {
  tolven::setup::Win32SetupPorts system;
  return tolven::setup::Uninstall(system.ports());
}

extern "C" LONG WINAPI UninstUnInitialize(DWORD, DWORD, DWORD) { return 0; }
