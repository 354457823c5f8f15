// setup.exe's command line: [/S] [/uninstall] [/D=<folder>]. Options are
// case-insensitive; /D= takes the rest of its argument as the folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tolven::setupprogram {

struct SetupOptions {
  bool silent = false;
  bool uninstall = false;
  std::wstring folder;  // empty: the default (or, to uninstall, the recorded one)

  // The folder is checked here: absolute, no trailing backslash kept, and
  // short enough for the driver installer's 260-byte path with "\vfw.inf".
  static std::optional<SetupOptions> Parse(const std::vector<std::wstring> &arguments,
                                           std::wstring *error);
  static std::wstring Usage();
};

}  // namespace tolven::setupprogram
