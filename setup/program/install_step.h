// One thing setup does or takes away, as data, so the order and the undo of
// an installation can be checked without touching a machine.
#pragma once

#include <string>

namespace tolven::setupprogram {

struct InstallStep {
  enum class Kind {
    kCreateFolder,     // path; undone by removing it if setup made it
    kCopyFile,         // source -> path; an existing file is kept aside until the end
    kRecordFolder,     // path: where the product is, for a later uninstall
    kInstallDriver,    // path: the program folder given to InstallVFW
    kRegisterSkins,    // path: the skin engine DLL
    kCreateShortcut,   // path: the .lnk; source: what it starts
    // Removal only.
    kDeleteFile,       // path; a missing file is fine
    kRemoveFolder,     // path, when empty; a missing folder is fine
    kRemoveDriver,     // path: the program folder holding ardenremove.dll
    kUnregisterSkins,  // path: the skin engine DLL; skipped when it is gone
    kForgetFolder,     // undoes kRecordFolder
  };
  Kind kind;
  std::wstring path;
  std::wstring source;

  bool operator==(const InstallStep &) const = default;
};

}  // namespace tolven::setupprogram
