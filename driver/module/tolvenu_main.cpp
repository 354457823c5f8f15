// tolvenu.dll entry points. The installable-driver message handling is not
// built yet: the driver loads and unloads, and refuses every channel open.
#include <windows.h>
#include <mmsystem.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM lParam1,
                                     LPARAM lParam2) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
      return 1;
    case DRV_OPEN:
      return 0;  // no capture channels yet
    default:
      return DefDriverProc(driverId, driver, message, lParam1, lParam2);
  }
}
