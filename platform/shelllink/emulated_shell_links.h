// Shortcuts in memory, by link path; folders that exist can be named, and
// every shortcut can be made to fail.
#pragma once
#include <map>
#include <set>

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
    const size_t slash = linkPath.rfind(u'\\');
    if (!folders_.empty() && (slash == WStringView::npos || !folders_.count(WString(linkPath.substr(0, slash)))))
      return false;
    links_[WString(linkPath)] = Link{WString(target), WString(description)};
    return true;
  }
  WString ProgramPath() override { return program_; }

  // Test controls.
  void Fail(bool fail) { fail_ = fail; }
  // Once a folder is added, only added folders exist.
  void AddFolder(WStringView folder) { folders_.insert(WString(folder)); }
  const std::map<WString, Link> &Links() const { return links_; }

 private:
  WString program_;
  std::map<WString, Link> links_;
  std::set<WString> folders_;
  bool fail_ = false;
};

}  // namespace tolven::lnk
