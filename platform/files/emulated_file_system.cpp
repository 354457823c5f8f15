#include "platform/files/emulated_file_system.h"

#include <algorithm>

#include "platform/win_errors.h"

namespace tolven::files {

namespace {
WString ParentOf(WStringView path) {
  size_t slash = path.find_last_of(u"\\/");
  if (slash == WStringView::npos) return WString();
  return WString(path.substr(0, slash));
}
WString WithoutTrailingSeparator(WStringView path) {
  WString out(path);
  while (!out.empty() && (out.back() == u'\\' || out.back() == u'/')) out.pop_back();
  return out;
}
}  // namespace

EmulatedFileSystem::EmulatedFileSystem() {
  SetWindowsDirectory(u"C:\\WINDOWS");
  SetUser(u"Viewer", u"C:\\Documents and Settings\\Viewer");
}

void EmulatedFileSystem::SetWindowsDirectory(WStringView path) {
  windowsDirectory_ = WithoutTrailingSeparator(path);
  AddDirectory(windowsDirectory_);
}

void EmulatedFileSystem::SetUser(WStringView name, WStringView profileDirectory) {
  userName_ = WString(name);
  profileDirectory_ = WString(profileDirectory);
  if (!profileDirectory_.empty()) AddDirectory(profileDirectory_);
}

Status EmulatedFileSystem::QueryUserProfileDirectory(char16_t *buffer, uint32_t *size) {
  if (!size) return win::kErrorInvalidParameter;
  profileQuerySizes_.push_back(*size);
  if (!profileOffered_ || profileDirectory_.empty()) return kErrorProcNotFound;
  uint32_t needed = static_cast<uint32_t>(profileDirectory_.size() + 1);
  if (!buffer || *size < needed) {
    *size = needed;
    return kErrorInsufficientBuffer;
  }
  std::copy(profileDirectory_.begin(), profileDirectory_.end(), buffer);
  buffer[needed - 1] = u'\0';
  *size = needed;
  return win::kErrorSuccess;
}

bool EmulatedFileSystem::WindowsDirectory(WString *path) {
  if (!windowsDirectoryAvailable_) return false;
  *path = windowsDirectory_;
  return true;
}

bool EmulatedFileSystem::CurrentUserName(WString *name) {
  if (!userNameAvailable_ || userName_.empty()) return false;
  *name = userName_;
  return true;
}

void EmulatedFileSystem::AddDirectory(WStringView path) {
  // A directory brings its parents, as a profile directory would have them.
  WString dir = WithoutTrailingSeparator(path);
  while (!dir.empty()) {
    directories_.insert(UpperCase(dir));
    dir = ParentOf(dir);
  }
}

bool EmulatedFileSystem::DirectoryExists(WStringView filePath) const {
  WString parent = ParentOf(filePath);
  if (parent.empty()) return true;  // relative to the current directory
  if (parent.size() == 2 && parent[1] == u':') return true;  // a drive's root
  return directories_.count(UpperCase(parent)) != 0;
}

void EmulatedFileSystem::SetFile(WStringView path, std::span<const uint8_t> data) {
  files_[UpperCase(path)] = std::vector<uint8_t>(data.begin(), data.end());
}

bool EmulatedFileSystem::FileExists(WStringView path) const {
  return files_.count(UpperCase(path)) != 0;
}

std::vector<uint8_t> EmulatedFileSystem::FileContents(WStringView path) const {
  auto it = files_.find(UpperCase(path));
  return it == files_.end() ? std::vector<uint8_t>() : it->second;
}

void EmulatedFileSystem::RemoveFile(WStringView path) { files_.erase(UpperCase(path)); }

Status EmulatedFileSystem::ReadWholeFile(WStringView path, std::vector<uint8_t> *data) {
  if (!DirectoryExists(path)) return kErrorPathNotFound;
  auto it = files_.find(UpperCase(path));
  if (it == files_.end()) return win::kErrorFileNotFound;
  if (locked_.count(UpperCase(path))) return win::kErrorSharingViolation;
  *data = it->second;
  return win::kErrorSuccess;
}

Status EmulatedFileSystem::WriteFileReplacing(WStringView path, std::span<const uint8_t> data) {
  if (path.empty()) return kErrorPathNotFound;
  if (!DirectoryExists(path)) return kErrorPathNotFound;
  WString target = UpperCase(path);
  WString beside = UpperCase(ReplacementFileName(path));
  if (locked_.count(target) || locked_.count(beside)) return win::kErrorSharingViolation;
  if (failWriteAfter_) {
    size_t written = std::min(*failWriteAfter_, data.size());
    failWriteAfter_.reset();
    files_[beside] = std::vector<uint8_t>(data.begin(), data.begin() + written);
    return kErrorDiskFull;  // the partial new file stays behind, the old one is whole
  }
  files_[beside] = std::vector<uint8_t>(data.begin(), data.end());
  if (failReplace_) {
    failReplace_ = false;
    files_.erase(beside);
    return win::kErrorAccessDenied;
  }
  files_[target] = std::move(files_[beside]);
  files_.erase(beside);
  return win::kErrorSuccess;
}

}  // namespace tolven::files
