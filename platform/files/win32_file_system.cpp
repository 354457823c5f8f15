#include "platform/files/win32_file_system.h"

#include <windows.h>

#include <algorithm>

namespace tolven::files {

namespace {
using GetUserProfileDirectoryFn = BOOL(WINAPI *)(HANDLE, LPWSTR, LPDWORD);

GetUserProfileDirectoryFn ProfileFunction() {
  // Loaded once and kept for the life of the process.
  static GetUserProfileDirectoryFn function = [] {
    HMODULE userenv = LoadLibraryW(L"userenv.dll");
    if (!userenv) return GetUserProfileDirectoryFn(nullptr);
    return reinterpret_cast<GetUserProfileDirectoryFn>(
        reinterpret_cast<void *>(GetProcAddress(userenv, "GetUserProfileDirectoryW")));
  }();
  return function;
}

const wchar_t *W(const WString &s) { return reinterpret_cast<const wchar_t *>(s.c_str()); }
}  // namespace

Status Win32FileSystem::QueryUserProfileDirectory(char16_t *buffer, uint32_t *size) {
  GetUserProfileDirectoryFn function = ProfileFunction();
  if (!function) return kErrorProcNotFound;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return GetLastError();
  DWORD chars = *size;
  BOOL ok = function(token, reinterpret_cast<LPWSTR>(buffer), &chars);
  Status status = ok ? ERROR_SUCCESS : GetLastError();
  CloseHandle(token);
  *size = chars;
  if (!ok && status == ERROR_SUCCESS) status = ERROR_GEN_FAILURE;
  return status;
}

bool Win32FileSystem::WindowsDirectory(WString *path) {
  wchar_t buffer[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return false;
  path->assign(reinterpret_cast<const char16_t *>(buffer), length);
  return true;
}

bool Win32FileSystem::CurrentUserName(WString *name) {
  DWORD chars = 64;
  for (int attempt = 0; attempt < 4; ++attempt) {
    WString buffer(chars, u'\0');
    DWORD size = chars;
    if (GetUserNameW(reinterpret_cast<LPWSTR>(buffer.data()), &size)) {
      buffer.resize(size ? size - 1 : 0);  // the size counts the terminator
      *name = buffer.substr(0, buffer.find(u'\0'));
      return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= chars) return false;
    chars = size;
  }
  return false;
}

Status Win32FileSystem::ReadWholeFile(WStringView path, std::vector<uint8_t> *data) {
  WString name(path);
  HANDLE file = CreateFileW(W(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  data->clear();
  uint8_t chunk[4096];
  Status status = ERROR_SUCCESS;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
      status = GetLastError();
      break;
    }
    if (got == 0) break;
    data->insert(data->end(), chunk, chunk + got);
  }
  CloseHandle(file);
  return status;
}

Status Win32FileSystem::WriteFileReplacing(WStringView path, std::span<const uint8_t> data) {
  WString target(path);
  WString beside = ReplacementFileName(path);
  HANDLE file = CreateFileW(W(beside), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  Status status = ERROR_SUCCESS;
  size_t done = 0;
  while (done < data.size()) {
    DWORD part = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, data.data() + done, part, &written, nullptr) || written == 0) {
      status = GetLastError();
      if (status == ERROR_SUCCESS) status = ERROR_WRITE_FAULT;
      break;
    }
    done += written;
  }
  if (status == ERROR_SUCCESS && !FlushFileBuffers(file)) status = GetLastError();
  CloseHandle(file);
  if (status == ERROR_SUCCESS &&
      !MoveFileExW(W(beside), W(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    status = GetLastError();
  if (status != ERROR_SUCCESS) DeleteFileW(W(beside));
  return status;
}

}  // namespace tolven::files
