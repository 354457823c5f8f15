#include "skin_module.h"

#include "skin_ids.h"

namespace tolven::skin {

namespace {
HINSTANCE g_instance = nullptr;
LONG g_locks = 0;
}  // namespace

HINSTANCE SkinModule::Instance() { return g_instance; }
void SkinModule::SetInstance(HINSTANCE instance) { g_instance = instance; }
void SkinModule::Lock() { InterlockedIncrement(&g_locks); }
void SkinModule::Unlock() { InterlockedDecrement(&g_locks); }
bool SkinModule::Unloadable() { return g_locks == 0; }

std::wstring SkinModule::DllPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(g_instance, path, MAX_PATH);
  return path;
}

std::wstring SkinModule::TypeLibraryPath() {
  std::wstring path = DllPath();
  size_t dot = path.find_last_of(L'.');
  return (dot == std::wstring::npos ? path : path.substr(0, dot)) + L".tlb";
}

HRESULT SkinModule::TypeInfo(REFGUID guid, ITypeInfo **info) {
  *info = nullptr;
  ITypeLib *library = nullptr;
  HRESULT hr = LoadRegTypeLib(kLibid, 1, 0, LOCALE_NEUTRAL, &library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(guid, info);
  library->Release();
  return hr;
}

}  // namespace tolven::skin
