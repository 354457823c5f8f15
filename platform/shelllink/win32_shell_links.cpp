#include "platform/shelllink/win32_shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace tolven::lnk {

namespace {
LPCWSTR W(const WString &s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
}  // namespace

bool Win32ShellLinks::Create(WStringView linkPath, WStringView target, WStringView description) {
  const WString linkZ(linkPath), targetZ(target), descriptionZ(description);
  // Balanced below; harmless when the thread already has COM.
  const HRESULT init = CoInitialize(nullptr);
  bool saved = false;
  IShellLinkW *link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void **>(&link)))) {
    link->SetPath(W(targetZ));
    link->SetDescription(W(descriptionZ));
    IPersistFile *file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
      saved = SUCCEEDED(file->Save(W(linkZ), TRUE));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return saved;
}

WString Win32ShellLinks::ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return WString(reinterpret_cast<const char16_t *>(path), length);
}

}  // namespace tolven::lnk
