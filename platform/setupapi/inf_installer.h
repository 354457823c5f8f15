// INF installation port, shaped after the three Setup API calls a setup
// library makes: open an INF file, install one of its sections, close it.
// Paths and section names are ANSI strings, as the setup program hands them.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/messagebox/message_box.h"

namespace tolven::inf {

using Handle = uintptr_t;  // an open INF; 0 means failure

enum : uint32_t {
  kInfStyleWin4 = 0x00000002,
  // Parts of a section that an installation applies.
  kInstallIniFiles = 0x00000002,  // UpdateInis, UpdateIniFields
  kInstallRegistry = 0x00000004,  // AddReg, DelReg
  kInstallFiles = 0x00000010,     // CopyFiles, RenFiles, DelFiles
};

class InfInstaller {
 public:
  virtual ~InfInstaller() = default;
  // SetupOpenInfFileA(path, no class, style, no error line); 0 when the file
  // cannot be opened as an INF of that style.
  virtual Handle Open(std::string_view path, uint32_t style) = 0;
  // SetupInstallFromInfSectionA with the owner window and the flags, no root
  // key, no source root, no copy flags and no callback.
  virtual bool InstallSection(Handle inf, ui::Window owner, std::string_view section,
                              uint32_t flags) = 0;
  // SetupCloseInfFile.
  virtual void Close(Handle inf) = 0;
};

}  // namespace tolven::inf
