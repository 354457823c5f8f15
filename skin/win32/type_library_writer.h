// Writes the DLL's type library (every dispatch interface, the outgoing
// ones, and the classes) from the member tables, at registration time.
#pragma once
#include <windows.h>

#include <string>

namespace tolven::skin {

class TypeLibraryWriter {
 public:
  static HRESULT Write(const std::wstring &path);
};

}  // namespace tolven::skin
