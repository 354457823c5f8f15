// ardenremove.dll. The uninstaller is not built yet: UninstInitialize
// reports failure (-1) and changes nothing.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" LONG WINAPI UninstInitialize(DWORD, DWORD, DWORD) { return -1; }
extern "C" LONG WINAPI UninstUnInitialize(DWORD, DWORD, DWORD) { return 0; }
