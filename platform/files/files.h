// Files port: whole-file reads, saving by write-beside-then-replace, and the
// places a per-user file lives (the user's profile directory, the Windows
// directory and the user name). Operations answer Windows error codes.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/wide.h"

namespace tolven::files {

using Status = uint32_t;

// Windows error codes this port answers besides those of platform/win_errors.h.
inline constexpr Status kErrorPathNotFound = 3;
inline constexpr Status kErrorDiskFull = 112;
inline constexpr Status kErrorInsufficientBuffer = 122;
inline constexpr Status kErrorProcNotFound = 127;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // GetUserProfileDirectoryW of the user-environment library, loaded at run
  // time, for the current process's token. `size` is the buffer's size in
  // characters; on success it becomes the length written including the
  // terminator. A buffer too small answers kErrorInsufficientBuffer with
  // `size` set to what is needed. kErrorProcNotFound when the system does not
  // offer the function.
  virtual Status QueryUserProfileDirectory(char16_t *buffer, uint32_t *size) = 0;
  // GetWindowsDirectoryW: the path without a trailing separator.
  virtual bool WindowsDirectory(WString *path) = 0;
  // GetUserNameW of the current user.
  virtual bool CurrentUserName(WString *name) = 0;

  // Reads a whole file. kErrorFileNotFound or kErrorPathNotFound when it does
  // not exist.
  virtual Status ReadWholeFile(WStringView path, std::vector<uint8_t> *data) = 0;
  // Writes `data` to a new file beside `path` and then puts it in place of
  // `path` in one step, so that an interrupted save leaves the old file whole.
  virtual Status WriteFileReplacing(WStringView path, std::span<const uint8_t> data) = 0;
};

// The name of the file a save writes before it replaces `path`.
inline WString ReplacementFileName(WStringView path) { return WString(path) + u".new"; }

}  // namespace tolven::files
