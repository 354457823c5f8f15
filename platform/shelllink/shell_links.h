// Shell link port: saves a shortcut (.LNK) to a program through the shell's
// link object, and names the running program's file.
#pragma once
#include "platform/wide.h"

namespace tolven::lnk {

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // Writes a shortcut at `linkPath` to `target` with a description; false
  // when it could not be made.
  virtual bool Create(WStringView linkPath, WStringView target, WStringView description) = 0;
  // The running program's full path.
  virtual WString ProgramPath() = 0;
};

}  // namespace tolven::lnk
