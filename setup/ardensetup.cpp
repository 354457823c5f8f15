// ardensetup.dll: the setup program calls InstallVFW once the program files
// are in place. The work is done by the portable installer.
#include <windows.h>

#include "setup/installer.h"
#include "setup/win32_setup_ports.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

// Arguments: owner window (for the INF installation), two unused, the folder
// holding the driver files (no trailing backslash), one unused.
extern "C" BYTE WINAPI InstallVFW(HWND owner, DWORD, DWORD, LPCSTR folder, DWORD) {
  tolven::setup::Win32SetupPorts system;
  return tolven::setup::InstallVfw(system.ports(), reinterpret_cast<tolven::ui::Window>(owner),
                                   folder)
             ? TRUE
             : FALSE;
}
