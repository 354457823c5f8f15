// Viewer.exe. The viewer is not built yet: it exits at once with status 1.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 1; }
