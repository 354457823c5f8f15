// The shell link port over the shell's link object (CLSID_ShellLink,
// IShellLinkW, IPersistFile).
#pragma once
#include "platform/shelllink/shell_links.h"

namespace tolven::lnk {

class Win32ShellLinks : public ShellLinks {
 public:
  bool Create(WStringView linkPath, WStringView target, WStringView description) override;
  WString ProgramPath() override;
};

}  // namespace tolven::lnk
