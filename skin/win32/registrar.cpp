#include "registrar.h"

#include <oleauto.h>
#include <shlwapi.h>

#include "dispatch_members.h"
#include "skin_ids.h"
#include "skin_module.h"
#include "type_library_writer.h"

namespace tolven::skin {

namespace {
std::wstring Text(const GUID &guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// Version-independent program id: "Tolven.SkinForm.1" without ".1".
std::wstring Independent(const wchar_t *progId) {
  std::wstring id = progId;
  return id.substr(0, id.find_last_of(L'.'));
}

bool Put(const std::wstring &key, const wchar_t *name, const std::wstring &value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return rc == ERROR_SUCCESS;
}

const IID *const kInterfaces[] = {&kIidForm, &kIidElement, &kIidPanel, &kIidLabel, &kIidScrollBar,
                                  &kIidMenu, &kIidFormEvents, &kIidScrollEvents};
SYSKIND Kind() { return sizeof(void *) == 8 ? SYS_WIN64 : SYS_WIN32; }
}  // namespace

std::vector<std::wstring> Registrar::Keys() {
  std::vector<std::wstring> keys;
  for (int i = 0; i < kClassCount; ++i) {
    keys.push_back(L"CLSID\\" + Text(*kClasses[i].clsid));
    keys.push_back(kClasses[i].progId);
    keys.push_back(Independent(kClasses[i].progId));
  }
  keys.push_back(L"TypeLib\\" + Text(kLibid));
  for (const IID *iid : kInterfaces) keys.push_back(L"Interface\\" + Text(*iid));
  return keys;
}

HRESULT Registrar::Register() {
  std::wstring dll = SkinModule::DllPath(), library = Text(kLibid);
  bool ok = true;
  for (int i = 0; i < kClassCount; ++i) {
    const ClassDesc &c = kClasses[i];
    std::wstring key = L"CLSID\\" + Text(*c.clsid), independent = Independent(c.progId);
    ok = ok && Put(key, nullptr, c.help) && Put(key + L"\\InprocServer32", nullptr, dll) &&
         Put(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         Put(key + L"\\ProgID", nullptr, c.progId) &&
         Put(key + L"\\VersionIndependentProgID", nullptr, independent) &&
         Put(key + L"\\TypeLib", nullptr, library) && Put(key + L"\\Version", nullptr, L"1.0") &&
         Put(key + L"\\Programmable", nullptr, L"");
    if (c.control) {
      DWORD status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                     OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
      ok = ok && Put(key + L"\\Control", nullptr, L"") && Put(key + L"\\MiscStatus", nullptr, L"0") &&
           Put(key + L"\\MiscStatus\\1", nullptr, std::to_wstring(status));
    }
    ok = ok && Put(c.progId, nullptr, c.help) && Put(std::wstring(c.progId) + L"\\CLSID", nullptr, Text(*c.clsid)) &&
         Put(independent, nullptr, c.help) && Put(independent + L"\\CLSID", nullptr, Text(*c.clsid)) &&
         Put(independent + L"\\CurVer", nullptr, c.progId);
  }
  if (!ok) return SELFREG_E_CLASS;
  // The type library is written beside the DLL, then registered, which also
  // registers its dispatch interfaces.
  std::wstring path = SkinModule::TypeLibraryPath();
  ITypeLib *typeLibrary = nullptr;
  HRESULT hr = TypeLibraryWriter::Write(path);
  if (SUCCEEDED(hr)) hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &typeLibrary);
  if (typeLibrary) typeLibrary->Release();
  return SUCCEEDED(hr) ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT Registrar::Unregister() {
  UnRegisterTypeLib(kLibid, 1, 0, LOCALE_NEUTRAL, Kind());
  DeleteFileW(SkinModule::TypeLibraryPath().c_str());
  // Whatever the type library's removal left, and every key of ours.
  for (const std::wstring &key : Keys()) SHDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
  return S_OK;
}

}  // namespace tolven::skin
