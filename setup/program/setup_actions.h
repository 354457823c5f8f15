// What setup does to the machine, one call per kind of step. Each call
// returns false on failure and then LastError() says why in words.
#pragma once

#include <string>
#include <vector>

namespace tolven::setupprogram {

class SetupActions {
 public:
  virtual ~SetupActions() = default;
  virtual bool Exists(const std::wstring &path) = 0;
  virtual bool CreateFolder(const std::wstring &path) = 0;
  virtual bool RemoveFolder(const std::wstring &path) = 0;  // an empty folder
  virtual bool CopyFileTo(const std::wstring &source, const std::wstring &target) = 0;
  virtual bool MoveFileTo(const std::wstring &source, const std::wstring &target) = 0;
  virtual bool RemoveFile(const std::wstring &path) = 0;
  virtual bool RecordFolder(const std::wstring &folder) = 0;
  virtual bool ForgetFolder() = 0;
  virtual std::wstring RecordedFolder() = 0;  // empty: none
  virtual bool InstallDriver(const std::wstring &folder) = 0;
  virtual bool RemoveDriver(const std::wstring &folder) = 0;
  virtual bool RegisterSkins(const std::wstring &dll) = 0;
  virtual bool UnregisterSkins(const std::wstring &dll) = 0;
  virtual bool CreateShortcut(const std::wstring &link, const std::wstring &target) = 0;
  // Names of the files directly in `folder` (no sub-folders).
  virtual std::vector<std::wstring> ListFiles(const std::wstring &folder) = 0;
  virtual std::wstring LastError() const = 0;
};

}  // namespace tolven::setupprogram
