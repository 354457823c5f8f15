// The DLL's own state: its module handle, the count of objects and locks
// that keep it loaded, and its type library once loaded.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace tolven::skin {

class SkinModule {
 public:
  static HINSTANCE Instance();
  static void SetInstance(HINSTANCE instance);
  static void Lock();
  static void Unlock();
  static bool Unloadable();
  // The full path of this DLL, and of the type library written beside it.
  static std::wstring DllPath();
  static std::wstring TypeLibraryPath();
  // The type description of an interface or class, from the registered type
  // library (null when it is not registered).
  static HRESULT TypeInfo(REFGUID guid, ITypeInfo **info);
};

}  // namespace tolven::skin
