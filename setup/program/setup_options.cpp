#include "setup_options.h"

#include <cwctype>

#include "setup/installer.h"

namespace tolven::setupprogram {

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t &c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return text;
}

bool IsAbsolute(const std::wstring &path) {
  bool drive = path.size() >= 3 && std::iswalpha(static_cast<wint_t>(path[0])) &&
               path[1] == L':' && path[2] == L'\\';
  bool share = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
  return drive || share;
}

// InstallVFW copies the folder and "\vfw.inf" into a fixed buffer with its end.
constexpr size_t kLongestFolder =
    setup::kFolderBufferBytes - 1 - (sizeof(setup::kInfFileName) - 1);

}  // namespace

std::wstring SetupOptions::Usage() {
  return L"Usage: setup.exe [/S] [/D=<folder>]    install (into <folder>)\n"
         L"       setup.exe /uninstall [/S] [/D=<folder>]    remove\n"
         L"/S: silent, for scripts: no questions, failures on standard error.";
}

std::optional<SetupOptions> SetupOptions::Parse(const std::vector<std::wstring> &arguments,
                                                std::wstring *error) {
  SetupOptions options;
  bool folderGiven = false;
  for (const std::wstring &argument : arguments) {
    std::wstring lower = Lower(argument);
    if (lower == L"/s") {
      options.silent = true;
    } else if (lower == L"/uninstall") {
      options.uninstall = true;
    } else if (lower.rfind(L"/d=", 0) == 0) {
      if (folderGiven) {
        *error = L"/D= is given twice";
        return std::nullopt;
      }
      folderGiven = true;
      options.folder = argument.substr(3);
      while (options.folder.size() > 3 && options.folder.back() == L'\\') options.folder.pop_back();
      if (!IsAbsolute(options.folder)) {
        *error = L"the folder \"" + options.folder + L"\" is not a full path (as C:\\Folder)";
        return std::nullopt;
      }
      if (options.folder.size() == 3) {
        *error = L"the folder cannot be a drive's root: " + options.folder;
        return std::nullopt;
      }
    } else {
      *error = L"unknown option \"" + argument + L"\"";
      return std::nullopt;
    }
  }
  if (options.folder.size() > kLongestFolder) {
    *error = L"the folder's path is longer than " + std::to_wstring(kLongestFolder) +
             L" characters";
    return std::nullopt;
  }
  return options;
}

}  // namespace tolven::setupprogram
