// The quick-launch shortcut: the Quick Launch folder as the shell's group
// conversion recorded it, and a shortcut to the viewer placed in it.
#pragma once
#include "platform/registry/registry.h"
#include "platform/shelllink/shell_links.h"
#include "platform/wide.h"

namespace tolven::viewer {

inline constexpr char16_t kMapGroupsKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";

class CQuickLaunch {
 public:
  // Reads the "Quick Launch" folder (a string of at most 520 bytes); false
  // when it cannot be read.
  static bool Probe(reg::Registry &registry, WString *folder);
  // Folder, "\", the program file name without its extension, ".LNK";
  // empty for an empty folder.
  static WString LinkPath(WStringView folder);
  // Saves the shortcut to the running program; nothing for an empty folder.
  // A failure is silent (the answer is for tests).
  static bool Create(lnk::ShellLinks &links, WStringView folder);
};

}  // namespace tolven::viewer
