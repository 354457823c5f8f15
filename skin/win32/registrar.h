// The registry entries of the DLL's classes, their program ids and the
// type library: written for DllRegisterServer, removed for DllUnregisterServer.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tolven::skin {

class Registrar {
 public:
  static HRESULT Register();
  static HRESULT Unregister();
  // Every key under HKEY_CLASSES_ROOT that registration makes.
  static std::vector<std::wstring> Keys();
};

}  // namespace tolven::skin
