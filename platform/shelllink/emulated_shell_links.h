// Shortcuts in memory, by link path; a folder can be made to refuse them.
#pragma once
#include <map>

#include "platform/shelllink/shell_links.h"

namespace tolven::lnk {

class EmulatedShellLinks : public ShellLinks {
 public:
  struct Link {
    WString target;
    WString description;
  };

  explicit EmulatedShellLinks(WString programPath = u"C:\\Program Files\\Varn\\Viewer.exe")
      : program_(std::move(programPath)) {}

  bool Create(WStringView linkPath, WStringView target, WStringView description) override {
    if (fail_) return false;
    links_[WString(linkPath)] = Link{WString(target), WString(description)};
    return true;
  }
  WString ProgramPath() override { return program_; }

  // Test controls.
  void Fail(bool fail) { fail_ = fail; }
  const std::map<WString, Link> &Links() const { return links_; }

 private:
  WString program_;
  std::map<WString, Link> links_;
  bool fail_ = false;
};

}  // namespace tolven::lnk
