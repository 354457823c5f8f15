// Setup's steps on a Windows machine: files, the setup libraries, the skin
// engine's self-registration and the shell's shortcut object.
#pragma once

#include <string>

#include "setup/program/setup_actions.h"

namespace tolven::setupprogram {

class Win32SetupActions : public SetupActions {
 public:
  explicit Win32SetupActions(bool silent) : silent_(silent) {}

  static constexpr const wchar_t *kProductKey = L"SOFTWARE\\Caldra One";
  static constexpr const wchar_t *kFolderValue = L"InstallFolder";

  bool Exists(const std::wstring &path) override;
  bool CreateFolder(const std::wstring &path) override;
  bool RemoveFolder(const std::wstring &path) override;
  bool CopyFileTo(const std::wstring &source, const std::wstring &target) override;
  bool MoveFileTo(const std::wstring &source, const std::wstring &target) override;
  bool RemoveFile(const std::wstring &path) override;
  bool RecordFolder(const std::wstring &folder) override;
  bool ForgetFolder() override;
  std::wstring RecordedFolder() override;
  bool InstallDriver(const std::wstring &folder) override;
  bool RemoveDriver(const std::wstring &folder) override;
  bool RegisterSkins(const std::wstring &dll) override;
  bool UnregisterSkins(const std::wstring &dll) override;
  bool CreateShortcut(const std::wstring &link, const std::wstring &target) override;
  std::vector<std::wstring> ListFiles(const std::wstring &folder) override;
  std::wstring LastError() const override { return error_; }

 private:
  bool SystemFailure();  // error_ from GetLastError(); returns false
  bool Fail(const std::wstring &why);
  bool CallRegistration(const std::wstring &dll, const char *entry);
  bool ServiceExists();

  bool silent_;
  std::wstring error_;
};

}  // namespace tolven::setupprogram
