// ardensetup.dll. The installer is not built yet: InstallVFW reports failure
// and changes nothing.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" BYTE WINAPI InstallVFW(HWND, DWORD, DWORD, LPCSTR, DWORD) { return FALSE; }
