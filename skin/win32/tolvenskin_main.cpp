// tolvenskin.dll: the in-process COM server's entry points.
#include <windows.h>
#include <objbase.h>

#include "class_factory.h"
#include "registrar.h"
#include "skin_module.h"

using tolven::skin::ClassFactory;
using tolven::skin::Registrar;
using tolven::skin::SkinModule;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    SkinModule::SetInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return ClassFactory::For(clsid, iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return SkinModule::Unloadable() ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() { return Registrar::Register(); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return Registrar::Unregister(); }
