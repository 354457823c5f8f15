// Files held in memory, with Windows' path rules (names compare without
// regard to case, a file needs its directory) and the profile queries of a
// configurable user. Faults can be injected into saving: a write that stops
// after some bytes (as when the disk fills up or the process dies) and a
// replace step that fails.
#pragma once
#include <map>
#include <optional>
#include <set>

#include "platform/files/files.h"

namespace tolven::files {

class EmulatedFileSystem : public FileSystem {
 public:
  EmulatedFileSystem();

  Status QueryUserProfileDirectory(char16_t *buffer, uint32_t *size) override;
  bool WindowsDirectory(WString *path) override;
  bool CurrentUserName(WString *name) override;
  Status ReadWholeFile(WStringView path, std::vector<uint8_t> *data) override;
  Status WriteFileReplacing(WStringView path, std::span<const uint8_t> data) override;

  // The machine and the user. An empty profile directory means the system
  // offers no profile function; an empty user name makes GetUserNameW fail.
  // Setting a user adds its profile directory.
  void SetWindowsDirectory(WStringView path);
  void SetUser(WStringView name, WStringView profileDirectory);
  void SetProfileFunctionOffered(bool offered) { profileOffered_ = offered; }
  void SetUserNameAvailable(bool available) { userNameAvailable_ = available; }
  void SetWindowsDirectoryAvailable(bool available) { windowsDirectoryAvailable_ = available; }
  // Buffer sizes (in characters) of every profile query made so far.
  const std::vector<uint32_t> &ProfileQuerySizes() const { return profileQuerySizes_; }

  void AddDirectory(WStringView path);
  void SetFile(WStringView path, std::span<const uint8_t> data);
  bool FileExists(WStringView path) const;
  std::vector<uint8_t> FileContents(WStringView path) const;
  void RemoveFile(WStringView path);
  size_t FileCount() const { return files_.size(); }
  // Makes a file unreadable (as a file another program holds open exclusively).
  void LockFile(WStringView path) { locked_.insert(UpperCase(path)); }

  // The next save writes only `bytes` bytes of the new file, then fails.
  void FailNextWriteAfter(size_t bytes) { failWriteAfter_ = bytes; }
  // The next save writes the new file but fails to put it in place.
  void FailNextReplace() { failReplace_ = true; }

 private:
  bool DirectoryExists(WStringView filePath) const;

  WString windowsDirectory_;
  WString userName_;
  WString profileDirectory_;
  bool profileOffered_ = true;
  bool userNameAvailable_ = true;
  bool windowsDirectoryAvailable_ = true;
  std::vector<uint32_t> profileQuerySizes_;
  std::set<WString> directories_;                         // upper-cased
  std::map<WString, std::vector<uint8_t>> files_;         // upper-cased path
  std::set<WString> locked_;
  std::optional<size_t> failWriteAfter_;
  bool failReplace_ = false;
};

}  // namespace tolven::files
