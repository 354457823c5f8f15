// setup.exe: installs Caldra One from the files beside it, or removes it.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "setup_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t **words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int i = 1; words && i < count; ++i) arguments.emplace_back(words[i]);
  if (words) LocalFree(words);
  // The shell's link object and the skin engine's registration need COM.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int code = tolven::setupprogram::SetupProgram().Run(arguments);
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}
