// Where setup takes the files from and where they go.
#pragma once

#include <string>
#include <vector>

namespace tolven::setupprogram {

struct InstallLayout {
  std::wstring sourceFolder;    // beside setup.exe
  std::wstring programFolder;   // chosen by the user, no trailing backslash
  std::wstring systemFolder;
  std::wstring driversFolder;
  std::wstring shortcutFolder;  // a folder of the Start menu's programs
  std::vector<std::wstring> skinFiles;  // names in "Skins\Default"
};

}  // namespace tolven::setupprogram
