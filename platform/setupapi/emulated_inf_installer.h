// INF installation against the emulated file system and registry. It reads
// the INF's [Version], [Strings] and the AddReg/DelReg sections an installed
// section names, and applies them to the registry, so that tests see exactly
// what an INF file registers. Other directives (CopyFiles, UpdateInis, ...)
// are not carried out; they are listed so that a test can tell.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/setupapi/inf_installer.h"

namespace tolven::inf {

class EmulatedInfInstaller : public InfInstaller {
 public:
  EmulatedInfInstaller(files::FileSystem &files, reg::Registry &registry)
      : files_(files), registry_(registry) {}

  Handle Open(std::string_view path, uint32_t style) override;
  bool InstallSection(Handle inf, ui::Window owner, std::string_view section,
                      uint32_t flags) override;
  void Close(Handle inf) override;

  struct Installed {
    std::string path;
    ui::Window owner = 0;
    std::string section;
    uint32_t flags = 0;
    bool succeeded = false;
  };
  // Every path an open was asked for, every section installation, and the
  // directives ("CopyFiles = ...") that installations did not carry out.
  const std::vector<std::string> &OpenRequests() const { return openRequests_; }
  const std::vector<Installed> &Installations() const { return installations_; }
  const std::vector<std::string> &SkippedDirectives() const { return skipped_; }
  size_t OpenInfCount() const { return open_.size(); }

 private:
  struct Inf {
    std::string path;
    // Upper-cased section name -> its lines (comments and blank lines removed).
    std::map<std::string, std::vector<std::string>> sections;
    std::map<std::string, std::string> strings;  // upper-cased key -> text
  };
  bool ApplyAddReg(const Inf &inf, const std::string &section);
  bool ApplyDelReg(const Inf &inf, const std::string &section);

  files::FileSystem &files_;
  reg::Registry &registry_;
  std::map<Handle, Inf> open_;
  Handle next_ = 0x100;
  std::vector<std::string> openRequests_;
  std::vector<Installed> installations_;
  std::vector<std::string> skipped_;
};

}  // namespace tolven::inf
