// The files port on the Windows file API, userenv.dll (loaded at run time)
// and GetUserNameW.
#pragma once
#include "platform/files/files.h"

namespace tolven::files {

class Win32FileSystem : public FileSystem {
 public:
  Status QueryUserProfileDirectory(char16_t *buffer, uint32_t *size) override;
  bool WindowsDirectory(WString *path) override;
  bool CurrentUserName(WString *name) override;
  Status ReadWholeFile(WStringView path, std::vector<uint8_t> *data) override;
  Status WriteFileReplacing(WStringView path, std::span<const uint8_t> data) override;
};

}  // namespace tolven::files
