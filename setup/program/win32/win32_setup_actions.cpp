#include "win32_setup_actions.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

#include "silent_answerer.h"

namespace tolven::setupprogram {

namespace {

std::wstring FolderOf(const std::wstring &path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring HexResult(HRESULT result) {
  wchar_t text[16] = {};
  swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(result));
  return text;
}

// The library's procedure, or null with `library` freed.
FARPROC LoadEntry(const std::wstring &dll, const char *entry, HMODULE *library) {
  *library = LoadLibraryW(dll.c_str());
  if (!*library) return nullptr;
  FARPROC proc = GetProcAddress(*library, entry);
  if (!proc) {
    FreeLibrary(*library);
    *library = nullptr;
  }
  return proc;
}

}  // namespace

bool Win32SetupActions::SystemFailure() {
  DWORD code = GetLastError();
  wchar_t *text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  error_ = text ? text : L"";
  if (text) LocalFree(text);
  while (!error_.empty() && (error_.back() == L'\n' || error_.back() == L'\r' || error_.back() == L'.'))
    error_.pop_back();
  error_ += L" (error " + std::to_wstring(code) + L")";
  return false;
}

bool Win32SetupActions::Fail(const std::wstring &why) {
  error_ = why;
  return false;
}

bool Win32SetupActions::Exists(const std::wstring &path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32SetupActions::CreateFolder(const std::wstring &path) {
  return CreateDirectoryW(path.c_str(), nullptr) || SystemFailure();
}

bool Win32SetupActions::RemoveFolder(const std::wstring &path) {
  return RemoveDirectoryW(path.c_str()) || SystemFailure();
}

bool Win32SetupActions::CopyFileTo(const std::wstring &source, const std::wstring &target) {
  if (!CopyFileW(source.c_str(), target.c_str(), TRUE)) return SystemFailure();
  // A copy from read-only media stays read-only; an uninstall must be able to delete it.
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return true;
}

bool Win32SetupActions::MoveFileTo(const std::wstring &source, const std::wstring &target) {
  return MoveFileW(source.c_str(), target.c_str()) || SystemFailure();
}

bool Win32SetupActions::RemoveFile(const std::wstring &path) {
  if (DeleteFileW(path.c_str())) return true;
  SystemFailure();
  // A file in use (a replaced driver image) goes when Windows next starts.
  if (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_SHARING_VIOLATION) {
    std::wstring error = error_;
    if (MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) && path.size() > 9 &&
        path.compare(path.size() - 9, 9, L".previous") == 0)
      return true;
    error_ = error;
  }
  return false;
}

std::wstring Win32SetupActions::RecordedFolder() {
  wchar_t folder[MAX_PATH] = {};
  DWORD size = sizeof folder - sizeof(wchar_t), type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"";
  LONG status = RegQueryValueExW(key, kFolderValue, nullptr, &type, reinterpret_cast<BYTE *>(folder), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? folder : L"";
}

bool Win32SetupActions::RecordFolder(const std::wstring &folder) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(key, kFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE *>(folder.c_str()),
                            static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS || SystemFailure();
}

bool Win32SetupActions::ForgetFolder() {
  LONG status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, kProductKey);
  SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || SystemFailure();
}

bool Win32SetupActions::ServiceExists() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (!manager) return false;
  SC_HANDLE service = OpenServiceW(manager, L"tolvenk", SERVICE_QUERY_STATUS);
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return service != nullptr;
}

bool Win32SetupActions::InstallDriver(const std::wstring &folder) {
  // InstallVFW takes the folder as an ANSI string.
  BOOL lost = FALSE;
  char ansi[MAX_PATH] = {};
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, ansi, MAX_PATH,
                                   nullptr, &lost);
  if (length == 0 || lost)
    return Fail(L"the folder's name cannot be written in the system's code page: " + folder);
  HMODULE library = nullptr;
  using InstallVfwProc = BYTE(WINAPI *)(HWND, DWORD, DWORD, LPCSTR, DWORD);
  auto install = reinterpret_cast<InstallVfwProc>(
      reinterpret_cast<void *>(LoadEntry(folder + L"\\ardensetup.dll", "InstallVFW", &library)));
  if (!install) return SystemFailure();
  BYTE done = 0;
  {
    SilentAnswerer answerer(silent_);
    done = install(GetActiveWindow(), 0, 0, ansi, 0);
  }
  FreeLibrary(library);
  if (!done) return Fail(L"the service manager could not be opened; setup needs administrator rights");
  // InstallVFW says nothing when the service could not be made: look.
  if (!ServiceExists()) return Fail(L"the kernel service \"tolvenk\" was not created");
  return true;
}

bool Win32SetupActions::RemoveDriver(const std::wstring &folder) {
  std::wstring dll = folder + L"\\ardenremove.dll";
  if (!Exists(dll) && !ServiceExists()) return true;  // nothing to remove
  HMODULE library = nullptr;
  using UninstProc = LONG(WINAPI *)(DWORD, DWORD, DWORD);
  auto remove = reinterpret_cast<UninstProc>(
      reinterpret_cast<void *>(LoadEntry(dll, "UninstInitialize", &library)));
  if (!remove) return SystemFailure();
  auto uninitialize = reinterpret_cast<UninstProc>(
      reinterpret_cast<void *>(GetProcAddress(library, "UninstUnInitialize")));
  LONG result = 0;
  {
    SilentAnswerer answerer(silent_);
    result = remove(0, 0, 0);
    if (uninitialize) uninitialize(0, 0, 0);
  }
  FreeLibrary(library);
  if (result != 0) return Fail(L"the driver's registration could not be removed; this needs administrator rights");
  if (ServiceExists()) return Fail(L"the kernel service \"tolvenk\" is still there");
  return true;
}

bool Win32SetupActions::CallRegistration(const std::wstring &dll, const char *entry) {
  // As regsvr32 does: load the server and let it write (or remove) its keys.
  HMODULE library = nullptr;
  using RegisterProc = HRESULT(STDAPICALLTYPE *)();
  auto call = reinterpret_cast<RegisterProc>(reinterpret_cast<void *>(LoadEntry(dll, entry, &library)));
  if (!call) return SystemFailure();
  HRESULT result = call();
  FreeLibrary(library);
  if (FAILED(result))
    return Fail(std::wstring(entry, entry + lstrlenA(entry)) + L" of " + dll + L" returned " + HexResult(result));
  return true;
}

bool Win32SetupActions::RegisterSkins(const std::wstring &dll) { return CallRegistration(dll, "DllRegisterServer"); }

bool Win32SetupActions::UnregisterSkins(const std::wstring &dll) {
  return CallRegistration(dll, "DllUnregisterServer");
}

bool Win32SetupActions::CreateShortcut(const std::wstring &link, const std::wstring &target) {
  IShellLinkW *shellLink = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void **>(&shellLink));
  if (FAILED(result)) return Fail(L"the shell's link object is not available: " + HexResult(result));
  shellLink->SetPath(target.c_str());
  shellLink->SetWorkingDirectory(FolderOf(target).c_str());
  shellLink->SetDescription(L"Watch television with the Caldra One card");
  IPersistFile *file = nullptr;
  result = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
  if (SUCCEEDED(result)) {
    result = file->Save(link.c_str(), TRUE);
    file->Release();
  }
  shellLink->Release();
  if (FAILED(result)) return Fail(L"the shortcut could not be saved: " + HexResult(result));
  return true;
}

std::vector<std::wstring> Win32SetupActions::ListFiles(const std::wstring &folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace tolven::setupprogram
