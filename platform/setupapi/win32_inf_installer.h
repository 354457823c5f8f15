// The INF installation port on setupapi.
#pragma once
#include "platform/setupapi/inf_installer.h"

namespace tolven::inf {

class Win32InfInstaller : public InfInstaller {
 public:
  Handle Open(std::string_view path, uint32_t style) override;
  bool InstallSection(Handle inf, ui::Window owner, std::string_view section,
                      uint32_t flags) override;
  void Close(Handle inf) override;
};

}  // namespace tolven::inf
